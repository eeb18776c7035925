# Embeds the files named in resources/resources.txt into an object library
# `resources`, with a table that the platform layer's resource functions read.
# Bitmaps are stored as a bitmap resource is: without the 14-byte file header.

set(WHIRL_RES_TABLE ${CMAKE_SOURCE_DIR}/resources/resources.txt)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${WHIRL_RES_TABLE})
file(STRINGS ${WHIRL_RES_TABLE} _lines)

set(_asm ".section .rodata\n")
set(_decls "")
set(_rows "")
set(_files "")
set(_count 0)
foreach(_line IN LISTS _lines)
  string(STRIP "${_line}" _line)
  if(_line STREQUAL "" OR _line MATCHES "^#")
    continue()
  endif()
  string(REGEX REPLACE "[ \t]+" ";" _fields "${_line}")
  list(LENGTH _fields _n)
  if(NOT _n EQUAL 3)
    message(FATAL_ERROR "resources.txt: malformed line: ${_line}")
  endif()
  list(GET _fields 0 _id)
  list(GET _fields 1 _type)
  list(GET _fields 2 _file)
  set(_path ${CMAKE_SOURCE_DIR}/resources/${_file})
  if(NOT EXISTS ${_path})
    message(FATAL_ERROR "resources.txt names ${_file}, which is missing")
  endif()
  if(_type STREQUAL "BITMAP")
    set(_typeid 2)
    set(_skip ", 14")
  elseif(_type STREQUAL "ICON")
    set(_typeid 14)
    set(_skip "")
  else()
    message(FATAL_ERROR "resources.txt: unknown type ${_type}")
  endif()
  string(APPEND _asm ".balign 16\n.global whirl_res_${_id}\nwhirl_res_${_id}:\n.incbin \"${_path}\"${_skip}\n.global whirl_res_${_id}_end\nwhirl_res_${_id}_end:\n")
  string(APPEND _decls "extern \"C\" const unsigned char whirl_res_${_id}[];\nextern \"C\" const unsigned char whirl_res_${_id}_end[];\n")
  string(APPEND _rows "    {${_typeid}, ${_id}, whirl_res_${_id}, whirl_res_${_id}_end},\n")
  list(APPEND _files ${_path})
  math(EXPR _count "${_count} + 1")
endforeach()
string(APPEND _asm ".section .note.GNU-stack,\"\",@progbits\n")

set(_gen ${CMAKE_BINARY_DIR}/generated)
file(CONFIGURE OUTPUT ${_gen}/Resources.S CONTENT "${_asm}")
file(CONFIGURE OUTPUT ${_gen}/ResourceTable.cpp CONTENT
"// Generated from resources/resources.txt; do not edit.
#include \"Platform/ResourceTable.h\"

${_decls}
namespace platform {
const EmbeddedResource g_aEmbeddedResources[] = {
${_rows}};
const size_t g_nEmbeddedResources = ${_count};
}  // namespace platform
")
set_source_files_properties(${_gen}/Resources.S PROPERTIES OBJECT_DEPENDS "${_files}")
add_library(resources OBJECT ${_gen}/Resources.S ${_gen}/ResourceTable.cpp)
target_include_directories(resources PRIVATE ${CMAKE_SOURCE_DIR})
