# Run by CPack after it made a package (CPACK_POST_BUILD_SCRIPTS). A silent install or uninstall
# (/S) must never wait for a click, so every MessageBox of the NSIS script, the generated one and
# the parts it includes, needs a silent default (/SD). One without it fails the package, and no
# installer is left behind: neither the one just made nor an earlier one under the same name.
if(NOT CPACK_GENERATOR STREQUAL "NSIS")
  return()
endif()

# The scripts are read whole and split into lines here: file(STRINGS) makes a CMake list, which
# does not split a line at a ";" or "\" of the script's own, nor inside "[...]". Those three
# characters become control characters first (the tests below look for them so), and only the
# message shows them again.
string(ASCII 1 semicolon)
string(ASCII 2 backslash)
string(ASCII 3 opening_bracket)
string(ASCII 4 closing_bracket)

# code_of(LINE RESULT): LINE without its comment, which begins with ";" or "#" at the start of a
# word outside quotes ("...", '...' or `...`, which NSIS does not nest: a quote of another kind
# inside one is text; "$\"" is an escaped quote).
function(code_of line result)
  string(LENGTH "${line}" length)
  set(quote "")
  set(previous " ")
  set(i 0)
  while(i LESS length)
    string(SUBSTRING "${line}" ${i} 1 c)
    if(c STREQUAL "$")
      string(SUBSTRING "${line}" ${i} 2 pair)
      if(pair STREQUAL "$${backslash}")
        math(EXPR i "${i} + 3")
        set(previous "x")
        continue()
      endif()
    endif()
    if(NOT quote STREQUAL "")
      if(c STREQUAL quote)
        set(quote "")
      endif()
    elseif(c MATCHES "[\"'`]")
      set(quote "${c}")
    elseif((c STREQUAL semicolon OR c STREQUAL "#") AND previous MATCHES "^[ \t]$")
      string(SUBSTRING "${line}" 0 ${i} line)
      break()
    endif()
    set(previous "${c}")
    math(EXPR i "${i} + 1")
  endwhile()
  set(${result} "${line}" PARENT_SCOPE)
endfunction()

# NSIS reads its commands and switches in any letter case ("messagebox ... /sd idok"), hence the
# lower-cased lines. A box may open a statement, follow a LogicLib test (${IfCmd} MessageBox...),
# or lie in quotes, to be run later (${Cmd} `MessageBox ...`, !define X "MessageBox ...").
function(find_boxes_without_silent_default script result)
  file(READ "${script}" text)
  string(REPLACE ";" "${semicolon}" text "${text}")
  string(REPLACE "\\" "${backslash}" text "${text}")
  string(REPLACE "[" "${opening_bracket}" text "${text}")
  string(REPLACE "]" "${closing_bracket}" text "${text}")
  string(REPLACE "\r" "" text "${text}")
  string(REPLACE "\n" ";" lines "${text}")
  set(found "")
  set(line_number 0)
  set(statement "")
  foreach(line IN LISTS lines)
    math(EXPR line_number "${line_number} + 1")
    string(TOLOWER "${line}" lower)
    if(statement STREQUAL "" AND NOT lower MATCHES "messagebox")
      continue()
    endif()
    code_of("${lower}" code)
    string(STRIP "${code}" code)
    if(statement STREQUAL "" AND NOT code MATCHES "(^|[ \t`'\"])messagebox[ \t]")
      continue()
    endif()
    # A statement may go on over lines ending in a backslash.
    string(APPEND statement " ${code}")
    if(code MATCHES "${backslash}$")
      continue()
    endif()
    if(NOT statement MATCHES "[ \t]/sd[ \t]+id")
      set(script_line "${script}:${line_number}:${line}")
      list(APPEND found "${script_line}")
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
  # The script's own characters back, for the message.
  string(REPLACE "${semicolon}" ";" offenders "${offenders}")
  string(REPLACE "${backslash}" "\\" offenders "${offenders}")
  string(REPLACE "${opening_bracket}" "[" offenders "${offenders}")
  string(REPLACE "${closing_bracket}" "]" offenders "${offenders}")
  message(FATAL_ERROR "MessageBox without a silent default (/SD), which would stop a silent run; "
    "no installer was made:\n  ${offenders}")
endif()
