# add_import_check_test(<target> [LOADED_ON_USE <dll>...]): a test that <target>'s .exe needs
# only Windows' own DLLs, and does not import the DLLs it loads itself on first use.
# Testing is enabled in the including folder whether or not the other tests are built, so the
# shipping build checks it too (ctest --test-dir <build>/<that folder>).
enable_testing()
function(add_import_check_test target)
  cmake_parse_arguments(PARSE_ARGV 1 arg "" "" "LOADED_ON_USE")
  string(REPLACE ";" "," on_use "${arg_LOADED_ON_USE}")
  add_test(NAME ${target}.imports_only_system_dlls
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:${target}>
            "-DLOADED_ON_USE=${on_use}" -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
  set_tests_properties(${target}.imports_only_system_dlls PROPERTIES LABELS imports)
endfunction()
