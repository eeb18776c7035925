# The game in a web page (emcmake cmake): the program over the page's
# backend (Platform/web/; its sources are listed in cmake/Sources.cmake), run
# in a worker of the page, and the static site in <build>/site: the page, the
# worker's script, the program's .js and .wasm, the icon, the web app's
# manifest and icons, the service worker, and a gzip copy beside each large
# file. The page and the service worker are sealed last (tools/web/seal.mjs):
# the build is named after a hash of every other file
# and of the project's version.

# Every browser the page runs in has wasm SIMD: the blits are vectorised as
# they are natively.
add_compile_options(-msimd128)

function(whirl_web_game target)
  set(_web ${CMAKE_SOURCE_DIR}/Platform/web)
  set(_site ${CMAKE_BINARY_DIR}/site)
  add_executable(${target} ${WHIRL_WEB_ENTRY})
  # Only the functions that can be on the stack when the backend waits
  # (asyncify-only.txt, one a line) are rewritten to unwind to the browser and
  # resume: the program is half the size. A wait reached through any other
  # function traps. Those the optimizer has inlined into main are reported as
  # non-matching patterns.
  set_target_properties(${target} PROPERTIES SUFFIX .js RUNTIME_OUTPUT_DIRECTORY ${_site}
    LINK_DEPENDS "${_web}/WebPage.js;${_web}/asyncify-only.txt")
  target_link_options(${target} PRIVATE --js-library ${_web}/WebPage.js
    -sMODULARIZE=1 -sEXPORT_NAME=WhirlquariumModule -sENVIRONMENT=worker
    -sALLOW_MEMORY_GROWTH=1 -sINITIAL_MEMORY=64MB
    -sASYNCIFY=1 -sASYNCIFY_IMPORTS=[whirl_web_wait] -sASYNCIFY_ONLY=@${_web}/asyncify-only.txt)

  find_program(WHIRL_NODE NAMES node nodejs REQUIRED NO_CMAKE_FIND_ROOT_PATH)
  foreach(_file page.js worker.js manifest.webmanifest)
    configure_file(${_web}/page/${_file} ${_site}/${_file} COPYONLY)
  endforeach()
  configure_file(${CMAKE_SOURCE_DIR}/resources/Whirlquarium.ico ${_site}/favicon.ico COPYONLY)
  # The web app's icons, cut from the window icon's art.
  set(_icons ${_site}/icon-192.png ${_site}/icon-512.png)
  add_custom_command(OUTPUT ${_icons}
    COMMAND ${WHIRL_NODE} ${CMAKE_SOURCE_DIR}/tools/web/icons.mjs ${CMAKE_SOURCE_DIR}/resources/Whirlquarium.ico
            ${_site} 192 512
    DEPENDS ${CMAKE_SOURCE_DIR}/tools/web/icons.mjs ${CMAKE_SOURCE_DIR}/resources/Whirlquarium.ico VERBATIM)
  set(_large ${target}.js ${target}.wasm favicon.ico)
  list(TRANSFORM _large APPEND .gz OUTPUT_VARIABLE _compressed)
  list(TRANSFORM _compressed PREPEND ${_site}/)
  add_custom_command(OUTPUT ${_compressed} COMMAND gzip -9 -n -k -f ${_large}
    WORKING_DIRECTORY ${_site} DEPENDS ${target} ${_site}/favicon.ico VERBATIM)
  add_custom_command(OUTPUT ${_site}/index.html ${_site}/sw.js
    COMMAND ${WHIRL_NODE} ${CMAKE_SOURCE_DIR}/tools/web/seal.mjs ${_site} ${_web}/page "${PROJECT_VERSION}"
    DEPENDS ${target} ${_icons} ${_site}/page.js ${_site}/worker.js ${_site}/manifest.webmanifest ${_site}/favicon.ico
            ${_web}/page/index.html ${_web}/page/sw.js ${CMAKE_SOURCE_DIR}/tools/web/seal.mjs VERBATIM)
  add_custom_target(site ALL DEPENDS ${_compressed} ${_site}/index.html ${_site}/sw.js)
endfunction()
