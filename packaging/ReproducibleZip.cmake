# Run by CPack after it made a package (CPACK_POST_BUILD_SCRIPTS). CPack's zip records each
# file's modification, access and inode change times, and the last cannot be set, so two zips
# of the same files differ. The zip is written again here: its entries in sorted order, each
# with one fixed time (SOURCE_DATE_EPOCH if set, else the time of the sources' last commit)
# and no extra fields, so that the same files give the same zip.
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.zip$")
    continue()
  endif()
  set(epoch "$ENV{SOURCE_DATE_EPOCH}")
  if(epoch STREQUAL "")
    execute_process(COMMAND git -C "${CPACK_PAUSARIUM_SOURCE_DIR}" log -1 --format=%ct
      OUTPUT_VARIABLE epoch OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE status ERROR_QUIET)
    if(NOT status EQUAL 0 OR epoch STREQUAL "")
      message(STATUS "Neither SOURCE_DATE_EPOCH nor a git checkout: ${package} keeps CPack's file times")
      continue()
    endif()
  endif()
  set(dir "${CPACK_TOPLEVEL_DIRECTORY}/zip-content")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${package}" WORKING_DIRECTORY "${dir}"
    COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries RELATIVE "${dir}" "${dir}/*")
  list(SORT entries)
  execute_process(COMMAND touch -d "@${epoch}" ${entries} WORKING_DIRECTORY "${dir}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE "${package}")
  # zip writes local time: UTC, so that the time zone of the build does not matter either.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env TZ=UTC zip -X -D -q "${package}" ${entries}
    WORKING_DIRECTORY "${dir}" COMMAND_ERROR_IS_FATAL ANY)
  file(REMOVE_RECURSE "${dir}")
endforeach()
