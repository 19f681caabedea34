#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Configures the project into a scratch folder to get CMake's dependency graph,
# then checks the layers. Usage: run-layer-check.sh SOURCE_ROOT SCRATCH_FOLDER
set -euo pipefail
source_root=$1
scratch=$2
rm -rf "$scratch"
mkdir -p "$scratch"
cmake -S "$source_root" -B "$scratch/build" -G Ninja -DBUILD_TESTING=OFF -DKVEL_BUILD_BENCH=OFF \
  --graphviz="$scratch/dependencies.dot" >"$scratch/configure.log"
python3 "$(dirname "$0")/check_layers.py" "$source_root" "$scratch/dependencies.dot"
