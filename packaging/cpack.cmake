# `cpack -G DEB` in the build folder makes palmut_<version>_<arch>.deb.
set(CPACK_PACKAGE_NAME palmut)
set(CPACK_PACKAGE_VENDOR "The Palmut developers")
set(CPACK_PACKAGE_CONTACT "The Palmut developers <palmut@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "survival adventure on a desert island in 8-bit style")
set(CPACK_PACKAGE_DESCRIPTION
  "Palmut is a small single-player game: a castaway walks an island seen from\n\
above, gathers and combines what he finds, keeps hunger and thirst at bay,\n\
meets apes and a monitor lizard, and builds a raft to sail home.\n\
The game texts are German.")
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${PROJECT_HOMEPAGE_URL})
# Library dependencies come from the linked libraries themselves.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# OpenGL needs a driver at run time that no library links to; the file
# dialog and the readme viewer are desktop helpers the game can do without.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libgl1-mesa-dri")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "zenity | kdialog, xdg-utils")
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")
include(CPack)
