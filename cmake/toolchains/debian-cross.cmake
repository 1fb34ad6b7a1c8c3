# Builds for another processor with Debian's cross compiler for TRIPLET
# (crossbuild-essential-<arch>) against the libraries installed for that
# processor beside the machine's own (multiarch: `NAME:<arch>`), and runs what
# it built, tests included, under qemu-user. Included by the toolchain file
# named after the triplet, which sets ORBI_CROSS_TRIPLET.
set(CMAKE_SYSTEM_NAME Linux)
string(REGEX MATCH "^[^-]+" CMAKE_SYSTEM_PROCESSOR ${ORBI_CROSS_TRIPLET})
set(CMAKE_C_COMPILER ${ORBI_CROSS_TRIPLET}-gcc)
set(CMAKE_CXX_COMPILER ${ORBI_CROSS_TRIPLET}-g++)

# qemu-user's static build finds the target's loader and libraries where
# multiarch puts them, in the machine's own folders. (Its -L option with the
# cross compiler's folder is no substitute: there, programs for s390x abort
# with "stack smashing detected".)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-${CMAKE_SYSTEM_PROCESSOR}-static)

# pkg-config reads the target's .pc files only.
set(ENV{PKG_CONFIG_LIBDIR} /usr/lib/${ORBI_CROSS_TRIPLET}/pkgconfig:/usr/share/pkgconfig)
