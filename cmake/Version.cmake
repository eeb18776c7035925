# The version, written once in project(), and what is made from it:
#   WHIRL_VERSION        the version, for the other build files (cmake/Web.cmake among them)
#   WHIRL_VERSION_RC     the same as four numbers for a Windows version resource ("1,0,0,0")
#   WHIRL_COPYRIGHT      the copyright line of LICENSE; WHIRL_PUBLISHER, its holder
#   WHIRL_RELEASE_DATE   the date of the newest release in desktop/changelog (YYYY-MM-DD)
#   WHIRL_RELEASES_XML   every release of desktop/changelog as AppStream <release> elements
#   whirl_version        an interface library whose users include "Version.h"
# desktop/changelog is the history of releases; its newest entry must be this
# version, so a release cannot go out with the history one step behind.

set(WHIRL_VERSION ${PROJECT_VERSION})
if(NOT WHIRL_VERSION MATCHES "^([0-9]+)\\.([0-9]+)\\.([0-9]+)$")
  message(FATAL_ERROR "the project's version ${WHIRL_VERSION} is not MAJOR.MINOR.PATCH")
endif()
set(WHIRL_VERSION_RC "${CMAKE_MATCH_1},${CMAKE_MATCH_2},${CMAKE_MATCH_3},0")

file(STRINGS ${CMAKE_SOURCE_DIR}/LICENSE _copyright REGEX "^Copyright \\(c\\) [0-9]+ .+$" LIMIT_COUNT 1)
if(NOT _copyright MATCHES "^Copyright \\(c\\) [0-9]+ (.+)$")
  message(FATAL_ERROR "LICENSE has no line \"Copyright (c) YEAR HOLDER\"")
endif()
set(WHIRL_COPYRIGHT "${_copyright}")
set(WHIRL_PUBLISHER "${CMAKE_MATCH_1}")

# Each entry of the changelog: "whirlquarium (VERSION) ...", its "  * " items,
# and " -- NAME <MAIL>  Day, DD Mon YYYY HH:MM:SS +ZZZZ".
set(_changelog ${CMAKE_SOURCE_DIR}/desktop/changelog)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${_changelog} ${CMAKE_SOURCE_DIR}/LICENSE)
# A line is a list element: the characters CMake's lists treat specially stand
# in for themselves as markers until the XML is written.
file(READ ${_changelog} _text)
string(REPLACE ";" "@WHIRL_SEMICOLON@" _text "${_text}")
string(REPLACE "[" "@WHIRL_OPEN@" _text "${_text}")
string(REPLACE "]" "@WHIRL_CLOSE@" _text "${_text}")
string(REPLACE "\n" ";" _lines "${_text}")
set(_months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
set(WHIRL_RELEASES_XML "")
set(_version "")
set(_items "")
foreach(_line IN LISTS _lines)
  if(_line MATCHES "^whirlquarium \\(([^)]+)\\)")
    set(_version ${CMAKE_MATCH_1})
    set(_items "")
  elseif(_line MATCHES "^  \\* (.*)$")
    list(APPEND _items "${CMAKE_MATCH_1}")
  elseif(_line MATCHES "^    (.*)$" AND _items)
    list(POP_BACK _items _item)
    list(APPEND _items "${_item} ${CMAKE_MATCH_1}")
  elseif(_line MATCHES "^ -- .*  [A-Z][a-z][a-z], ([0-9][0-9]) ([A-Z][a-z][a-z]) ([0-9][0-9][0-9][0-9]) ")
    list(FIND _months ${CMAKE_MATCH_2} _month)
    if(_version STREQUAL "" OR _month LESS 0)
      message(FATAL_ERROR "${_changelog}: cannot read the entry that ends with: ${_line}")
    endif()
    math(EXPR _month "${_month} + 1" OUTPUT_FORMAT DECIMAL)
    if(_month LESS 10)
      set(_month 0${_month})
    endif()
    set(_date ${CMAKE_MATCH_3}-${_month}-${CMAKE_MATCH_1})
    if(WHIRL_RELEASES_XML STREQUAL "")
      if(NOT _version STREQUAL WHIRL_VERSION)
        message(FATAL_ERROR "${_changelog}: the newest entry is ${_version}, the project is ${WHIRL_VERSION}: "
                            "add an entry for ${WHIRL_VERSION}")
      endif()
      set(WHIRL_RELEASE_DATE ${_date})
    endif()
    string(APPEND WHIRL_RELEASES_XML "    <release version=\"${_version}\" date=\"${_date}\">\n"
                                     "      <description>\n")
    foreach(_item IN LISTS _items)
      string(REPLACE "&" "&amp;" _item "${_item}")
      string(REPLACE "<" "&lt;" _item "${_item}")
      string(REPLACE ">" "&gt;" _item "${_item}")
      string(APPEND WHIRL_RELEASES_XML "        <p>${_item}</p>\n")
    endforeach()
    string(APPEND WHIRL_RELEASES_XML "      </description>\n    </release>\n")
    set(_version "")
  endif()
endforeach()
if(WHIRL_RELEASES_XML STREQUAL "")
  message(FATAL_ERROR "${_changelog} holds no entry")
endif()
string(STRIP "${WHIRL_RELEASES_XML}" WHIRL_RELEASES_XML)
string(REPLACE "@WHIRL_SEMICOLON@" ";" WHIRL_RELEASES_XML "${WHIRL_RELEASES_XML}")
string(REPLACE "@WHIRL_OPEN@" "[" WHIRL_RELEASES_XML "${WHIRL_RELEASES_XML}")
string(REPLACE "@WHIRL_CLOSE@" "]" WHIRL_RELEASES_XML "${WHIRL_RELEASES_XML}")

configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.h.in ${CMAKE_BINARY_DIR}/generated/version/Version.h @ONLY)
add_library(whirl_version INTERFACE)
target_include_directories(whirl_version INTERFACE ${CMAKE_BINARY_DIR}/generated/version)

# The Windows executable's file properties, as Explorer's Details tab shows them.
if(WIN32)
  set(WHIRL_VERSION_SCRIPT ${CMAKE_BINARY_DIR}/generated/Version.rc)
  configure_file(${CMAKE_CURRENT_LIST_DIR}/Version.rc.in ${WHIRL_VERSION_SCRIPT} @ONLY)
endif()
