# SPDX-License-Identifier: GPL-2.0-or-later
# The application icon: the scalable SVG, and a 48x48 PNG drawn from it for
# desktops that want a bitmap.

find_program(KVEL_RSVG_CONVERT rsvg-convert)
if(NOT KVEL_RSVG_CONVERT)
  message(FATAL_ERROR "rsvg-convert not found: it draws the 48x48 application icon. "
                      "Install Debian's librsvg2-bin (scripts/bootstrap does).")
endif()

set(KVEL_ICON_SVG ${PROJECT_SOURCE_DIR}/resources/icons/kvel.svg)
set(KVEL_ICON_PNG ${CMAKE_BINARY_DIR}/icons/48x48/kvel.png)
add_custom_command(
  OUTPUT ${KVEL_ICON_PNG}
  COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/48x48
  COMMAND ${KVEL_RSVG_CONVERT} --width 48 --height 48 --output ${KVEL_ICON_PNG} ${KVEL_ICON_SVG}
  DEPENDS ${KVEL_ICON_SVG}
  COMMENT "Drawing the 48x48 application icon"
  VERBATIM)
add_custom_target(kvel_app_icon ALL DEPENDS ${KVEL_ICON_PNG})
