# The hardening Debian builds its packages with (dpkg-buildflags with
# hardening=+all, plus the stack clash and control-flow protection Debian 13
# adds on amd64), set here so that every build has it, not only those made
# through Debian's tools. It applies to every target: the game's libraries are
# shared with the tests and benchmarks, which so exercise and time the very
# code that ships.
set(CMAKE_POSITION_INDEPENDENT_CODE ON)
include(CheckPIESupported)
check_pie_supported()

add_compile_options(-fstack-protector-strong -Wformat -Werror=format-security)
# glibc checks buffer sizes only in optimised code, and warns otherwise.
add_compile_definitions($<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
add_link_options(-Wl,-z,relro -Wl,-z,now)

# Compilers support these on some processors only (control-flow protection on
# x86, for instance).
include(CheckCXXCompilerFlag)
foreach(flag -fstack-clash-protection -fcf-protection)
    string(MAKE_C_IDENTIFIER "ORBI_HAVE${flag}" supported)
    check_cxx_compiler_flag(${flag} ${supported})
    if(${supported})
        add_compile_options(${flag})
    endif()
endforeach()
