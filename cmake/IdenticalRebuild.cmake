# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DTARGET=... -DEXE=... -DEXE_IN_BUILD=... -DGENERATOR=...
#       -DTOOLCHAIN=... -DBUILD_TYPE=... -DMINUTE_MS=... -DTHREAD_MODEL=... -P IdenticalRebuild.cmake
# Copies the sources to WORK_DIR/source (without .git and build/), configures them as the
# original build was configured into WORK_DIR/build, builds TARGET there and fails unless the
# new .exe (EXE_IN_BUILD, relative to the build directory) equals EXE byte for byte.
cmake_minimum_required(VERSION 3.25)
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/ DESTINATION ${WORK_DIR}/source PATTERN .git EXCLUDE PATTERN build EXCLUDE)
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${WORK_DIR}/source -B ${WORK_DIR}/build -G ${GENERATOR}
          --toolchain ${TOOLCHAIN} -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DBUILD_TESTING=OFF
          -DPAUSARIUM_MINUTE_MS=${MINUTE_MS} -DPAUSARIUM_THREAD_MODEL=${THREAD_MODEL}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
execute_process(COMMAND ${CMAKE_COMMAND} --build ${WORK_DIR}/build --target ${TARGET}
  OUTPUT_QUIET COMMAND_ERROR_IS_FATAL ANY)
set(rebuilt ${WORK_DIR}/build/${EXE_IN_BUILD})
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${EXE} ${rebuilt} RESULT_VARIABLE differ)
if(differ)
  message(FATAL_ERROR "${rebuilt} differs from ${EXE}")
endif()
message(STATUS "${TARGET}: the rebuild in another directory is identical")
file(REMOVE_RECURSE ${WORK_DIR})
