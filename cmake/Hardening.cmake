# The hardening Debian gives the programs it builds, for every target of the
# project whatever the build type: a stack protector, stack-clash protection,
# control-flow protection where the processor has it, position-independent
# executables, and relocations made read-only once bound, all bound at
# start (Windows has counterparts of some, below). _FORTIFY_SOURCE works
# only with optimisation (glibc warns without it), so it is set for the
# optimised build types alone; the sanitizer and fuzz builds are Debug
# builds, where AddressSanitizer checks those calls.
include(CheckPIESupported)
check_pie_supported(LANGUAGES CXX)
set(CMAKE_POSITION_INDEPENDENT_CODE ON)

add_compile_options(
    -fstack-protector-strong
    "$<$<CONFIG:Release,RelWithDebInfo,MinSizeRel>:-U_FORTIFY_SOURCE;-D_FORTIFY_SOURCE=2>")
# Windows probes every large stack allocation itself; GCC's own probes there
# fail to compile.
if(NOT WIN32)
    add_compile_options(-fstack-clash-protection)
endif()
# Control-flow protection where the processor has it. Windows enforces it
# only for an image marked for it (Control Flow Guard, or CET's shadow
# stack), which MinGW-w64's GCC does not mark: the Windows program goes
# without, rather than carry checks nothing enforces.
if(CMAKE_SYSTEM_PROCESSOR MATCHES "^(x86_64|AMD64|i.86)$" AND NOT WIN32)
    add_compile_options(-fcf-protection)
endif()
if(WIN32)
    # Windows' counterparts of the ELF options: a relocatable image placed
    # at a random 64-bit address, with data pages that cannot run. The
    # stack protector's checks come from a library of their own there.
    add_link_options(-Wl,--dynamicbase,--nxcompat,--high-entropy-va -fstack-protector-strong)
else()
    add_link_options(-Wl,-z,relro,-z,now)
endif()
