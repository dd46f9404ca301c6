# Libraries of the Windows build that Debian packages only for Linux: LittleCMS compiled from Debian's source
# package (unpacked by scripts/build-windows.sh), and the header-only JSON and command-line libraries used from
# Debian's headers.
set(VENDREL_LCMS2_SOURCE_DIR "" CACHE PATH "Unpacked LittleCMS 2 source (Debian's lcms2 source package)")
if(NOT EXISTS "${VENDREL_LCMS2_SOURCE_DIR}/src/cmsxform.c")
  message(FATAL_ERROR "VENDREL_LCMS2_SOURCE_DIR must name an unpacked lcms2 source tree; scripts/build-windows.sh fetches one")
endif()
file(GLOB VENDREL_LCMS2_SOURCES ${VENDREL_LCMS2_SOURCE_DIR}/src/*.c)
add_library(vendrel_lcms2 STATIC ${VENDREL_LCMS2_SOURCES})
target_include_directories(vendrel_lcms2 SYSTEM PUBLIC ${VENDREL_LCMS2_SOURCE_DIR}/include)
target_compile_options(vendrel_lcms2 PRIVATE -w)

# Only the JSON library's own folder is exposed, never the rest of the build machine's /usr/include.
set(VENDREL_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${VENDREL_JSON_INCLUDE})
file(CREATE_LINK /usr/include/nlohmann ${VENDREL_JSON_INCLUDE}/nlohmann SYMBOLIC)
add_library(vendrel_json INTERFACE)
target_include_directories(vendrel_json SYSTEM INTERFACE ${VENDREL_JSON_INCLUDE})

# The command-line parser is header-only too: only its own folder is exposed, as for the JSON library.
set(VENDREL_CLI11_INCLUDE ${CMAKE_BINARY_DIR}/cli11-include)
file(MAKE_DIRECTORY ${VENDREL_CLI11_INCLUDE})
file(CREATE_LINK /usr/include/CLI ${VENDREL_CLI11_INCLUDE}/CLI SYMBOLIC)
add_library(vendrel_cli11 INTERFACE)
target_include_directories(vendrel_cli11 SYSTEM INTERFACE ${VENDREL_CLI11_INCLUDE})
