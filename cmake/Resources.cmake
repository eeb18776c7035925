# Embeds the resources of a table already read (see ResourceTable.cmake) into
# an object library `resources`, with a table that the platform layer's
# resource functions read. Bitmaps are stored as a bitmap resource is: without
# the 14-byte file header.
function(whirl_embed_resources prefix gen_dir)
  if(EMSCRIPTEN)
    set(_asm "")
  else()
    set(_asm ".section .rodata\n")
  endif()
  set(_decls "")
  set(_rows "")
  list(LENGTH ${prefix}_IDS _count)
  foreach(_id _type _path IN ZIP_LISTS ${prefix}_IDS ${prefix}_TYPES ${prefix}_PATHS)
    if(_type STREQUAL "BITMAP")
      set(_typeid 2)
      set(_skip ", 14")
    else()
      set(_typeid 14)
      set(_skip "")
    endif()
    string(APPEND _decls "extern \"C\" const unsigned char whirl_res_${_id}[];\n")
    if(EMSCRIPTEN)
      # The wasm assembler takes data only in a section of its own, with a size.
      file(SIZE "${_path}" _size)
      set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS "${_path}")
      if(_skip)
        math(EXPR _size "${_size} - 14")
      endif()
      string(APPEND _asm ".section .rodata.whirl_res_${_id},\"\",@\n.globl whirl_res_${_id}\n.p2align 4\nwhirl_res_${_id}:\n.incbin \"${_path}\"${_skip}\n.size whirl_res_${_id}, ${_size}\n")
      string(APPEND _rows "    {${_typeid}, ${_id}, whirl_res_${_id}, whirl_res_${_id} + ${_size}},\n")
      continue()
    endif()
    string(APPEND _asm ".balign 16\n.global whirl_res_${_id}\nwhirl_res_${_id}:\n.incbin \"${_path}\"${_skip}\n.global whirl_res_${_id}_end\nwhirl_res_${_id}_end:\n")
    string(APPEND _decls "extern \"C\" const unsigned char whirl_res_${_id}_end[];\n")
    string(APPEND _rows "    {${_typeid}, ${_id}, whirl_res_${_id}, whirl_res_${_id}_end},\n")
  endforeach()
  if(NOT EMSCRIPTEN)
    string(APPEND _asm ".section .note.GNU-stack,\"\",@progbits\n")
  endif()

  whirl_write_if_changed(${gen_dir}/Resources.S "${_asm}")
  whirl_write_if_changed(${gen_dir}/ResourceTable.cpp
"// Generated from resources/resources.txt; do not edit.
#include \"Platform/ResourceTable.h\"

${_decls}
namespace platform {
const EmbeddedResource g_aEmbeddedResources[] = {
${_rows}};
const size_t g_nEmbeddedResources = ${_count};
}  // namespace platform
")
  set_source_files_properties(${gen_dir}/Resources.S PROPERTIES OBJECT_DEPENDS "${${prefix}_PATHS}")
  add_library(resources OBJECT ${gen_dir}/Resources.S ${gen_dir}/ResourceTable.cpp)
  target_include_directories(resources PRIVATE ${CMAKE_SOURCE_DIR})
endfunction()
