# SPDX-License-Identifier: GPL-2.0-or-later
# Writes the settings of a build tree's kvel unless the user already has some.
if(NOT EXISTS "${INI}")
  file(WRITE "${INI}" "[Preferences]\nAutoStart=0\nIE=0\n")
endif()
