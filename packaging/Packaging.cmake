# Installing and packaging. `cmake --install` (make install) puts the show, its default data
# (composed by datagen at build time), the desktop entry, the icon, the AppStream metadata, the
# manual page and the Debian documentation files under the prefix; CPack (make package) turns
# the same install into triptych_<version>_<arch>.deb. The version is the project's.
include(GNUInstallDirs)

set(TRIPTYCH_APP_ID org.example.triptych)
set(TRIPTYCH_RELEASE_DATE 2026-12-07)
set(packaging_source ${CMAKE_SOURCE_DIR}/packaging)
set(packaging_built ${CMAKE_BINARY_DIR}/packaging)
file(MAKE_DIRECTORY ${packaging_built})
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
  OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The files made at build time. The sanitizer and fuzz builds leave them out: they only test.
if(TARGET datagen AND NOT TRIPTYCH_SANITIZE AND NOT TRIPTYCH_FUZZ)
  add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/data.data
    COMMAND sh -c "\"$1\" \"$2\" >/dev/null" datagen $<TARGET_FILE:datagen> ${CMAKE_BINARY_DIR}/data.data
    DEPENDS datagen
    COMMENT "Composing the default show data" VERBATIM)
  add_custom_command(OUTPUT ${packaging_built}/${TRIPTYCH_APP_ID}.png
    COMMAND datagen --icon ${packaging_built}/${TRIPTYCH_APP_ID}.png
    DEPENDS datagen
    COMMENT "Drawing the icon" VERBATIM)
  # Compressed the way Debian ships them: best compression, no name or time stamp inside.
  add_custom_command(OUTPUT ${packaging_built}/triptych.6.gz
    COMMAND sh -c "gzip -9n -c \"$1\" >\"$2\"" gzip ${packaging_source}/triptych.6 ${packaging_built}/triptych.6.gz
    DEPENDS ${packaging_source}/triptych.6 VERBATIM)
  configure_file(${packaging_source}/changelog.in ${packaging_built}/changelog @ONLY)
  add_custom_command(OUTPUT ${packaging_built}/changelog.gz
    COMMAND sh -c "gzip -9n -c \"$1\" >\"$2\"" gzip ${packaging_built}/changelog ${packaging_built}/changelog.gz
    DEPENDS ${packaging_built}/changelog VERBATIM)
  configure_file(${packaging_source}/${TRIPTYCH_APP_ID}.metainfo.xml.in
    ${packaging_built}/${TRIPTYCH_APP_ID}.metainfo.xml @ONLY)
  add_custom_target(install_files ALL DEPENDS ${CMAKE_BINARY_DIR}/data.data
    ${packaging_built}/${TRIPTYCH_APP_ID}.png ${packaging_built}/triptych.6.gz ${packaging_built}/changelog.gz)

  # Debian's hardening for the installed program: fortified C library calls (they need the
  # optimiser) and a read-only symbol table once the program is loaded.
  foreach(layer ${TRIPTYCH_LAYERS})
    target_compile_definitions(triptych_${layer} PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  endforeach()
  target_compile_definitions(triptych PRIVATE $<$<NOT:$<CONFIG:Debug>>:_FORTIFY_SOURCE=2>)
  target_link_options(triptych PRIVATE -Wl,-z,relro -Wl,-z,now)

  install(TARGETS triptych RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES ${CMAKE_BINARY_DIR}/data.data DESTINATION ${CMAKE_INSTALL_DATADIR}/triptych)
  install(FILES ${packaging_source}/${TRIPTYCH_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${packaging_built}/${TRIPTYCH_APP_ID}.png
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
  install(FILES ${packaging_built}/${TRIPTYCH_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${packaging_built}/triptych.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
  install(FILES ${packaging_source}/copyright ${packaging_built}/changelog.gz
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/triptych)
endif()

# ---- the Debian package ----
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME triptych)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "Triptych Ensemble")
set(CPACK_PACKAGE_CONTACT "Triptych Ensemble <ensemble@triptych.example.org>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://triptych.example.org/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "real-time audiovisual show in three pieces")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
  "Triptych is a show of software-rendered effects synchronised to their music: a
start menu, a short intro, three pieces and the credits, full screen or in a
window. A render mode writes every piece frame by frame into AVI files with its
music, and can deliver the whole show as one MP4 film ready to upload.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Not "games": Debian puts games in /usr/games, and the show is a program of /usr/bin.
set(CPACK_DEBIAN_PACKAGE_SECTION video)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The runtime libraries are found by dpkg-shlibdeps from what the program links.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
