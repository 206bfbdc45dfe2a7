# One place for the build flags: every target links tessaro_flags.
add_library(tessaro_flags INTERFACE)
target_compile_options(tessaro_flags INTERFACE -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(tessaro_flags INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER)

# The sanitizer build (preset "sanitize"): AddressSanitizer and UndefinedBehaviorSanitizer in
# every target (not only those that link tessaro_flags), ending the program at the first fault.
# Boost.Context's own assembly fiber switches are invisible to AddressSanitizer: it takes a
# fiber's stack for a wild part of the main stack and, after an exception thrown on a fiber,
# reports faults that are none. Of Boost 1.74's fibers only those that switch through ucontext
# announce their switches (BOOST_USE_ASAN); they are headers but for the record of the running
# context (src/framework/fibercontext.cpp), so defining the macros for our own sources is enough.
option(TESSARO_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TESSARO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  add_compile_definitions(BOOST_USE_UCONTEXT BOOST_USE_ASAN _GLIBCXX_ASSERTIONS)
endif()

# tessaro_add_test(name SOURCES ... LIBS ... [GUI])
# Registers one test executable with ctest; GUI tests run on the offscreen platform.
function(tessaro_add_test name)
  cmake_parse_arguments(T "GUI" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE tessaro_flags GTest::gtest GTest::gtest_main ${T_LIBS})
  add_test(NAME ${name} COMMAND ${name})
  set_tests_properties(${name} PROPERTIES TIMEOUT 600)
  if(T_GUI)
    set_tests_properties(${name} PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
  endif()
endfunction()

set(TESSARO_SOURCE_ROOT "${PROJECT_SOURCE_DIR}")
include(${CMAKE_CURRENT_LIST_DIR}/TessaroLayers.cmake)

# Fails the configuration when a library of src/ links a library of a layer above its own, so
# the link lines keep the order that the include check holds the sources to.
function(tessaro_check_link_layers)
  set(dirs "${PROJECT_SOURCE_DIR}/src")
  set(targets "")
  while(dirs)
    list(POP_FRONT dirs dir)
    get_property(subdirs DIRECTORY "${dir}" PROPERTY SUBDIRECTORIES)
    get_property(own DIRECTORY "${dir}" PROPERTY BUILDSYSTEM_TARGETS)
    list(APPEND dirs ${subdirs})
    list(APPEND targets ${own})
  endwhile()
  set(offences "")
  foreach(target IN LISTS targets)
    get_target_property(dir ${target} SOURCE_DIR)
    tessaro_layer_of("${dir}" layer)
    list(FIND TESSARO_LAYERS "${layer}" rank)
    get_target_property(links ${target} LINK_LIBRARIES)
    get_target_property(interface ${target} INTERFACE_LINK_LIBRARIES)
    foreach(link IN LISTS links interface)
      if(NOT link IN_LIST targets)
        continue()
      endif()
      get_target_property(their_dir ${link} SOURCE_DIR)
      tessaro_layer_of("${their_dir}" theirs)
      list(FIND TESSARO_LAYERS "${theirs}" their_rank)
      if(their_rank GREATER rank)
        string(APPEND offences "  ${target} (${layer}) links ${link} (${theirs})\n")
      endif()
    endforeach()
  endforeach()
  if(offences)
    list(JOIN TESSARO_LAYERS " < " order)
    message(FATAL_ERROR "Libraries linked against the layers (${order}):\n${offences}")
  endif()
endfunction()
