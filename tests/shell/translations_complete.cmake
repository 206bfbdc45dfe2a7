# Every English text of the program that the user reads has its German translation: lupdate
# reads the sources into a copy of the checked-in translation file, and the check fails on
# each text without a finished translation (new, or changed since it was translated) and on
# each translation whose text has left the sources. The names of both kinds are listed.
# `cmake --build build --target update_translations` brings the checked-in file up to date.
#
# Usage: cmake -DSOURCE_DIR=<project> -DLUPDATE=<lupdate> -DWORK_DIR=<folder>
#              "-DOPTIONS=<lupdate options, a list>" -P translations_complete.cmake
cmake_minimum_required(VERSION 3.25)
set(checked_in "${SOURCE_DIR}/src/shell/translations/tessaro_de.ts")
set(copy "${WORK_DIR}/tessaro_de.ts")
file(MAKE_DIRECTORY "${WORK_DIR}")
file(COPY_FILE "${checked_in}" "${copy}")

# Keeps each message as "<context>: <source>" with its translation's type ("finished" when the
# translation has none).
function(read_messages file out_names out_types)
  file(STRINGS "${file}" lines ENCODING UTF-8)
  set(names "")
  set(types "")
  set(context "")
  set(source "")
  foreach(line IN LISTS lines)
    if(line MATCHES "<name>(.*)</name>")
      set(context "${CMAKE_MATCH_1}")
    elseif(line MATCHES "<source>(.*)</source>")
      set(source "${CMAKE_MATCH_1}")
    elseif(line MATCHES "<translation( type=\"([a-z]+)\")?")
      set(type "${CMAKE_MATCH_2}")
      # Readable, and without the semicolons that would split a CMake list.
      set(name "${context}: ${source}")
      foreach(entity "&lt\\;=<" "&gt\\;=>" "&apos\\;='" "&quot\\;=\"" "&amp\\;=&")
        string(REGEX MATCH "^(.*)=(.*)$" pair "${entity}")
        string(REPLACE "${CMAKE_MATCH_1}" "${CMAKE_MATCH_2}" name "${name}")
      endforeach()
      string(REPLACE ";" "," name "${name}")
      list(APPEND names "${name}")
      if(type)
        list(APPEND types "${type}")
      else()
        list(APPEND types finished)
      endif()
    endif()
  endforeach()
  set(${out_names} "${names}" PARENT_SCOPE)
  set(${out_types} "${types}" PARENT_SCOPE)
endfunction()

set(options ${OPTIONS})
execute_process(
  COMMAND "${LUPDATE}" "${SOURCE_DIR}/src" -extensions cpp,h ${options} -ts "${copy}"
  RESULT_VARIABLE result
  OUTPUT_VARIABLE output
  ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "lupdate failed:\n${output}")
endif()

read_messages("${checked_in}" kept_names kept_types)
read_messages("${copy}" found_names found_types)

set(untranslated "")
list(LENGTH found_names count)
if(count EQUAL 0)
  message(FATAL_ERROR "lupdate found no texts in ${SOURCE_DIR}/src:\n${output}")
endif()
math(EXPR last "${count} - 1")
foreach(i RANGE ${last})
  list(GET found_types ${i} type)
  if(NOT type STREQUAL "finished")
    list(GET found_names ${i} name)
    string(APPEND untranslated "  ${name}\n")
  endif()
endforeach()

set(stale "")
foreach(name IN LISTS kept_names)
  list(FIND found_names "${name}" at)
  if(at EQUAL -1)
    string(APPEND stale "  ${name}\n")
  endif()
endforeach()

if(untranslated OR stale)
  set(report "")
  if(untranslated)
    string(APPEND report "Texts without a German translation:\n${untranslated}")
  endif()
  if(stale)
    string(APPEND report "Translations of texts no longer in the sources:\n${stale}")
  endif()
  message(FATAL_ERROR "${report}Run `cmake --build build --target update_translations`, "
                      "then translate in src/shell/translations/tessaro_de.ts.")
endif()
message(STATUS "${count} texts, every one translated")
