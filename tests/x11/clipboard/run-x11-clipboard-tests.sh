#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Runs the X11 clipboard reader's tests on a private Xvfb.
# usage: run-x11-clipboard-tests.sh TEST_PROGRAM [GTEST_OPTIONS...]
set -euo pipefail

program=$1
shift
work=$(mktemp -d)
XVFB_PID=
cleanup()
{
    [[ -n $XVFB_PID ]] && kill "$XVFB_PID" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT
unset WAYLAND_DISPLAY XAUTHORITY

# shellcheck disable=SC1091 # found beside this folder
source "$(dirname "$0")/../xvfb.sh"
start_xvfb "$work"

# The program's own windows need no X server; its reads go to DISPLAY.
QT_QPA_PLATFORM=offscreen LANG=C.UTF-8 "$program" "$@"
