# The layers of src/, lowest first: a folder of src/ belongs to the layer its first folder
# names, and may include and link only its own layer and those below it. Read by the link
# check below and by the include check (tests/framework/layer_includes.cmake).
set(TESSARO_LAYERS base store framework orders costing shell)

# The layer of `path` (a file or folder below src/), or "" outside them.
function(tessaro_layer_of path out)
  set(layer "")
  file(RELATIVE_PATH relative "${TESSARO_SOURCE_ROOT}/src" "${path}")
  if(NOT relative MATCHES "^\\.\\./")
    string(REGEX MATCH "^[^/]+" first "${relative}")
    if(first IN_LIST TESSARO_LAYERS)
      set(layer "${first}")
    endif()
  endif()
  set(${out} "${layer}" PARENT_SCOPE)
endfunction()
