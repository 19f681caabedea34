#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The tray's balloons of the running kvel on a private Xvfb display with
# openbox and trayer: the welcome balloon of a first start points at the icon,
# and a hot key another program holds is told in a balloon there while the
# setting stays on. Built on the end-to-end tests' helpers (../e2e/lib.sh).
#
# usage: kvel_tray.sh KVEL_EXECUTABLE DICTIONARY HOTKEY_PROBE [OUTPUT_FOLDER]
#   HOTKEY_PROBE is the hot-key test's probe, here the other program holding
#   Alt+F12. OUTPUT_FOLDER keeps the screenshots. KVEL_E2E_ONLY="1" runs only
#   those scenarios; KVEL_E2E_KEEP=1 keeps the temporary folders.

# shellcheck disable=SC2317 # small helpers are called through wait_until
# shellcheck disable=SC2119 # run_second_kvel takes optional words
set -u

if (($# < 3)); then
    echo "usage: $0 KVEL_EXECUTABLE DICTIONARY HOTKEY_PROBE [OUTPUT_FOLDER]" >&2
    exit 2
fi
KVEL_EXE=$(realpath "$1")
KVEL_DICT=$(realpath "$2")
HOTKEY_PROBE=$(realpath "$3")
E2E_OUT=$(realpath -m "${4:-kvel-tray-output}")
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source=../e2e/lib.sh
. "$HERE/../e2e/lib.sh"
# shellcheck source=../e2e/runner.sh
. "$HERE/../e2e/runner.sh"

prepare_suite kvel-tray "$HOTKEY_PROBE"

# How far from the icon's centre a balloon pointing at it may end; a balloon
# in the screen's corner is hundreds of pixels away.
NEAR_ICON_PX=40

# balloon_near_icon PID: a balloon is shown and the icon's centre lies within
# NEAR_ICON_PX of its rectangle (its tail points at the centre).
balloon_near_icon()
{
    local id x y w h cx cy dx=0 dy=0
    id=$(balloon_window "$1")
    [[ -n $id ]] || return 1
    read -r x y w h <<<"$(window_geometry "$id")"
    [[ -n ${h:-} ]] || return 1
    cx=$((ICON_X + ICON_W / 2)) cy=$((ICON_Y + ICON_H / 2))
    ((cx < x)) && dx=$((x - cx))
    ((cx > x + w)) && dx=$((cx - x - w))
    ((cy < y)) && dy=$((y - cy))
    ((cy > y + h)) && dy=$((cy - y - h))
    BALLOON_AT="${w}x$h+$x+$y"
    ((dx <= NEAR_ICON_PX && dy <= NEAR_ICON_PX))
}

# expect_balloon_at_icon PID WHAT: waits (10 s) for a balloon, which must
# point at the icon; keeps a screenshot.
expect_balloon_at_icon()
{
    wait_until 10 balloon_shown "$1" || fail "$2: no balloon within 10 s"
    local shot=$E2E_OUT/$SCENARIO_ID.png
    if ! wait_until 3 balloon_near_icon "$1"; then
        screenshot "$shot"
        fail "$2: the balloon shows at ${BALLOON_AT:-?}, away from the icon at $ICON_X,$ICON_Y ($shot)"
    fi
    screenshot "$shot"
    pass "$2: the balloon at $BALLOON_AT points at the icon at $ICON_X,$ICON_Y (screenshot $shot)"
}

# 1. A first start in tray mode: the welcome balloon points at the icon,
#    although it is asked for before the tray has taken the icon in.
scenario_welcome_at_icon()
{
    new_sandbox welcome
    write_ini '[Preferences]' AutoStart=0 IE=0
    start_tray_host
    start_kvel
    wait_until 10 find_tray_icon || fail "no kvel icon in the tray within 10 s"
    expect_balloon_at_icon "$KVEL_PID" "first start"
}

# 2. Another program holds Alt+F12 before kvel starts with that hot key on:
#    a balloon at the icon says so (nothing else shows one at this start),
#    the key stays the other program's and the setting stays on.
scenario_hot_key_taken()
{
    new_sandbox hot-key-taken
    write_ini '[Preferences]' Tray=1 AutoStart=0 IE=0 Tips=0 Clipboard=0 Hook=1 Key=3 \
        '[Window]' Left=10 Top=10
    local fifo=$SANDBOX/holder.in fd
    mkfifo "$fifo"
    # Opened for both ways first: opening one end alone waits for the other.
    exec {fd}<>"$fifo"
    # Not through start_helper: a command sent to the background reads
    # /dev/null unless it names its own input.
    kvel_env_vars
    env -i "${KVEL_ENV[@]}" "$HOTKEY_PROBE" <"$fifo" >"$SANDBOX/holder.log" 2>&1 &
    echo "$!" >>"$KVEL_PIDS_FILE"
    echo "grab 3" >&"$fd"
    holder_said() { grep -qx "$1" "$SANDBOX/holder.log"; }
    wait_until 10 holder_said "grabbed 1" || fail "the other program could not grab Alt+F12"
    pass "another program holds Alt+F12"

    start_tray_host
    start_kvel
    wait_until 10 find_tray_icon || fail "no kvel icon in the tray within 10 s"
    expect_bar_hidden "$KVEL_PID" "start in tray mode"
    expect_balloon_at_icon "$KVEL_PID" "the hot key is taken"

    press alt+F12
    wait_until 10 holder_said "key F12" || fail "Alt+F12 did not reach the program holding it"
    bar_hidden "$KVEL_PID" || fail "Alt+F12 showed the bar although another program holds it"
    pass "Alt+F12 stays the other program's"

    run_second_kvel
    expect_bar_shown "$KVEL_PID" "after a second start"
    focus_entry
    press Escape
    expect_bar_hidden "$KVEL_PID" "after Escape"
    expect_ini Preferences Hook 1
    expect_ini Preferences Key 3
    exec {fd}>&-
}

SCENARIOS=(
    "1 welcome scenario_welcome_at_icon the welcome balloon points at the tray icon"
    "2 hot-key-taken scenario_hot_key_taken a hot key another program holds is told at the icon"
)
run_scenarios
