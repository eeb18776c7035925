# Writes the Windows resource script from the resource table (see
# ResourceTable.cmake), the table the other platforms embed from, so the two
# cannot disagree.
#
# Included by the build:   whirl_write_resource_script(<prefix> <output>), from a table already read
# Run on its own:          cmake -DTABLE=<table> -DOUTPUT=<file.rc> -P cmake/WindowsResourceScript.cmake

if(CMAKE_SCRIPT_MODE_FILE)
  cmake_minimum_required(VERSION 3.25)
endif()
include(${CMAKE_CURRENT_LIST_DIR}/ResourceTable.cmake)

function(whirl_write_resource_script prefix output)
  set(_rc "// Generated from resources/resources.txt; do not edit.\n")
  foreach(_id _type _path IN ZIP_LISTS ${prefix}_IDS ${prefix}_TYPES ${prefix}_PATHS)
    string(APPEND _rc "${_id} ${_type} \"${_path}\"\n")
  endforeach()
  whirl_write_if_changed("${output}" "${_rc}")
endfunction()

if(CMAKE_SCRIPT_MODE_FILE AND CMAKE_SCRIPT_MODE_FILE STREQUAL CMAKE_CURRENT_LIST_FILE)
  if(NOT TABLE OR NOT OUTPUT)
    message(FATAL_ERROR "usage: cmake -DTABLE=<resources.txt> -DOUTPUT=<file.rc> -P ${CMAKE_CURRENT_LIST_FILE}")
  endif()
  get_filename_component(_table "${TABLE}" ABSOLUTE)
  get_filename_component(_dir "${_table}" DIRECTORY)
  whirl_read_resource_table("${_table}" "${_dir}" RES)
  whirl_write_resource_script(RES "${OUTPUT}")
endif()
