# The Windows downloads, made from the cross-built game with Debian's tools:
#   target installer      whirlquarium-VERSION-setup.exe (makensis, tools/release/installer.nsi)
#   <build>/windows/      README.txt and LICENSE.txt with Windows line ends, for the
#                         installer and the zip of make release
# Not part of the default build: make windows needs no nsis.
foreach(_doc README.md:README.txt LICENSE:LICENSE.txt)
  string(REPLACE ":" ";" _doc ${_doc})
  list(GET _doc 0 _from)
  list(GET _doc 1 _to)
  file(READ ${CMAKE_SOURCE_DIR}/${_from} _text)
  string(REPLACE "\r\n" "\n" _text "${_text}")
  string(REPLACE "\n" "\r\n" _text "${_text}")
  whirl_write_if_changed(${CMAKE_BINARY_DIR}/windows/${_to} "${_text}")
  set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/${_from})
endforeach()

# Without nsis installed, building the target fails naming makensis.
find_program(WHIRL_MAKENSIS makensis)
if(NOT WHIRL_MAKENSIS)
  set(WHIRL_MAKENSIS makensis)
endif()
set(WHIRL_INSTALLER ${CMAKE_BINARY_DIR}/whirlquarium-${WHIRL_VERSION}-setup.exe)
string(REPLACE "," "." _version4 ${WHIRL_VERSION_RC})
set(_nsi ${CMAKE_SOURCE_DIR}/tools/release/installer.nsi)
add_custom_command(OUTPUT ${WHIRL_INSTALLER}
  COMMAND ${WHIRL_MAKENSIS} -V2 -NOCD
          "-DVERSION=${WHIRL_VERSION}" "-DVERSION4=${_version4}" "-DPUBLISHER=${WHIRL_PUBLISHER}"
          "-DCOPYRIGHT=${WHIRL_COPYRIGHT}" "-DEXE=$<TARGET_FILE:whirlquarium>" "-DDOCS=${CMAKE_BINARY_DIR}/windows"
          "-DICON=${CMAKE_SOURCE_DIR}/resources/Whirlquarium.ico" "-DOUTFILE=${WHIRL_INSTALLER}" ${_nsi}
  DEPENDS whirlquarium ${_nsi} ${CMAKE_BINARY_DIR}/windows/README.txt ${CMAKE_BINARY_DIR}/windows/LICENSE.txt
          ${CMAKE_SOURCE_DIR}/resources/Whirlquarium.ico
  VERBATIM)
add_custom_target(installer DEPENDS ${WHIRL_INSTALLER})
