# The browser page: index.html, its script, the WebAssembly program and
# index.data, which holds the game folder's media, levels and system files
# (taken from a desktop build: the asset generator runs natively). scripts/web
# then adds what the page shows before the program runs, the app's manifest,
# its offline copy and the compressed files (scripts/web-site.py).
set(QM_WEB_GAME_DIR "" CACHE PATH "A desktop build's game folder, whose media, levels and system files the page carries")
set(QM_WEB_SITE_DIR "${CMAKE_BINARY_DIR}/site" CACHE PATH "Where the page is written")
foreach(folder media levels system)
  if(NOT IS_DIRECTORY "${QM_WEB_GAME_DIR}/${folder}")
    message(FATAL_ERROR "QM_WEB_GAME_DIR (${QM_WEB_GAME_DIR}) has no ${folder} folder: build the desktop game first")
  endif()
endforeach()

file(GLOB_RECURSE QM_WEB_DATA_FILES CONFIGURE_DEPENDS
  ${QM_WEB_GAME_DIR}/media/* ${QM_WEB_GAME_DIR}/levels/* ${QM_WEB_GAME_DIR}/system/*)
set(QM_WEB_SHELL ${CMAKE_SOURCE_DIR}/src/runtime/web/page.html)
set(QM_WEB_PRE_JS ${CMAKE_SOURCE_DIR}/src/runtime/web/page-host.js)

set_target_properties(quillmere PROPERTIES
  OUTPUT_NAME index
  SUFFIX .html
  RUNTIME_OUTPUT_DIRECTORY ${QM_WEB_SITE_DIR}
  LINK_DEPENDS "${QM_WEB_SHELL};${QM_WEB_PRE_JS};${CMAKE_SOURCE_DIR}/src/runtime/web/library-functions.txt;${QM_WEB_DATA_FILES}")
target_link_options(quillmere PRIVATE
  -O2
  # The frame loops block: the runtime's sleep, flip and file flush hand the
  # browser its turn and resume where they were.
  -sASYNCIFY
  -sASYNCIFY_STACK_SIZE=262144
  # The game holds about 115 MB once the first level plays (decoded music
  # and pictures); starting at 128 MB spares the copies of growing there.
  -sALLOW_MEMORY_GROWTH=1
  -sINITIAL_MEMORY=134217728
  -sENVIRONMENT=web
  -sEXIT_RUNTIME=0
  -lidbfs.js
  # SDL's audio resumes the browser's audio context on the first gesture and
  # calls the mixer from JavaScript (a file: the names begin with a dollar).
  -sDEFAULT_LIBRARY_FUNCS_TO_INCLUDE=@${CMAKE_SOURCE_DIR}/src/runtime/web/library-functions.txt
  -sMINIFY_HTML=0
  "SHELL:--shell-file ${QM_WEB_SHELL}"
  "SHELL:--pre-js ${QM_WEB_PRE_JS}"
  "SHELL:--preload-file ${QM_WEB_GAME_DIR}/media@/game/media"
  "SHELL:--preload-file ${QM_WEB_GAME_DIR}/levels@/game/levels"
  "SHELL:--preload-file ${QM_WEB_GAME_DIR}/system@/game/system")
