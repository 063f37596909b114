# Builds the calculator as `make run` does on a fresh clone and installs it
# as the README tells a user to: the user preset configured into a fresh
# folder, the build line of the Makefile's run goal, then the README's
# install line for one user, run as it stands in that folder with HOME there
# too. The install must succeed and hold every file of the install list.
# -DSOURCE=<project> -DWORK=<folder> -DFILES=<list of installed files>
file(REMOVE_RECURSE ${WORK})
file(MAKE_DIRECTORY ${WORK}/home)

# What the run goal builds: the options of its build line after the preset.
file(READ ${SOURCE}/Makefile makefile)
if(NOT makefile MATCHES "\nrun:[^\n]*\n(\t[^\n]*\n)+")
    message(FATAL_ERROR "the Makefile has no run goal")
endif()
set(run "${CMAKE_MATCH_0}")
if(NOT run MATCHES "\n\tcmake --preset user\n")
    message(FATAL_ERROR "the run goal does not configure with the user preset:${run}")
endif()
if(NOT run MATCHES "\n\tcmake --build --preset user([^\n]*)\n")
    message(FATAL_ERROR "the run goal does not build with the user preset:${run}")
endif()
separate_arguments(build_options UNIX_COMMAND "${CMAKE_MATCH_1}")

# The README's install line for one user, without its comment.
file(STRINGS ${SOURCE}/README.md lines REGEX "^ +cmake --install build/user ")
list(LENGTH lines count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "the README gives ${count} install lines for build/user: ${lines}")
endif()
string(REGEX REPLACE "#.*" "" install "${lines}")
string(STRIP "${install}" install)
if(NOT install MATCHES "--prefix ~/([^ ]+)$")
    message(FATAL_ERROR "the README's install line names no prefix in the home folder: ${install}")
endif()
set(prefix ${WORK}/home/${CMAKE_MATCH_1})

function(run what)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY ${WORK} COMMAND_ECHO STDOUT
                    RESULT_VARIABLE status)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${what} failed: ${status}")
    endif()
endfunction()

run("the configure" ${CMAKE_COMMAND} --preset user -S ${SOURCE} -B ${WORK}/build/user)
run("the build" ${CMAKE_COMMAND} --build ${WORK}/build/user ${build_options})
run("the install" ${CMAKE_COMMAND} -E env HOME=${WORK}/home sh -c "${install}")

file(STRINGS ${FILES} files)
foreach(file IN LISTS files)
    if(NOT EXISTS ${prefix}/${file})
        message(FATAL_ERROR "not installed: ${prefix}/${file}")
    endif()
endforeach()
file(REMOVE_RECURSE ${WORK})
