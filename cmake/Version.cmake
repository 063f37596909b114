# project_version: a generated header that hands the project's version
# numbers to the code, so that the version is written in one place only.
configure_file(${CMAKE_CURRENT_LIST_DIR}/version.h.in
               ${CMAKE_BINARY_DIR}/generated/rurozovizera/version.h @ONLY)
add_library(project_version INTERFACE)
target_include_directories(project_version INTERFACE ${CMAKE_BINARY_DIR}/generated)

# The version string of the executable's version record: the major number,
# a point and the minor number in two digits ("1.00").
if(PROJECT_VERSION_MINOR LESS 10)
    set(RUROZOVIZERA_VERSION_STRING "${PROJECT_VERSION_MAJOR}.0${PROJECT_VERSION_MINOR}")
else()
    set(RUROZOVIZERA_VERSION_STRING "${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}")
endif()

# The copyright line of the version records, as the licence words it.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE RUROZOVIZERA_COPYRIGHT REGEX "^Copyright " LIMIT_COUNT 1)
if(NOT RUROZOVIZERA_COPYRIGHT)
    message(FATAL_ERROR "LICENSE has no copyright line")
endif()
