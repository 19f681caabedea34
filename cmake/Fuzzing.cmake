# SPDX-License-Identifier: GPL-2.0-or-later
# KVEL_FUZZ: the code is built with libFuzzer's coverage feedback and the
# fuzz_<what> programs of tests/fuzz are added. libFuzzer comes with clang only.
if(KVEL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID STREQUAL "Clang")
    message(FATAL_ERROR "KVEL_FUZZ needs clang (libFuzzer); configure with CXX=clang++ CC=clang")
  endif()
  # Instrumented objects also go into ordinary programs (kvel, the tests), so
  # every link gets the coverage runtime; only the fuzz targets get main().
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_link_options(-fsanitize=fuzzer-no-link)
endif()
