# The game built for the browser with Emscripten's CMake toolchain (make web), included by the
# root CMakeLists.txt in place of the desktop's libraries and tests. Emscripten
# brings SDL 1.2 over the page's canvas, SDL_image's IMG_Load (stb_image, since
# the browser's own decoders cannot read TGA) and an immediate-mode OpenGL over
# WebGL; "ports" would need the network, so none is used.
add_library(PkgConfig::SDL INTERFACE IMPORTED GLOBAL)
add_library(PkgConfig::SDL_IMAGE INTERFACE IMPORTED GLOBAL)
# IMG_Load calls stb_image through the module's exports.
target_link_options(PkgConfig::SDL_IMAGE INTERFACE -sSTB_IMAGE=1
    -sEXPORTED_FUNCTIONS=_main,_malloc,_free,_stbi_load,_stbi_load_from_memory,_stbi_image_free)
# OpenGL as on the desktop (see the root CMakeLists.txt): Emscripten's emulation,
# with the few calls it lacks, or the tests' recorder.
add_library(orbi_web_gl STATIC gfx/WebGlGaps.cpp)
target_link_options(orbi_web_gl INTERFACE -sLEGACY_GL_EMULATION=1 -sGL_UNSAFE_OPTS=0)
add_library(orbi_opengl INTERFACE)
target_link_libraries(orbi_opengl INTERFACE
    "$<IF:$<BOOL:$<TARGET_PROPERTY:ORBI_RECORD_GL>>,orbi_gl_recorder,orbi_web_gl>")

add_subdirectory(world)
add_subdirectory(gfx)
add_subdirectory(text)
add_subdirectory(app)
add_subdirectory(tools/collision-selftest)

# The page: the game's script, WebAssembly and data beside the page's own files,
# in one folder that any static web host can serve as it is.
set(ORBI_WEB_DIR ${PROJECT_BINARY_DIR}/site CACHE PATH "Where the page is written")
foreach(file index.html page.js page.css)
    configure_file(app/web/${file} ${ORBI_WEB_DIR}/${file} COPYONLY)
endforeach()
configure_file(LICENSE ${ORBI_WEB_DIR}/LICENSE.txt COPYONLY)
configure_file(packaging/copyright ${ORBI_WEB_DIR}/copyright.txt COPYONLY)
file(GLOB data_files CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/data/*)
# ASYNCIFY lets the blocking frame loop hand each frame back to the browser;
# EXIT_RUNTIME tells the page when the game has ended.
target_link_options(orbicascade PRIVATE -sASYNCIFY -sALLOW_MEMORY_GROWTH=1
    -sEXIT_RUNTIME=1 -sENVIRONMENT=web
    --preload-file ${PROJECT_SOURCE_DIR}/data@data)
set_target_properties(orbicascade PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${ORBI_WEB_DIR}
    LINK_DEPENDS "${data_files}")
# The page whole: the game, its script made the same from any folder.
add_custom_target(orbicascade-page ALL DEPENDS orbicascade
    COMMAND ${CMAKE_COMMAND} -Ddir=${ORBI_WEB_DIR} -P ${PROJECT_SOURCE_DIR}/app/web/Reproducible.cmake)

if(ORBI_TESTS)
    enable_testing()
    add_subdirectory(tests/web)
endif()
