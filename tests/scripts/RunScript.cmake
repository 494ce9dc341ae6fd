# Runs one script through tabula-script and compares its output with the expected file,
# byte for byte. Called by CTest with PROGRAM, SCRIPT, EXPECTED and ACTUAL defined.
execute_process(
    COMMAND ${PROGRAM} ${SCRIPT}
    OUTPUT_VARIABLE actual
    ERROR_VARIABLE errors
    RESULT_VARIABLE status)
file(READ ${EXPECTED} expected)
if(NOT "${actual}" STREQUAL "${expected}")
    file(WRITE ${ACTUAL} "${actual}")
    message(FATAL_ERROR "The output of ${SCRIPT} differs from ${EXPECTED}; "
                        "it is in ${ACTUAL}.\n${errors}")
endif()
# 0 when every statement succeeded, 1 when some failed; anything else is a crash.
if(NOT status MATCHES "^[01]$")
    message(FATAL_ERROR "tabula-script ended with ${status}\n${errors}")
endif()
