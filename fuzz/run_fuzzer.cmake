# Runs one fuzz target for SECONDS seconds on a fresh copy of the seed
# corpus SEEDS in WORK/corpus, so that the committed seeds are never written
# to; an input that fails is kept in WORK/artifacts. The test passes exactly
# when the fuzzer exits with status 0. OPTIONS, a list, adds the target's
# own libFuzzer options.
#   cmake -DFUZZER=... -DSEEDS=... -DWORK=... -DSECONDS=... [-DOPTIONS=...]
#         -P run_fuzzer.cmake
foreach(variable IN ITEMS FUZZER SEEDS WORK SECONDS)
    if(NOT DEFINED ${variable})
        message(FATAL_ERROR "run_fuzzer.cmake needs -D${variable}=...")
    endif()
endforeach()

file(REMOVE_RECURSE ${WORK}/corpus)
file(MAKE_DIRECTORY ${WORK}/corpus ${WORK}/artifacts)
file(COPY ${SEEDS}/ DESTINATION ${WORK}/corpus)

execute_process(
    COMMAND ${FUZZER} -max_total_time=${SECONDS} -timeout=10 -rss_limit_mb=2048
            -print_final_stats=1 -artifact_prefix=${WORK}/artifacts/ ${OPTIONS} ${WORK}/corpus
    RESULT_VARIABLE status)
if(NOT status EQUAL 0)
    message(FATAL_ERROR "${FUZZER} exited with status ${status}; "
                        "the input that failed it is in ${WORK}/artifacts")
endif()
