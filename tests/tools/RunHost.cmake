# Runs talonhost once under the emulator and checks how it ended, for the end-to-end tests.
#   HOST            emulator and program, separated by "@@"
#   ARGS            arguments, separated by "@@"
#   EXPECT_STATUS   the exit status it must end with
#   EXPECT_OUTPUT   regular expressions, separated by "@@", that must all match: stdout when the
#                   run succeeds, the error line when it fails
#   EXPECT_FILE     optional: a file the run must have written, larger than a WAV header
#   SAME_LEVELS_AS  optional: arguments, separated by "@@", of a second run whose output levels
#                   must agree with this run's to within one unit of the last printed digit
#   EXPECT_LOG      optional: regular expressions, separated by "@@", that stderr of a
#                   successful run must match (the --verbose log)
#   WITH            optional: a command, separated by "@@", run alongside that reads the host's
#                   output and passes it on; it must exit 0
#   AFTER           optional: a command, separated by "@@", run afterwards; it must exit 0
cmake_minimum_required(VERSION 3.25)

# The output levels a run printed, as integers in units of the last printed digit.
function(output_levels text result)
  string(REGEX MATCHALL "Output (RMS|M/S)[^\n]*" lines "${text}")
  string(REGEX MATCHALL "[0-9]+[.][0-9][0-9][0-9][0-9] " numbers "${lines}")
  set(levels)
  foreach(number IN LISTS numbers)
    string(REGEX REPLACE "[. ]" "" digits "${number}")
    string(REGEX REPLACE "^0+([0-9])" "\\1" digits "${digits}")
    list(APPEND levels ${digits})
  endforeach()
  set(${result} ${levels} PARENT_SCOPE)
endfunction()

string(REPLACE "@@" ";" command "${HOST}")
if(ARGS)
  string(REPLACE "@@" ";" arguments "${ARGS}")
  list(APPEND command ${arguments})
endif()
if(EXPECT_FILE)
  file(REMOVE "${EXPECT_FILE}")
endif()

# Output goes through files, not pipes: the first program that opens a window starts Wine's
# desktop process, which inherits its standard error and would keep a pipe open until the
# emulator's session ends.
string(MD5 run_id "${HOST}${ARGS}${WITH}")
set(out_file "${CMAKE_CURRENT_BINARY_DIR}/run-${run_id}.out")
set(err_file "${CMAKE_CURRENT_BINARY_DIR}/run-${run_id}.err")
set(run_limit_seconds 120)
set(companion_status 0)
if(WITH)
  string(REPLACE "@@" ";" companion "${WITH}")
  execute_process(COMMAND ${command} COMMAND ${companion} RESULTS_VARIABLE statuses
                  OUTPUT_FILE ${out_file} ERROR_FILE ${err_file} TIMEOUT ${run_limit_seconds})
  list(GET statuses 0 status)
  list(GET statuses 1 companion_status)
else()
  execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_FILE ${out_file}
                  ERROR_FILE ${err_file} TIMEOUT ${run_limit_seconds})
endif()
file(READ ${out_file} out)
file(READ ${err_file} err)
file(REMOVE ${out_file} ${err_file})
message("${out}${err}")
if(NOT companion_status EQUAL 0)
  message(FATAL_ERROR "${companion} failed with status ${companion_status}")
endif()

if(NOT "${status}" STREQUAL "${EXPECT_STATUS}")
  message(FATAL_ERROR "exit status ${status}, expected ${EXPECT_STATUS}")
endif()

if(EXPECT_STATUS EQUAL 0)
  set(checked "${out}")
else()
  # A failure is exactly one line on stderr. Wine announces a new prefix there on its first run.
  string(REPLACE "\r" "" err "${err}")
  string(REGEX REPLACE "(^|\n)wine: [^\n]*" "" err "${err}")
  string(STRIP "${err}" checked)
  if(NOT checked MATCHES "^talonhost: error: [^\n]+$")
    message(FATAL_ERROR "expected one line 'talonhost: error: ...' on stderr, got:\n${err}")
  endif()
endif()

if(EXPECT_OUTPUT)
  string(REPLACE "@@" ";" patterns "${EXPECT_OUTPUT}")
  foreach(pattern IN LISTS patterns)
    if(NOT checked MATCHES "${pattern}")
      message(FATAL_ERROR "output does not match '${pattern}'")
    endif()
  endforeach()
endif()

if(EXPECT_LOG)
  string(REPLACE "@@" ";" patterns "${EXPECT_LOG}")
  foreach(pattern IN LISTS patterns)
    if(NOT err MATCHES "${pattern}")
      message(FATAL_ERROR "the log does not match '${pattern}'")
    endif()
  endforeach()
endif()

if(EXPECT_FILE)
  if(NOT EXISTS "${EXPECT_FILE}")
    message(FATAL_ERROR "${EXPECT_FILE} was not written")
  endif()
  file(SIZE "${EXPECT_FILE}" size)
  if(size LESS_EQUAL 44)
    message(FATAL_ERROR "${EXPECT_FILE} holds no audio (${size} bytes)")
  endif()
endif()

if(SAME_LEVELS_AS)
  string(REPLACE "@@" ";" command "${HOST}")
  string(REPLACE "@@" ";" arguments "${SAME_LEVELS_AS}")
  execute_process(COMMAND ${command} ${arguments} RESULT_VARIABLE status OUTPUT_VARIABLE reference)
  message("${reference}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the reference run failed with status ${status}")
  endif()
  output_levels("${out}" levels)
  output_levels("${reference}" reference_levels)
  list(LENGTH levels count)
  list(LENGTH reference_levels reference_count)
  if(count EQUAL 0 OR NOT count EQUAL reference_count)
    message(FATAL_ERROR "cannot compare output levels: ${levels} and ${reference_levels}")
  endif()
  math(EXPR last "${count} - 1")
  foreach(index RANGE ${last})
    list(GET levels ${index} level)
    list(GET reference_levels ${index} reference_level)
    math(EXPR difference "${level} - ${reference_level}")
    if(difference GREATER 1 OR difference LESS -1)
      message(FATAL_ERROR "output levels differ from the reference run: ${levels} against "
                          "${reference_levels} (units of 0.0001)")
    endif()
  endforeach()
endif()

if(AFTER)
  string(REPLACE "@@" ";" command "${AFTER}")
  execute_process(COMMAND ${command} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
  message("${out}${err}")
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "the check afterwards failed with status ${status}")
  endif()
endif()
