# SPDX-License-Identifier: GPL-2.0-or-later
# The help file kvel.chm, its HTML copy kvel-help/ and the documentation pages
# doc/ of the Help menu, built beside the programs.

find_program(KVEL_CHMCMD chmcmd)
if(NOT KVEL_CHMCMD)
  message(FATAL_ERROR "chmcmd not found: it builds the help file kvel.chm. "
                      "Install Debian's fp-utils (scripts/bootstrap does).")
endif()

# Copies each of the files (paths relative to from) into to; out receives the copies.
function(kvel_copy_files out from to)
  set(copies)
  foreach(file IN LISTS ARGN)
    add_custom_command(
      OUTPUT ${to}/${file}
      COMMAND ${CMAKE_COMMAND} -E copy ${from}/${file} ${to}/${file}
      DEPENDS ${from}/${file}
      VERBATIM)
    list(APPEND copies ${to}/${file})
  endforeach()
  set(${out} ${copies} PARENT_SCOPE)
endfunction()

set(kvel_help_source ${PROJECT_SOURCE_DIR}/resources/help)
set(kvel_help_pages
  index.html style.css
  en/index.html en/keys.html en/menus.html en/settings.html en/dictionary.html
  sr/index.html sr/keys.html sr/menus.html sr/settings.html sr/dictionary.html
)
set(kvel_help_stage ${CMAKE_CURRENT_BINARY_DIR}/chm)
set(kvel_chm ${CMAKE_BINARY_DIR}/bin/kvel.chm)

# chmcmd writes beside its project file, so it runs on a staged copy of the sources.
kvel_copy_files(kvel_help_staged ${kvel_help_source} ${kvel_help_stage}
  ${kvel_help_pages} kvel.hhp kvel.hhc kvel.hhk)
add_custom_command(
  OUTPUT ${kvel_chm}
  COMMAND ${CMAKE_COMMAND} -E chdir ${kvel_help_stage}
          ${KVEL_CHMCMD} --no-html-scan --verbosity 1 kvel.hhp
  COMMAND ${CMAKE_COMMAND} -E copy ${kvel_help_stage}/kvel.chm ${kvel_chm}
  DEPENDS ${kvel_help_staged}
  COMMENT "Building the help file kvel.chm"
  VERBATIM)

kvel_copy_files(kvel_help_copy ${kvel_help_source} ${CMAKE_BINARY_DIR}/bin/kvel-help
  ${kvel_help_pages})
add_custom_target(kvel_help_file ALL DEPENDS ${kvel_chm} ${kvel_help_copy})

kvel_copy_files(kvel_doc_copy ${PROJECT_SOURCE_DIR}/resources/doc ${CMAKE_BINARY_DIR}/bin/doc
  style.css
  en/index.html en/news.html en/project.html en/support.html
  sr/index.html sr/news.html sr/project.html sr/support.html)
add_custom_target(kvel_documentation ALL DEPENDS ${kvel_doc_copy})
