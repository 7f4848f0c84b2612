# Starts the real program on the offscreen platform; it must still be running
# (showing its window) when the timeout ends it, not crash on the way up.
execute_process(
    COMMAND ${PROGRAM}
    TIMEOUT 3
    RESULT_VARIABLE result
    OUTPUT_VARIABLE output
    ERROR_VARIABLE output)
if(NOT result MATCHES "timeout")
    message(FATAL_ERROR "tavrelo ended early (${result}):\n${output}")
endif()
