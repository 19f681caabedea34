# SPDX-License-Identifier: GPL-2.0-or-later
# KVEL_SANITIZE: every target of the build runs under AddressSanitizer and
# UndefinedBehaviorSanitizer. The first report ends the program, so a test or
# a fuzz target fails on it instead of carrying on.
if(KVEL_SANITIZE)
  set(kvel_sanitizer_flags
    -fsanitize=address,undefined
    -fno-sanitize-recover=all
    -fno-omit-frame-pointer)
  add_compile_options(${kvel_sanitizer_flags})
  add_link_options(${kvel_sanitizer_flags})
endif()
