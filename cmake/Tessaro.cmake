# One place for the build flags: every target links tessaro_flags.
add_library(tessaro_flags INTERFACE)
target_compile_options(tessaro_flags INTERFACE -Wall -Wextra -Wpedantic -Werror)
target_compile_definitions(tessaro_flags INTERFACE
  QT_NO_CAST_FROM_ASCII
  QT_NO_CONTEXTLESS_CONNECT
  QT_NO_FOREACH
  QT_USE_QSTRINGBUILDER)

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
