# Run by CPack after it made a package (CPACK_POST_BUILD_SCRIPTS). A silent install or uninstall
# (/S) must never wait for a click, so every MessageBox of the NSIS script, the generated one and
# the parts it includes, needs a silent default (/SD). One without it fails the package, and no
# installer is left behind: neither the one just made nor an earlier one under the same name.
if(NOT CPACK_GENERATOR STREQUAL "NSIS")
  return()
endif()

# NSIS reads its commands and switches in any letter case ("messagebox ... /sd idok"), hence the
# lower-cased lines; the scripts are UTF-8 (their Russian texts among them), read as such so that
# no line is split inside a character.
function(find_boxes_without_silent_default script result)
  file(STRINGS "${script}" lines ENCODING UTF-8)
  set(found "")
  set(line_number 0)
  set(statement "")
  foreach(line IN LISTS lines)
    math(EXPR line_number "${line_number} + 1")
    string(STRIP "${line}" line)
    string(TOLOWER "${line}" lower)
    # A box opens a statement at the line's start, or after a LogicLib test such as ${IfCmd}.
    if(lower MATCHES "^[;#]"
       OR (statement STREQUAL "" AND NOT lower MATCHES "^(\\\${[a-z_]+}[ \t]+)?messagebox[ \t]"))
      continue()
    endif()
    # A statement may go on over lines ending in a backslash.
    string(APPEND statement " ${lower}")
    if(lower MATCHES "\\\\$")
      continue()
    endif()
    if(NOT statement MATCHES "[ \t]/sd[ \t]+id")
      list(APPEND found "${script}:${line_number}:${line}")
    endif()
    set(statement "")
  endforeach()
  set(${result} "${found}" PARENT_SCOPE)
endfunction()

file(GLOB parts "${CPACK_PAUSARIUM_NSIS_DIR}/*.nsh")
set(offenders "")
foreach(script "${CPACK_TOPLEVEL_DIRECTORY}/project.nsi" ${parts})
  if(NOT EXISTS "${script}")
    message(FATAL_ERROR "No NSIS script to check at ${script}")
  endif()
  find_boxes_without_silent_default("${script}" found)
  list(APPEND offenders ${found})
endforeach()
if(offenders)
  # CPack goes on after a failed post-build script and copies the package to the package
  # directory: the installer just made goes, and so does one of the same name that an earlier
  # build copied there.
  foreach(package IN LISTS CPACK_PACKAGE_FILES)
    file(REMOVE "${package}")
    if(CPACK_PACKAGE_DIRECTORY)
      get_filename_component(name "${package}" NAME)
      file(REMOVE "${CPACK_PACKAGE_DIRECTORY}/${name}")
    endif()
  endforeach()
  list(JOIN offenders "\n  " offenders)
  message(FATAL_ERROR "MessageBox without a silent default (/SD), which would stop a silent run; "
    "no installer was made:\n  ${offenders}")
endif()
