# Installation, under any prefix (the Debian package uses /usr):
#   bin/domarium, bin/domarium-snapshot
#   share/domarium/StarData               (found there from any folder)
#   share/domarium/ConstellationData, StarNames (beside StarData)
#   share/applications/org.example.domarium.desktop
#   share/metainfo/org.example.domarium.metainfo.xml
#   share/icons/hicolor/{scalable,256x256,48x48}/apps/domarium.{svg,png}
#   share/man/man1/*.1, share/man/ja/man1/*.1
#   share/doc/domarium/copyright
# The Debian package is built by debian/rules (tools/build-package.sh).

include(GNUInstallDirs)

set(DOMARIUM_PACKAGING_DIR "${PROJECT_SOURCE_DIR}/packaging")

if(TARGET domarium)
  install(TARGETS domarium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(TARGETS domarium-snapshot RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES "${PROJECT_SOURCE_DIR}/StarData" "${PROJECT_SOURCE_DIR}/ConstellationData"
              "${PROJECT_SOURCE_DIR}/StarNames" DESTINATION ${CMAKE_INSTALL_DATADIR}/domarium)
install(FILES "${DOMARIUM_PACKAGING_DIR}/org.example.domarium.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES "${DOMARIUM_PACKAGING_DIR}/org.example.domarium.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES "${DOMARIUM_PACKAGING_DIR}/domarium.svg"
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES "${DOMARIUM_PACKAGING_DIR}/copyright" DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/domarium)

# The manual pages, English and Japanese, each written from its one source.
set(manuals)
foreach(program domarium domarium-snapshot)
  foreach(language en ja)
    set(page "${CMAKE_CURRENT_BINARY_DIR}/man/${language}/${program}.1")
    add_custom_command(OUTPUT "${page}"
      COMMAND ${CMAKE_COMMAND} -DSOURCE=${DOMARIUM_PACKAGING_DIR}/man/${program}.1.in -DOUTPUT=${page}
              -DLANGUAGE=${language} -DVERSION=${PROJECT_VERSION}
              -DDATADIR=${CMAKE_INSTALL_FULL_DATADIR}/domarium -P ${DOMARIUM_PACKAGING_DIR}/man/RenderManPage.cmake
      DEPENDS "${DOMARIUM_PACKAGING_DIR}/man/${program}.1.in" "${DOMARIUM_PACKAGING_DIR}/man/RenderManPage.cmake"
      COMMENT "Writing the ${language} manual page of ${program}"
      VERBATIM)
    list(APPEND manuals "${page}")
  endforeach()
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/man/en/${program}.1" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  install(FILES "${CMAKE_CURRENT_BINARY_DIR}/man/ja/${program}.1" DESTINATION ${CMAKE_INSTALL_MANDIR}/ja/man1)
endforeach()
add_custom_target(domarium_manuals ALL DEPENDS ${manuals})

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

# The package test needs the real program and the window tests' screen tool;
# a sanitizer build is never packaged, so it has no package test.
if(DOMARIUM_BUILD_TESTS AND TARGET domarium AND TARGET domarium-screen AND NOT DOMARIUM_SANITIZE)
  add_subdirectory(tests/package)
endif()
