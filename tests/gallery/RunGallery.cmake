# Runs the gallery with a program playing its user alongside, and checks what its listener
# printed, for the gallery's end-to-end run.
#   GALLERY  emulator and gallery, separated by "@@"
#   USER     emulator and user program, separated by "@@"
#   TITLE    the gallery window's title
#   EXPECT   a regular expression the whole output must match
cmake_minimum_required(VERSION 3.25)

string(REPLACE "@@" ";" gallery "${GALLERY}")
string(REPLACE "@@" ";" user "${USER}")
execute_process(COMMAND ${gallery} COMMAND ${user} "${TITLE}" RESULTS_VARIABLE statuses
                OUTPUT_VARIABLE out ERROR_VARIABLE err)
string(REPLACE "\r" "" out "${out}")
message("${out}")
foreach(status IN LISTS statuses)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "a program ended with status ${status}:\n${err}")
  endif()
endforeach()
if(NOT out MATCHES "${EXPECT}")
  message(FATAL_ERROR "the output does not match\n  ${EXPECT}")
endif()
