# Runs one golden key script through the driver and compares its output.
# -DDRIVER=<executable> -DSCRIPT=<path/NAME.keys> -DLOCALE=<locale name>
# [-DEMULATOR=<program that runs the executable>]
string(REGEX REPLACE "\\.keys$" "" base "${SCRIPT}")
set(ENV{LC_ALL} "${LOCALE}")
execute_process(COMMAND ${EMULATOR} "${DRIVER}"
                INPUT_FILE "${SCRIPT}"
                OUTPUT_VARIABLE output
                ERROR_VARIABLE errors
                RESULT_VARIABLE status)

file(READ "${base}.out" expected)
if(EXISTS "${base}.err")
    file(READ "${base}.err" expected_errors)
    set(expected_status 2)
else()
    set(expected_errors "")
    set(expected_status 0)
endif()

if(NOT status STREQUAL expected_status)
    message(FATAL_ERROR "exit status ${status}, expected ${expected_status}\n${errors}")
endif()
if(NOT errors STREQUAL expected_errors)
    message(FATAL_ERROR "standard error differs.\nExpected:\n${expected_errors}\nGot:\n${errors}")
endif()
if(NOT output STREQUAL expected)
    file(WRITE "${CMAKE_CURRENT_BINARY_DIR}/${LOCALE}.actual" "${output}")
    message(FATAL_ERROR "output differs from ${base}.out; "
                        "the driver's output is in ${CMAKE_CURRENT_BINARY_DIR}/${LOCALE}.actual\n"
                        "Got:\n${output}")
endif()
