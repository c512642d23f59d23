# Run by cpack before it packs (CPACK_PRE_BUILD_SCRIPTS, set by SignedPackage.cmake): signs the
# programs in the staging directory, so that the installer and the zip carry signed programs.
foreach(program Pausarium.exe PausariumSetup.exe)
  execute_process(
    COMMAND "${CPACK_PAUSARIUM_SOURCE_DIR}/packaging/sign-file.sh" "${CPACK_TEMPORARY_INSTALL_DIRECTORY}/${program}"
    COMMAND_ERROR_IS_FATAL ANY)
endforeach()
