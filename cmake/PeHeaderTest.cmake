# add_pe_header_test(<target>): a test that <target>'s .exe carries the PE header's security
# flags and a .reloc section (see CheckPeHeader.cmake). Like the import check, registered in the
# shipping build too.
enable_testing()
function(add_pe_header_test target)
  math(EXPR bits "${CMAKE_SIZEOF_VOID_P} * 8")
  add_test(NAME ${target}.pe_header_flags
    COMMAND ${CMAKE_COMMAND} -DOBJDUMP=${CMAKE_OBJDUMP} -DEXE=$<TARGET_FILE:${target}> -DBITS=${bits}
            -P ${PROJECT_SOURCE_DIR}/cmake/CheckPeHeader.cmake)
  set_tests_properties(${target}.pe_header_flags PROPERTIES LABELS imports)
endfunction()
