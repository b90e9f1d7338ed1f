# The libraries of the browser version, built for WebAssembly by
# scripts/web-deps.sh into QM_WEB_PREFIX. They appear under the same target
# names the desktop build finds, so the rest of the build is shared.
set(QM_WEB_PREFIX "" CACHE PATH "Prefix holding SDL2, zlib, libpng, libjpeg, libogg and libvorbis built for the browser")
if(NOT EXISTS "${QM_WEB_PREFIX}/lib/libSDL2.a")
  message(FATAL_ERROR "QM_WEB_PREFIX (${QM_WEB_PREFIX}) lacks the browser libraries: run scripts/web-deps.sh")
endif()
# A page cannot send the session records: there are no sockets in a browser.
set(QM_UPLOADS_ENABLED OFF CACHE BOOL "Send play-session records to the collection host" FORCE)

function(qm_web_library name)
  set(files)
  foreach(lib ${ARGN})
    list(APPEND files "${QM_WEB_PREFIX}/lib/${lib}")
  endforeach()
  add_library(${name} INTERFACE IMPORTED)
  set_target_properties(${name} PROPERTIES
    INTERFACE_INCLUDE_DIRECTORIES "${QM_WEB_PREFIX}/include;${QM_WEB_PREFIX}/include/SDL2"
    INTERFACE_LINK_LIBRARIES "${files}")
endfunction()

qm_web_library(PkgConfig::SDL2 libSDL2.a)
qm_web_library(PkgConfig::VORBIS libvorbisfile.a libvorbis.a libogg.a)
qm_web_library(PNG::PNG libpng16.a libz.a)
qm_web_library(JPEG::JPEG libjpeg.a)
qm_web_library(ZLIB::ZLIB libz.a)
