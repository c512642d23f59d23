# add_import_check_test(<target>): a test that <target>'s .exe imports only the KnownDLLs it
# needs from its start (see CheckImports.cmake).
# Testing is enabled in the including folder whether or not the other tests are built, so the
# shipping build checks it too (ctest --test-dir <build>/<that folder>).
enable_testing()
function(add_import_check_test target)
  add_test(NAME ${target}.imports_only_system_dlls
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:${target}>
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckImports.cmake)
  set_tests_properties(${target}.imports_only_system_dlls PROPERTIES LABELS imports)
endfunction()
