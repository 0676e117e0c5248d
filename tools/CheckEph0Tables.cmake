# Runs the ephemeris table generator into a scratch folder and compares what it writes with the
# committed files, byte for byte. Variables: GENERATOR, DATA, WORK, TABLES, REFERENCE.
if(NOT EXISTS "${DATA}/vsop87/VSOP87D.ear" OR NOT EXISTS "${DATA}/elpmpp02/elp_main.long")
  message("published data not found in ${DATA}; nothing to compare")
  return()
endif()

file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(
  COMMAND "${GENERATOR}" "${DATA}" "${WORK}/Eph0Tables.cpp" "${WORK}/eph0_full_series.tsv"
  RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "the generator failed: ${status}")
endif()

foreach(pair "Eph0Tables.cpp;${TABLES}" "eph0_full_series.tsv;${REFERENCE}")
  list(GET pair 0 name)
  list(GET pair 1 committed)
  execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files "${WORK}/${name}" "${committed}"
                  RESULT_VARIABLE differs)
  if(NOT differs EQUAL 0)
    message(FATAL_ERROR "${committed} differs from what the generator writes now (${WORK}/${name})")
  endif()
endforeach()
