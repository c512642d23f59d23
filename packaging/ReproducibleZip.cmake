# Run by CPack after it made a package (CPACK_POST_BUILD_SCRIPTS). CPack's zip records each
# file's modification, access and inode change times, and the last cannot be set, so two zips
# of the same files differ. The zip is written again here: its entries in sorted order, each
# with one fixed time (SOURCE_DATE_EPOCH if set, else the time of the sources' last commit)
# and no extra fields, so that the same files give the same zip.
include(${CMAKE_CURRENT_LIST_DIR}/FixedTimeZip.cmake)
foreach(package IN LISTS CPACK_PACKAGE_FILES)
  if(NOT package MATCHES "\\.zip$")
    continue()
  endif()
  fixed_time_epoch(epoch "${package}")
  if(epoch STREQUAL "")
    continue()
  endif()
  set(dir "${CPACK_TOPLEVEL_DIRECTORY}/zip-content")
  file(REMOVE_RECURSE "${dir}")
  file(MAKE_DIRECTORY "${dir}")
  execute_process(COMMAND ${CMAKE_COMMAND} -E tar xf "${package}" WORKING_DIRECTORY "${dir}"
    COMMAND_ERROR_IS_FATAL ANY)
  file(GLOB_RECURSE entries RELATIVE "${dir}" "${dir}/*")
  list(SORT entries)
  zip_at_fixed_time("${package}" "${dir}" "${epoch}" ${entries})
  file(REMOVE_RECURSE "${dir}")
endforeach()
