# Helpers of the post-build scripts that write zips anew: the same files give the same zip.

# fixed_time_epoch(<var> <what> [<path>...]): the one time every entry gets: SOURCE_DATE_EPOCH if
# set, else the time of the last commit that changed <path>s (of the whole source without any).
# Empty, with a message that <what> keeps its files' own times, when neither is known.
function(fixed_time_epoch var what)
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    execute_process(COMMAND git -C "${CPACK_PAUSARIUM_SOURCE_DIR}" log -1 --format=%ct -- ${ARGN}
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0 OR epoch STREQUAL "")
      message(STATUS "Neither SOURCE_DATE_EPOCH nor a git checkout: ${what} keeps its files' own times")
      set(epoch "")
    endif()
  endif()
  set(${var} "${epoch}" PARENT_SCOPE)
endfunction()

# zip_at_fixed_time(<zip> <dir> <epoch> <entry>...): writes <zip> anew from the entries below
# <dir>, in the order given, each with the time <epoch> (when not empty), without extra fields.
function(zip_at_fixed_time zip dir epoch)
  if(NOT epoch STREQUAL "")
    execute_process(COMMAND touch -d "@${epoch}" ${ARGN} WORKING_DIRECTORY "${dir}" COMMAND_ERROR_IS_FATAL ANY)
  endif()
  file(REMOVE "${zip}")
  # zip writes local time: UTC, so that the time zone of the build does not matter either.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q "${zip}" ${ARGN}
    WORKING_DIRECTORY "${dir}" COMMAND_ERROR_IS_FATAL ANY)
endfunction()
