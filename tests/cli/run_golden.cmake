# Runs trq05 on a session script and compares what it prints, byte for byte, with the expected
# output; the exit code must be the expected one too.
#   -DTRQ05=path -DSCRIPT=file -DEXPECTED=file -DEXIT_CODE=n -DWORK_DIR=dir
file(MAKE_DIRECTORY "${WORK_DIR}")
execute_process(
  COMMAND "${TRQ05}" --script "${SCRIPT}" --db "${WORK_DIR}/session.sqlite"
  OUTPUT_VARIABLE actual
  ERROR_VARIABLE errors
  RESULT_VARIABLE code)
file(READ "${EXPECTED}" expected)
if(NOT code EQUAL EXIT_CODE)
  message(FATAL_ERROR "exit code ${code}, expected ${EXIT_CODE}\n${errors}")
endif()
if(NOT actual STREQUAL expected)
  file(WRITE "${WORK_DIR}/actual.out" "${actual}")
  execute_process(COMMAND diff -u "${EXPECTED}" "${WORK_DIR}/actual.out")
  message(FATAL_ERROR "output differs from ${EXPECTED}")
endif()
