# No source of src/ includes a header of a layer above its own (cmake/TessaroLayers.cmake), so
# no two layers include each other's headers:
#
#   base       dates, decimals, Windows-1252 texts, ids
#   store      record layouts, buffers, file manager, relations, messages, settings and the
#              storage engines (store/sqlite, ...)
#   framework  procedure threads, windows, forms, lists, reports, views
#   orders     order totals, order and customer forms, documents
#   costing    print-job calculation, paper and service lines of an order (which add to the
#              order's totals), catalogue forms
#   shell      the program: start-up, main frame, menu, lists, sample data
#
# Besides, base, the `core` folder of a layer and the framework's views include no Qt header:
# their logic is tested, and used by programs, without a window.
#
# Usage: cmake -DSOURCE_DIR=<project> -P layer_includes.cmake
cmake_minimum_required(VERSION 3.25)
set(TESSARO_SOURCE_ROOT "${SOURCE_DIR}")
include("${SOURCE_DIR}/cmake/TessaroLayers.cmake")
set(qt_free_folders base costing/core framework/core framework/view orders/core)

set(src "${SOURCE_DIR}/src")
file(GLOB_RECURSE files "${src}/*.cpp" "${src}/*.h")
list(LENGTH files count)
if(count EQUAL 0)
  message(FATAL_ERROR "no sources found under ${src}")
endif()

set(offences "")
foreach(file IN LISTS files)
  tessaro_layer_of("${file}" own)
  if(own STREQUAL "")
    string(APPEND offences "  ${file}: lies in no layer\n")
    continue()
  endif()
  list(FIND TESSARO_LAYERS "${own}" own_rank)
  file(RELATIVE_PATH relative "${src}" "${file}")
  set(qt_free FALSE)
  foreach(folder IN LISTS qt_free_folders)
    if(relative MATCHES "^${folder}/")
      set(qt_free TRUE)
    endif()
  endforeach()

  get_filename_component(dir "${file}" DIRECTORY)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
  foreach(line IN LISTS lines)
    string(REGEX MATCH "include[ \t]*([<\"])([^>\"]+)[>\"]" match "${line}")
    set(bracket "${CMAKE_MATCH_1}")
    set(header "${CMAKE_MATCH_2}")
    if(qt_free AND bracket STREQUAL "<" AND header MATCHES "^Q")
      string(APPEND offences "  ${relative}: <${header}> in a folder without Qt\n")
    endif()
    # As the compiler looks: beside the file first (quoted only), then from src/.
    set(target "")
    if(bracket STREQUAL "\"" AND EXISTS "${dir}/${header}")
      get_filename_component(target "${dir}/${header}" ABSOLUTE)
    elseif(EXISTS "${src}/${header}")
      get_filename_component(target "${src}/${header}" ABSOLUTE)
    endif()
    if(target STREQUAL "")
      continue()
    endif()
    tessaro_layer_of("${target}" theirs)
    if(theirs STREQUAL "")
      continue()
    endif()
    list(FIND TESSARO_LAYERS "${theirs}" their_rank)
    if(their_rank GREATER own_rank)
      string(APPEND offences "  ${relative}: includes \"${header}\" of ${theirs}, above ${own}\n")
    endif()
  endforeach()
endforeach()

if(offences)
  list(JOIN TESSARO_LAYERS " < " order)
  message(FATAL_ERROR "Includes against the layers (${order}):\n${offences}")
endif()
message(STATUS "${count} source files, every include within its layer or below")
