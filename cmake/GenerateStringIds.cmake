# SPDX-License-Identifier: GPL-2.0-or-later
# Writes StringIds.h from the string table's name column:
#   cmake -DTABLE=kvel-strings.txt -DOUTPUT=StringIds.h -P GenerateStringIds.cmake
# A malformed row, a bad or repeated name, a repeated id or an unnamed row that
# is not the English half of the row above stops the build.
cmake_minimum_required(VERSION 3.25)

file(READ "${TABLE}" content)
# Only ids and names matter here; characters that CMake lists treat specially
# are replaced first, so a text cannot split or join rows.
string(REPLACE "\\" "/" content "${content}")
string(REPLACE ";" "," content "${content}")
string(REPLACE "[" "(" content "${content}")
string(REPLACE "]" ")" content "${content}")
string(REPLACE "\r" "" content "${content}")
string(REPLACE "\n" ";" rows "${content}")

set(problems "")
set(enumerators "")
set(names "")
set(ids "")
set(previous_named_id "")
set(line_number 0)
foreach(row IN LISTS rows)
  math(EXPR line_number "${line_number} + 1")
  if(row STREQUAL "" OR row MATCHES "^#")
    set(previous_named_id "")
    continue()
  endif()
  if(NOT row MATCHES "^([0-9]+)\t([^\t]*)\t")
    list(APPEND problems "line ${line_number}: not 'id<TAB>name<TAB>text'")
    set(previous_named_id "")
    continue()
  endif()
  set(id "${CMAKE_MATCH_1}")
  set(name "${CMAKE_MATCH_2}")
  if(id GREATER 65535)
    list(APPEND problems "line ${line_number}: id ${id} is above 65535")
    set(previous_named_id "")
    continue()
  endif()
  math(EXPR id "${id}") # as the program reads it: decimal, leading zeros dropped
  if(id IN_LIST ids)
    list(APPEND problems "line ${line_number}: id ${id} is used twice")
  endif()
  list(APPEND ids "${id}")
  if(name STREQUAL "")
    math(EXPR serbian_id "${id} - 1")
    if(NOT previous_named_id STREQUAL "${serbian_id}")
      list(APPEND problems
           "line ${line_number}: id ${id} has no name and is not the English half of id ${serbian_id}")
    endif()
    set(previous_named_id "")
    continue()
  endif()
  if(NOT name MATCHES "^[A-Z][A-Za-z0-9]*$")
    list(APPEND problems "line ${line_number}: '${name}' is not a name (a capital letter, then letters and digits)")
  elseif(name IN_LIST names)
    list(APPEND problems "line ${line_number}: the name ${name} is used twice")
  endif()
  list(APPEND names "${name}")
  string(APPEND enumerators "    ${name} = ${id},\n")
  set(previous_named_id "${id}")
endforeach()

if(problems)
  list(JOIN problems "\n  " message)
  message(FATAL_ERROR "${TABLE}:\n  ${message}")
endif()
if(NOT names)
  message(FATAL_ERROR "${TABLE}: no named rows")
endif()

set(header "// Generated from resources/strings/kvel-strings.txt; edit the table, not this file.
#pragma once

namespace kvel {

// The string table's texts by name. A pair is named by its Serbian id; pass
// it to LoadLngText. A language-neutral entry is read with LoadText.
enum class StringId : int
{
${enumerators}};

} // namespace kvel
")

# Rewritten only when the names change, so a new text recompiles nothing.
if(EXISTS "${OUTPUT}")
  file(READ "${OUTPUT}" old_header)
  if(old_header STREQUAL header)
    return()
  endif()
endif()
file(WRITE "${OUTPUT}" "${header}")
