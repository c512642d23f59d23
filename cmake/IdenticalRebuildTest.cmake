# add_identical_rebuild_test(<target>): a test that building <target> again, from a copy of the
# sources in another directory into another build directory, gives the same .exe byte for byte:
# nothing of the time or of the place of a build may end up in the program. Registered in the
# shipping configuration only (32-bit, without the unit tests), where it costs one more build of
# the program.
enable_testing()
function(add_identical_rebuild_test target)
  if(NOT CMAKE_SIZEOF_VOID_P EQUAL 4 OR BUILD_TESTING)
    return()
  endif()
  add_test(NAME ${target}.identical_rebuild
    COMMAND ${CMAKE_COMMAND}
            -DSOURCE_DIR=${PROJECT_SOURCE_DIR}
            -DWORK_DIR=${PROJECT_BINARY_DIR}/identical-rebuild/${target}
            -DTARGET=${target}
            -DEXE=$<TARGET_FILE:${target}>
            -DEXE_IN_BUILD=$<PATH:RELATIVE_PATH,$<TARGET_FILE:${target}>,${PROJECT_BINARY_DIR}>
            "-DGENERATOR=${CMAKE_GENERATOR}"
            -DTOOLCHAIN=${CMAKE_TOOLCHAIN_FILE}
            -DBUILD_TYPE=${CMAKE_BUILD_TYPE}
            -DMINUTE_MS=${PAUSARIUM_MINUTE_MS}
            -DTHREAD_MODEL=${PAUSARIUM_THREAD_MODEL}
            -P ${PROJECT_SOURCE_DIR}/cmake/IdenticalRebuild.cmake)
  set_tests_properties(${target}.identical_rebuild PROPERTIES TIMEOUT 300)
endfunction()
