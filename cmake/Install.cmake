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
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

# The AppStream data and the manual page carry the version and the releases
# (cmake/Version.cmake).
configure_file(desktop/${WHIRL_APP_ID}.metainfo.xml.in ${CMAKE_BINARY_DIR}/desktop/${WHIRL_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/desktop/${WHIRL_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
configure_file(desktop/whirlquarium.6.in ${CMAKE_BINARY_DIR}/desktop/whirlquarium.6 @ONLY)

# The manual page and the package's changelog compressed as Debian has them.
foreach(_file ${CMAKE_BINARY_DIR}/desktop/whirlquarium.6 ${CMAKE_SOURCE_DIR}/desktop/changelog)
  get_filename_component(_name ${_file} NAME)
  # gzip -n: neither name nor time in the header, so every build gives the same bytes.
  execute_process(COMMAND gzip -n -9 -c ${_file} OUTPUT_FILE ${CMAKE_BINARY_DIR}/desktop/${_name}.gz
                  RESULT_VARIABLE _status)
  if(NOT _status EQUAL 0)
    message(FATAL_ERROR "gzip ${_file}: ${_status}")
  endif()
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_file})
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/desktop/whirlquarium.6.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(FILES desktop/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_BINARY_DIR}/desktop/changelog.gz DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME whirlquarium)
set(CPACK_PACKAGE_VERSION ${WHIRL_VERSION})
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
