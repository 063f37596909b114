# rurozovizera_test_needs: finds what some tests need beyond the build
# itself, and tells whether they can be added.
#
#   rurozovizera_test_needs(<result-var>
#       TESTS <test>...                # the tests that need it, for the message
#       [PROGRAMS <program>...]        # found into <PROGRAM> in capitals, "-" as "_"
#                                      # (xvfb-run: XVFB_RUN)
#       [PYTHON_MODULES <module>...]   # importable by the distribution's own
#                                      # Python, found into SYSTEM_PYTHON
#       [LOCALES <locale>...]          # installed, as `locale -a` lists them
#       [QT_PLUGINS <file>...]         # in Qt's plugin folder ("platforms/...")
#       [PACKAGES <package>...])       # found by find_package(<package>)
#
# <result-var> is set true when everything is there. Otherwise the tests are
# left out with one status line naming them and what is missing, so that the
# calculator builds on a machine with only what it needs to run; with
# RUROZOVIZERA_REQUIRE_ALL_TESTS on (the developer presets, and so the test
# command and CI) a missing piece is a configure error instead, so that no
# test is ever skipped unnoticed. scripts/install-deps.sh test installs
# everything.
option(RUROZOVIZERA_REQUIRE_ALL_TESTS
       "Fail at configure time when a tool that a test needs is missing, instead of leaving the test out"
       OFF)

function(rurozovizera_test_needs result)
    cmake_parse_arguments(PARSE_ARGV 1 needs "" "" "TESTS;PROGRAMS;PYTHON_MODULES;LOCALES;QT_PLUGINS;PACKAGES")
    set(missing "")

    foreach(program IN LISTS needs_PROGRAMS)
        string(TOUPPER "${program}" variable)
        string(REPLACE "-" "_" variable "${variable}")
        find_program(${variable} ${program})
        if(NOT ${variable})
            list(APPEND missing "${program}")
        endif()
    endforeach()

    if(needs_PYTHON_MODULES)
        # The modules come from Debian's packages, so only the system's own
        # Python is sure to see them, whatever else is first on the PATH.
        find_program(SYSTEM_PYTHON python3 PATHS /usr/bin NO_DEFAULT_PATH)
        if(NOT SYSTEM_PYTHON)
            list(APPEND missing "/usr/bin/python3")
        else()
            foreach(module IN LISTS needs_PYTHON_MODULES)
                execute_process(COMMAND ${SYSTEM_PYTHON} -c "import ${module}"
                                RESULT_VARIABLE status OUTPUT_QUIET ERROR_QUIET)
                if(NOT status EQUAL 0)
                    list(APPEND missing "the Python module ${module}")
                endif()
            endforeach()
        endif()
    endif()

    if(needs_LOCALES)
        execute_process(COMMAND locale -a OUTPUT_VARIABLE installed ERROR_QUIET)
        # `locale -a` writes "de_DE.utf8" for the locale named de_DE.UTF-8.
        string(TOLOWER "${installed}" installed)
        string(REPLACE "-" "" installed "${installed}")
        foreach(locale IN LISTS needs_LOCALES)
            string(TOLOWER "${locale}" wanted)
            string(REPLACE "-" "" wanted "${wanted}")
            string(REPLACE "." "\\." wanted "${wanted}")
            if(NOT installed MATCHES "(^|\n)${wanted}(\n|$)")
                list(APPEND missing "the ${locale} locale")
            endif()
        endforeach()
    endif()

    # Qt loads its plugins at run time, so the build itself never misses one.
    foreach(plugin IN LISTS needs_QT_PLUGINS)
        if(NOT EXISTS "${QT6_INSTALL_PREFIX}/${QT6_INSTALL_PLUGINS}/${plugin}")
            list(APPEND missing "Qt's plugin ${plugin}")
        endif()
    endforeach()

    foreach(package IN LISTS needs_PACKAGES)
        find_package(${package} QUIET)
        if(NOT ${package}_FOUND)
            list(APPEND missing "the CMake package ${package}")
        endif()
    endforeach()

    if(missing)
        list(JOIN missing ", " missing)
        list(JOIN needs_TESTS " " tests)
        if(RUROZOVIZERA_REQUIRE_ALL_TESTS)
            message(SEND_ERROR "Cannot run ${tests}: missing ${missing}. "
                               "scripts/install-deps.sh test installs it.")
        else()
            message(STATUS "Leaving out ${tests}: missing ${missing}")
        endif()
        set(${result} FALSE PARENT_SCOPE)
    else()
        set(${result} TRUE PARENT_SCOPE)
    endif()
endfunction()
