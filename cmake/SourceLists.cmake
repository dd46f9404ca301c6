# Source files are listed by hand, so that a CMake file says what its target compiles. A file that no list names
# would be left out of the build without a word: vendrel_require_listed stops the configuration instead, naming it.

# vendrel_require_listed(<folder> <file>...): every .cpp file directly in <folder> (relative to the calling
# CMakeLists.txt) must be among the files given, which are relative to the calling CMakeLists.txt too.
function(vendrel_require_listed folder)
  set(pattern ${CMAKE_CURRENT_SOURCE_DIR}/${folder}/*.cpp)
  if(folder STREQUAL ".")
    set(pattern ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  endif()
  file(GLOB present RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${pattern})
  if(present AND ARGN)
    list(REMOVE_ITEM present ${ARGN})
  endif()
  if(present)
    list(JOIN present ", " unlisted)
    message(FATAL_ERROR "${CMAKE_CURRENT_SOURCE_DIR}: ${unlisted}: in no source list of this CMakeLists.txt; "
                        "add it to the list of the target it belongs to")
  endif()
endfunction()
