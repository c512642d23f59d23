# Run by CPack after it made a package (CPACK_POST_BUILD_SCRIPTS): the Group Policy templates
# beside the packages, as Pausarium-<version>-admx.zip in the layout of a PolicyDefinitions
# folder (the ADMX at the top, each ADML in its language's folder), ready to be copied into the
# central store or a computer's C:\Windows\PolicyDefinitions. Entries sorted, one fixed time
# (SOURCE_DATE_EPOCH if set, else the templates' last change), no extra fields: the same
# templates give the same zip. The installer does not install them.
include(${CMAKE_CURRENT_LIST_DIR}/FixedTimeZip.cmake)
set(zip "${CPACK_PACKAGE_DIRECTORY}/Pausarium-${CPACK_PACKAGE_VERSION}-admx.zip")
set(entries Pausarium.admx en-US/Pausarium.adml ru-RU/Pausarium.adml)

set(dir "${CPACK_TOPLEVEL_DIRECTORY}/admx-content")
file(REMOVE_RECURSE "${dir}")
foreach(entry IN LISTS entries)
  get_filename_component(sub "${entry}" DIRECTORY)
  file(COPY "${CPACK_PAUSARIUM_SOURCE_DIR}/packaging/policies/${entry}" DESTINATION "${dir}/${sub}")
endforeach()
fixed_time_epoch(epoch "${zip}" packaging/policies)
zip_at_fixed_time("${zip}" "${dir}" "${epoch}" ${entries})
file(REMOVE_RECURSE "${dir}")
message(STATUS "Group Policy templates: ${zip}")
