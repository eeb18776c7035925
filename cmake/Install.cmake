# What make install puts on a Linux desktop, and the Debian package of make deb:
# the program, its menu entry, icons in the hicolor theme, AppStream data and
# the manual page (desktop/ holds all but the program and the icons).
include(GNUInstallDirs)
set(WHIRL_APP_ID org.whirlquarium.Whirlquarium)
set(CMAKE_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/whirlquarium)
add_subdirectory(${CMAKE_SOURCE_DIR}/tools/icons ${CMAKE_BINARY_DIR}/tools/icons)

# Debian keeps games in games/ beside bin/, on the path of every user.
install(TARGETS whirlquarium RUNTIME DESTINATION games)
install(FILES desktop/${WHIRL_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES desktop/${WHIRL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The manual page and the package's changelog compressed as Debian has them.
file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/desktop)
foreach(_file whirlquarium.6 changelog)
  file(ARCHIVE_CREATE OUTPUT ${CMAKE_BINARY_DIR}/desktop/${_file}.gz PATHS ${CMAKE_SOURCE_DIR}/desktop/${_file}
       FORMAT raw COMPRESSION GZip COMPRESSION_LEVEL 9 MTIME 0)
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/desktop/${_file})
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/desktop/whirlquarium.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES desktop/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_BINARY_DIR}/desktop/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME whirlquarium)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "Whirlquarium developers <whirlquarium@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "arcade game: save the fish in the blender, or blend it")
set(CPACK_PACKAGE_DESCRIPTION "Dorode the fish swims in a blender full of water. Insert quarters, hold the
blender button while the speed reading climbs from 1 to 10, and either let the
fish be blended or flip the blender in time to save it.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Depends on the libraries the program links to, SDL2's runtime among them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
