# What every test directory builds its tests with, on the desktop and for WebAssembly (tests/web).
include(GoogleTest)

# Remembers what OpenGL would have drawn instead of drawing: a test that lists
# it among its libraries gets it in place of libGL (see orbi_opengl).
add_library(orbi_gl_recorder STATIC ${CMAKE_CURRENT_LIST_DIR}/GlRecorder.cpp)
target_include_directories(orbi_gl_recorder PUBLIC ${PROJECT_SOURCE_DIR})

# A GoogleTest executable whose cases run from the repository root, where the
# game's data/ lives. Those that open real windows are labelled "window".
function(orbi_add_gtest name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBRARIES} GTest::gtest GTest::gtest_main)
    set(environment "ORBI_BINARY_DIR=${PROJECT_BINARY_DIR}")
    if(orbi_gl_recorder IN_LIST ARG_LIBRARIES)
        set_target_properties(${name} PROPERTIES ORBI_RECORD_GL ON)
    elseif(orbi_window_testing IN_LIST ARG_LIBRARIES)
        # Once on each SDL stack (see the root CMakeLists.txt), whose name prefixes and labels them.
        # Listed from the sources: discovered tests take one value per property, not these lists.
        foreach(stack IN LISTS ORBI_SDL_STACKS)
            gtest_add_tests(TARGET ${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                TEST_PREFIX ${stack}. TEST_LIST tests)
            set_tests_properties(${tests} PROPERTIES LABELS "window;${stack}" TIMEOUT 300
                ENVIRONMENT "${environment};ORBI_SDL_STACK=${stack};LD_LIBRARY_PATH=${ORBI_SDL_LIBRARY_PATH_${stack}}")
        endforeach()
        return()
    endif()
    gtest_discover_tests(${name} WORKING_DIRECTORY ${PROJECT_SOURCE_DIR} DISCOVERY_TIMEOUT 60
        PROPERTIES LABELS unit TIMEOUT 300 ENVIRONMENT ${environment})
endfunction()
