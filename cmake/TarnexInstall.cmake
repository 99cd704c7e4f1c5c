# Where `cmake --install` puts the programs and what ships with them.
#
# Linux: the FHS layout under the prefix (bin/, share/tarnex/, the desktop
# entry and hicolor icons in their XDG places, a man page per program made
# from its own --help, and the Debian copyright and changelog). The icons, man
# pages and changelog are made only with TARNEX_PACKAGING.
# Windows: one flat folder, as a .zip unpacks: the three programs, the
# layouts and a README.txt.
include(GNUInstallDirs)
# Debian looks for the copyright and changelog under the package's name.
set(TARNEX_DOCDIR ${CMAKE_INSTALL_DATAROOTDIR}/doc/tarnex)

set(TARNEX_PROGRAMS tarnex tarnex-sim tarnex-layout)
set(TARNEX_LAYOUTS ${PROJECT_SOURCE_DIR}/layouts/a320cfm-basic.ini ${PROJECT_SOURCE_DIR}/layouts/a320cfm.ini ${PROJECT_SOURCE_DIR}/layouts/a320iae.ini)
file(GLOB TARNEX_AIRCRAFT_FILES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/aircraft/*.ini)

if(WIN32)
  install(TARGETS ${TARNEX_PROGRAMS} RUNTIME DESTINATION .)
  install(FILES ${TARNEX_LAYOUTS} DESTINATION layouts)
  install(FILES ${TARNEX_AIRCRAFT_FILES} DESTINATION aircraft)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/windows/README.txt DESTINATION .)
  return()
endif()

install(TARGETS ${TARNEX_PROGRAMS} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TARNEX_LAYOUTS} DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnex/layouts)
install(FILES ${TARNEX_AIRCRAFT_FILES} DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnex/aircraft)
# Laid out as a FlightGear data folder, so that fgfs --data can name it.
install(FILES ${PROJECT_SOURCE_DIR}/tools/sim/flightgear/tarnex.xml
  DESTINATION ${CMAKE_INSTALL_DATADIR}/tarnex/flightgear/Protocol)
# The menu opens the full page (the built-in layout is the basic one) from
# where the layouts are installed; the prefix is known only when installing,
# and a package installs under /usr whatever the build was configured with.
install(CODE "
  file(READ \"${PROJECT_SOURCE_DIR}/packaging/linux/tarnex.desktop.in\" entry)
  string(REPLACE \"@TARNEX_FULL_LAYOUT@\" \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/tarnex/layouts/a320cfm.ini\"
    entry \"\${entry}\")
  file(WRITE \"${PROJECT_BINARY_DIR}/packaging/tarnex.desktop\" \"\${entry}\")")
install(FILES ${PROJECT_BINARY_DIR}/packaging/tarnex.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES
    ${PROJECT_SOURCE_DIR}/tools/sim/README-bridge.md
    ${PROJECT_SOURCE_DIR}/tools/sim/README-scenario.md
    ${PROJECT_SOURCE_DIR}/docs/aircraft.md
    ${PROJECT_SOURCE_DIR}/packaging/linux/copyright
  DESTINATION ${TARNEX_DOCDIR})

if(NOT TARNEX_PACKAGING)
  return()
endif()
set(GENERATED ${PROJECT_BINARY_DIR}/install)

# The icons are the Windows program's own, one PNG per size the .ico holds.
find_program(TARNEX_IMAGEMAGICK convert)
if(NOT TARNEX_IMAGEMAGICK)
  message(FATAL_ERROR "ImageMagick's convert is needed to make the icons; run scripts/install-deps.sh.")
endif()
set(ICON_SIZES 16 32 48)
set(ICON_FILES)
foreach(size ${ICON_SIZES})
  list(APPEND ICON_FILES ${GENERATED}/icons/tarnex-${size}.png)
endforeach()
add_custom_command(OUTPUT ${ICON_FILES}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED}/icons
  COMMAND ${TARNEX_IMAGEMAGICK} ${PROJECT_SOURCE_DIR}/src/platform/win32/icons/tarnex.ico
          -set filename:size %w ${GENERATED}/icons/tarnex-%[filename:size].png
  DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/win32/icons/tarnex.ico
  COMMENT "Taking the icons out of tarnex.ico"
  VERBATIM)
foreach(size ${ICON_SIZES})
  install(FILES ${GENERATED}/icons/tarnex-${size}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME tarnex.png)
endforeach()

# Man pages from --help at build time, so they cannot drift from it.
find_program(TARNEX_HELP2MAN help2man)
find_program(TARNEX_GZIP gzip)
if(NOT TARNEX_HELP2MAN OR NOT TARNEX_GZIP)
  message(FATAL_ERROR "help2man and gzip are needed to make the man pages; run scripts/install-deps.sh.")
endif()
set(tarnex_SUMMARY "A320 engine and warning display beside a flight simulator")
set(tarnex-sim_SUMMARY "simulator stand-in serving the FSUIPC protocol, and bridge to X-Plane and FlightGear")
set(tarnex-layout_SUMMARY "pack, unpack, check and lint Tarnex layout files")
set(MAN_PAGES)
foreach(program ${TARNEX_PROGRAMS})
  set(page ${GENERATED}/man/${program}.1.gz)
  add_custom_command(OUTPUT ${page}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${GENERATED}/man
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY
            ${TARNEX_HELP2MAN} --no-info --no-discard-stderr --version-string=${PROJECT_VERSION}
            --name=${${program}_SUMMARY} --output=${GENERATED}/man/${program}.1 $<TARGET_FILE:${program}>
    COMMAND ${TARNEX_GZIP} -9nf ${GENERATED}/man/${program}.1
    DEPENDS ${program}
    COMMENT "Writing the man page of ${program} from its --help"
    VERBATIM)
  list(APPEND MAN_PAGES ${page})
endforeach()
install(FILES ${MAN_PAGES} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CHANGELOG ${GENERATED}/changelog.gz)
add_custom_command(OUTPUT ${CHANGELOG}
  COMMAND ${CMAKE_COMMAND} -E copy ${PROJECT_SOURCE_DIR}/packaging/linux/changelog ${GENERATED}/changelog
  COMMAND ${TARNEX_GZIP} -9nf ${GENERATED}/changelog
  DEPENDS ${PROJECT_SOURCE_DIR}/packaging/linux/changelog
  VERBATIM)
install(FILES ${CHANGELOG} DESTINATION ${TARNEX_DOCDIR})

add_custom_target(tarnex_install_files ALL DEPENDS ${ICON_FILES} ${MAN_PAGES} ${CHANGELOG})
