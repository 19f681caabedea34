# SPDX-License-Identifier: GPL-2.0-or-later
# Runs the StringIds.h generator on small tables: each bad one must stop it
# with a message naming the fault, the good one must give the enumerators.
#   cmake -DGENERATOR=GenerateStringIds.cmake -DWORK_DIR=dir -P GenerateStringIdsTest.cmake
cmake_minimum_required(VERSION 3.25)

set(pair "30010\tProgramTitle\tKvel rečnik\n30011\t\tKvel dictionary\n")
set(failures "")

function(run_generator table result_var error_var)
  file(WRITE "${WORK_DIR}/table.txt" "${table}")
  file(REMOVE "${WORK_DIR}/StringIds.h")
  execute_process(
    COMMAND ${CMAKE_COMMAND} -DTABLE=${WORK_DIR}/table.txt -DOUTPUT=${WORK_DIR}/StringIds.h
            -P ${GENERATOR}
    RESULT_VARIABLE result
    ERROR_VARIABLE error)
  # CMake wraps long messages at blanks.
  string(REGEX REPLACE "[ \n]+" " " error "${error}")
  set(${result_var} "${result}" PARENT_SCOPE)
  set(${error_var} "${error}" PARENT_SCOPE)
endfunction()

# what | table | the message expected
function(expect_refused what table expected)
  run_generator("${table}" result error)
  if(result EQUAL 0 OR EXISTS "${WORK_DIR}/StringIds.h")
    set(failures "${failures}\n  ${what}: accepted" PARENT_SCOPE)
  elseif(NOT error MATCHES "${expected}")
    set(failures "${failures}\n  ${what}: no '${expected}' in: ${error}" PARENT_SCOPE)
  endif()
endfunction()

expect_refused("a dash in the name" "${pair}30020\tbad-name\tx\n" "line 3: 'bad-name' is not a name")
expect_refused("a small first letter" "${pair}30020\tprogramTitle\tx\n" "line 3: 'programTitle' is not a name")
expect_refused("a blank in the name" "${pair}30020\tProgram Title\tx\n" "line 3: 'Program Title' is not a name")
expect_refused("a semicolon in the name" "${pair}30020\tA,B\tx\n" "line 3: 'A,B' is not a name")
expect_refused("the name used twice" "${pair}30020\tProgramTitle\tx\n" "line 3: the name ProgramTitle is used twice")
expect_refused("the id used twice" "${pair}30010\tOther\tx\n" "line 3: id 30010 is used twice")
expect_refused("an English row after a gap" "${pair}30013\t\tx\n" "line 3: id 30013 has no name")
expect_refused("an English row after a comment" "30010\tA\tx\n# c\n30011\t\tx\n" "line 3: id 30011 has no name")
expect_refused("no name column" "${pair}30020\tx\n" "line 3: not 'id<TAB>name<TAB>text'")
expect_refused("no id" "${pair}\tName\tx\n" "line 3: not 'id<TAB>name<TAB>text'")
expect_refused("an id out of range" "${pair}70000\tBig\tx\n" "line 3: id 70000 is above 65535")
expect_refused("no names at all" "# only a comment\n" "no named rows")

# Semicolons, brackets and backslashes in texts must not merge or split rows.
run_generator("${pair}30020\tOdd\ta;b[c\\\n30021\t\t]\\;\n30022\tLast\t\n" result error)
if(NOT result EQUAL 0)
  set(failures "${failures}\n  a good table refused: ${error}")
else()
  file(READ "${WORK_DIR}/StringIds.h" header)
  string(REGEX MATCHALL "[A-Za-z]+ = [0-9]+" enumerators "${header}")
  if(NOT enumerators STREQUAL "ProgramTitle = 30010;Odd = 30020;Last = 30022")
    set(failures "${failures}\n  a good table gave: ${enumerators}")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "GenerateStringIds:${failures}")
endif()
