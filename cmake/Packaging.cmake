# Installation and the Debian package.
#   /usr/bin/domarium, /usr/bin/domarium-snapshot
#   /usr/share/domarium/StarData          (the program's working folder)
#   /usr/share/domarium/ConstellationData, StarNames (beside StarData)
#   /usr/share/applications/domarium.desktop
#   /usr/share/icons/hicolor/{scalable,256x256,48x48}/apps/domarium.{svg,png}
#   /usr/share/doc/domarium/copyright
# Build the package with: cmake --build build/release && cpack --config build/release/CPackConfig.cmake

include(GNUInstallDirs)

set(DOMARIUM_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")

if(TARGET domarium)
  install(TARGETS domarium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS domarium-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/StarData" "${PROJECT_SOURCE_DIR}/ConstellationData"
              "${PROJECT_SOURCE_DIR}/StarNames" DESTINATION ${CMAKE_INSTALL_DATADIR}/domarium)
install(FILES "${DOMARIUM_PACKAGING_DIR}/domarium.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${DOMARIUM_PACKAGING_DIR}/domarium.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES "${DOMARIUM_PACKAGING_DIR}/copyright" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/domarium)

# The bitmap icons are drawn from the SVG at build time.
find_program(DOMARIUM_RSVG_CONVERT rsvg-convert)
if(DOMARIUM_RSVG_CONVERT)
  set(icons)
  foreach(size 48 256)
    set(icon "${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}/domarium.png")
    add_custom_command(OUTPUT "${icon}"
      COMMAND ${CMAKE_COMMAND} -E make_directory "${CMAKE_CURRENT_BINARY_DIR}/icons/${size}x${size}"
      COMMAND ${DOMARIUM_RSVG_CONVERT} -w ${size} -h ${size} -o "${icon}" "${DOMARIUM_PACKAGING_DIR}/domarium.svg"
      DEPENDS "${DOMARIUM_PACKAGING_DIR}/domarium.svg"
      COMMENT "Drawing the ${size}x${size} icon"
      VERBATIM)
    install(FILES "${icon}" DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    list(APPEND icons "${icon}")
  endforeach()
  add_custom_target(domarium_icons ALL DEPENDS ${icons})
else()
  message(WARNING "rsvg-convert not found (Debian package librsvg2-bin): installing the SVG icon only")
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME domarium)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Domarium")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop planetarium for science lessons")
set(CPACK_PACKAGE_DESCRIPTION
    "Domarium shows the celestial sphere as a three-dimensional dome seen from\n"
    "outside, with the horizon plane, the compass points and 3146 real stars\n"
    "for a chosen place, date, time, view direction and limiting magnitude.\n"
    "Holding the animate button turns the sky. All texts are in Japanese.\n"
    "domarium-snapshot writes the same chart as a PNG picture.")
string(REPLACE ";" "" CPACK_PACKAGE_DESCRIPTION "${CPACK_PACKAGE_DESCRIPTION}")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Domarium developers <maintainers@domarium.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The Qt libraries come from dpkg-shlibdeps; the platform plugins that put the
# window on screen and the Japanese fonts that the chart and the controls use
# are loaded at run time, so they are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-ipafont-mincho, fonts-ipafont-gothic")
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
include(CPack)

# The package test needs the real program and the window tests' screen tool;
# a sanitizer build is never packaged, so it has no package test.
if(DOMARIUM_BUILD_TESTS AND TARGET domarium AND TARGET domarium-screen AND NOT DOMARIUM_SANITIZE)
  add_subdirectory(tests/package)
endif()
