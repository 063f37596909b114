# Configures the project in WORK with every program folder hidden from
# CMake's searches and Google Test switched off: the build's own compiler,
# make program and gzip are given by name, so that only the tests' tools and
# packages are missing.
# -DSOURCE=<project> -DWORK=<folder> -DGENERATOR=<generator>
# -DMAKE_PROGRAM=<program> -DCOMPILER=<c++ compiler> -DGZIP=<gzip>
set(hidden "/usr/local/bin;/usr/local/sbin;/usr/bin;/usr/sbin;/bin;/sbin")
set(plain
    -S ${SOURCE} -G ${GENERATOR}
    -DCMAKE_MAKE_PROGRAM=${MAKE_PROGRAM} -DCMAKE_CXX_COMPILER=${COMPILER} -DGZIP=${GZIP}
    -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON)

function(configure folder)
    file(REMOVE_RECURSE ${folder})
    execute_process(COMMAND ${CMAKE_COMMAND} ${plain} "-DCMAKE_IGNORE_PATH=${hidden}"
                            -B ${folder} ${ARGN}
                    RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE errors)
    set(status ${status} PARENT_SCOPE)
    set(output "${output}" PARENT_SCOPE)
    set(errors "${errors}" PARENT_SCOPE)
endfunction()

configure(${WORK}/plain)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "a plain configure failed:\n${output}\n${errors}")
endif()

# Each group of tests is named once, on one line of its own.
set(expected
    "the engine's tests and the key driver's JSON tests: missing the CMake package GTest"
    "ui.display_box_test_x11 ui.dark_palette_test ui.screenshot_test: missing xvfb-run"
    "install.desktop_entry: missing desktop-file-validate"
    "install.metainfo: missing appstreamcli"
    "install.starts: missing xvfb-run, xwininfo"
    "package.build package.contents package.modes package.lintian: missing dpkg-shlibdeps, file"
    "a11y.screen_reader: missing xvfb-run, dbus-run-session, /usr/bin/python3"
    "desktop.openbox_x11: missing xvfb-run, dbus-run-session, openbox, /usr/bin/python3"
    "desktop.mutter_x11: missing xvfb-run, dbus-run-session, mutter, /usr/bin/python3"
    "desktop.kwin_x11: missing xvfb-run, dbus-run-session, kwin_x11, /usr/bin/python3"
    "desktop.mutter_wayland: missing dbus-run-session, mutter, /usr/bin/python3"
    "desktop.kwin_wayland: missing dbus-run-session, kwin_wayland, /usr/bin/python3"
    "desktop.weston_wayland: missing dbus-run-session, weston, xvfb-run, /usr/bin/python3"
    "desktop.wayland: missing weston, dbus-run-session, /usr/bin/python3")
string(REGEX MATCHALL "-- Leaving out [^\n]*" lines "${output}")
list(TRANSFORM expected PREPEND "-- Leaving out ")
# The locale the locale tests need may be missing too; it is not hidden.
list(FILTER lines EXCLUDE REGEX "missing the de_DE.UTF-8 locale$")
if(NOT lines STREQUAL expected)
    string(REPLACE ";" "\n" lines "${lines}")
    string(REPLACE ";" "\n" expected "${expected}")
    message(FATAL_ERROR "the tests left out were reported as:\n${lines}\nexpected:\n${expected}")
endif()

# What is left out is not there; what needs nothing more is.
execute_process(COMMAND ${CMAKE_CTEST_COMMAND} -N WORKING_DIRECTORY ${WORK}/plain
                OUTPUT_VARIABLE tests)
foreach(test IN ITEMS desktop.kwin_wayland ui.screenshot_test package.build CommaLocale)
    if(tests MATCHES "Test +#[0-9]+: ${test}")
        message(FATAL_ERROR "${test} is still there:\n${tests}")
    endif()
endforeach()
foreach(test IN ITEMS keys.chaining.C.UTF-8 ui.main_window_test desktop.no_display soak.keys)
    if(NOT tests MATCHES "Test +#[0-9]+: ${test}\n")
        message(FATAL_ERROR "${test} is missing:\n${tests}")
    endif()
endforeach()

configure(${WORK}/required -DRUROZOVIZERA_REQUIRE_ALL_TESTS=ON)
if(status EQUAL 0)
    message(FATAL_ERROR "with every test required, the configure did not fail:\n${output}")
endif()
if(NOT errors MATCHES "Cannot run desktop\\.openbox_x11: missing xvfb-run")
    message(FATAL_ERROR "with every test required, the error does not name the tool:\n${errors}")
endif()
file(REMOVE_RECURSE ${WORK})
