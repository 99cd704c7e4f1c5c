# `cpack` in a build folder: a .deb from the Linux build, a .zip from the
# Windows one. scripts/package.sh makes both.
set(CPACK_PACKAGE_NAME tarnex)
set(CPACK_PACKAGE_VENDOR "Tarnex developers")
set(CPACK_PACKAGE_CONTACT "Tarnex developers <tarnex@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "A320 engine and warning display beside a flight simulator")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_DIRECTORY ${PROJECT_BINARY_DIR}/packages)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarnex-${PROJECT_VERSION}-windows-x64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  # The libraries' packages, as dpkg-shlibdeps finds them from the binaries.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_SECTION misc)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # The faces the Cairo font lookup puts in place of Arial, Courier and Times
  # New Roman, with their metrics; without them text draws wider.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS fonts-liberation)
  # The extended description; the synopsis above comes first by itself.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Tarnex draws the Engine/Warning Display of an A320 with CFM engines in a
window of its own, fed live from a flight simulator through the FSUIPC
protocol. tarnex-sim stands in for the simulator (a demo flight, keyframe
files, recorded flights) and relays X-Plane or FlightGear to the display.")
endif()

include(CPack)
