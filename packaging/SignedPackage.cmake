# Read by cpack for each package it makes (CPACK_PROJECT_CONFIG_FILE). When scripts/sign-release.sh
# runs cpack with a certificate in PAUSARIUM_SIGN_PKCS12, everything executable is signed on the
# way: both programs in the staging directory before they are packed, then, inside makensis, the
# uninstaller before it is packed into the installer, and the installer itself.
if(NOT DEFINED ENV{PAUSARIUM_SIGN_PKCS12})
  return()
endif()
set(sign_file "${CPACK_PAUSARIUM_SOURCE_DIR}/packaging/sign-file.sh")
list(APPEND CPACK_PRE_BUILD_SCRIPTS "${CPACK_PAUSARIUM_SOURCE_DIR}/packaging/SignPrograms.cmake")
if(CPACK_GENERATOR STREQUAL "NSIS")
  string(APPEND CPACK_NSIS_DEFINES "
  !uninstfinalize '\"${sign_file}\" \"%1\"' = 0
  !finalize '\"${sign_file}\" \"%1\"' = 0")
endif()
