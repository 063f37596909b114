# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 compilers (the
# posix-threads flavour, which std::thread and Qt need). Used for Qt itself
# and for the calculator, so both agree on compiler and runtime.
#
# RUROZOVIZERA_QT_WINDOWS names the folder Qt for Windows is installed in
# (scripts/windows/build-qt.sh prints it); the host's own Qt in /usr gives
# the build-time tools (moc, uic, rcc).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_triplet}-windres)

# Headers, libraries and CMake packages come from the MinGW sysroot and the
# Windows Qt only, never from the Linux host; programs run on the host.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_triplet})
if(RUROZOVIZERA_QT_WINDOWS)
    list(PREPEND CMAKE_FIND_ROOT_PATH "${RUROZOVIZERA_QT_WINDOWS}")
endif()
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# The host's pkg-config must not hand out Linux libraries.
set(ENV{PKG_CONFIG_LIBDIR} /usr/${mingw_triplet}/lib/pkgconfig)
set(ENV{PKG_CONFIG_PATH} "")

set(QT_HOST_PATH /usr CACHE PATH "Qt for the build machine, whose tools the Windows build runs")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake
    CACHE PATH "CMake packages of the build machine's Qt")

# Test programs run under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR wine CACHE STRING "Runs Windows programs on the build machine")
