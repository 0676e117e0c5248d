cmake_minimum_required(VERSION 3.25)
# Copies SOURCE to DESTINATION only when DESTINATION does not exist yet: a user's own file in
# the program folder is never overwritten. Run with -D SOURCE=<file> -D DESTINATION=<file>.
if(EXISTS "${DESTINATION}")
  return()
endif()
get_filename_component(folder "${DESTINATION}" DIRECTORY)
file(MAKE_DIRECTORY "${folder}")
file(COPY_FILE "${SOURCE}" "${DESTINATION}" RESULT failed)
if(failed)
  message(FATAL_ERROR "Cannot copy ${SOURCE} to ${DESTINATION}: ${failed}")
endif()
