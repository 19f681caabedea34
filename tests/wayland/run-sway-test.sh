#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Kvel on a real Wayland desktop: a headless sway with XWayland, run by an
# unprivileged user (sway refuses to run as root). Kvel runs under XWayland
# as it does on a user's desktop; a copy made by a Wayland client (wl-copy)
# must bring the bar up with the lookup, seen as bold red headwords in a
# screenshot (grim). With clipboard watching off the copy changes nothing.
#
# Usage: run-sway-test.sh KVEL DICTIONARY OUTPUT_DIR
# Root creates the system user kveltest (once) and runs everything as that
# user; anyone else runs it as themselves. Everything lives in a temporary
# folder: HOME, XDG_RUNTIME_DIR and a copy of kvel with its own kvel.ini.
set -uo pipefail

KVEL_EXE=$1
KVEL_DICT=$2
OUT=$3
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=session-lib.sh
source "$HERE/session-lib.sh"

require_tools sway Xwayland wl-copy wl-paste grim convert swaymsg

install_kvel "$KVEL_EXE" "$KVEL_DICT"

# sway ends its own helpers (swaybg, XWayland) when told to exit.
stop_desktop() { [[ -n ${SWAYSOCK:-} ]] && run_user swaymsg -q exit 2>/dev/null; }

# -------------------------------------------------------------------- sway

cat >"$WORK/sway.conf" <<'CONF'
xwayland enable
output * bg #ffffff solid_color
default_border none
CONF

SESSION_ENV+=(XDG_CURRENT_DESKTOP=sway)
spawn_user env WLR_BACKENDS=headless WLR_RENDERER=pixman WLR_LIBINPUT_NO_DEVICES=1 \
    sway -c "$WORK/sway.conf" >"$WORK/sway.log" 2>&1

wayland_socket() { compgen -G "$WORK/runtime/wayland-[0-9]" >/dev/null; }
wait_until 20 wayland_socket || fail "sway did not start (log: $OUT/sway.log)"
WAYLAND_DISPLAY=$(basename "$(compgen -G "$WORK/runtime/wayland-[0-9]" | head -n 1)")
SWAYSOCK=$(compgen -G "$WORK/runtime/sway-ipc.*.sock" | head -n 1)
SESSION_ENV+=(WAYLAND_DISPLAY="$WAYLAND_DISPLAY" SWAYSOCK="$SWAYSOCK")

# sway picks XWayland's display number; its children learn it as DISPLAY.
run_user swaymsg -q exec "echo \$DISPLAY >$WORK/runtime/display" ||
    fail "swaymsg cannot reach sway (log: $OUT/sway.log)"
display_known() { [[ -s $WORK/runtime/display ]]; }
wait_until 10 display_known || fail "sway told no XWayland display"
SESSION_ENV+=(DISPLAY="$(cat "$WORK/runtime/display")")
log "sway on $WAYLAND_DISPLAY, XWayland on $(cat "$WORK/runtime/display"), user $(run_user id -un)"

# ------------------------------------------------------------------- helpers

KVEL_PID=
start_kvel()
{
    local watching_off=$1
    # The desktop notice is told as already shown: it would share the screen.
    write_kvel_ini Tray=0 "Fast=$watching_off" DesktopNotice=1
    spawn_user "$APP/kvel" >>"$WORK/kvel.log" 2>&1
    KVEL_PID=$SPAWNED
    wait_until 20 kvel_mapped || fail "the bar did not appear (log: $OUT/kvel.log)"
    log "kvel runs (Fast=$watching_off)"
}

stop_kvel()
{
    kill "$KVEL_PID" 2>/dev/null
    wait_until 10 kvel_gone || fail "kvel did not end"
}

kvel_gone() { process_gone "$KVEL_PID"; }

# The bar is an X11 window of XWayland; sway lists it once it is mapped.
kvel_mapped() { run_user swaymsg -t get_tree 2>/dev/null | grep -q '"class": "kvel"'; }

SHOT=
shoot() { run_user grim "$WORK/shots/$1.png" && SHOT=$WORK/shots/$1.png; }
red_shown() { shoot "$1" && (($(red_pixels "$SHOT") > 0)); }

# ---------------------------------------------------------------- scenarios

log "watching on: a copy in a Wayland program brings the bar up with the lookup"
start_kvel 0
shoot on-before-copy || fail "grim cannot take a screenshot"
(($(red_pixels "$SHOT") == 0)) || fail "red on the screen before any copy ($OUT/on-before-copy.png)"
wayland_copy house
wait_until 20 red_shown on-after-copy ||
    fail "no bold red headword within 20 s of copying 'house' ($OUT/on-after-copy.png)"
log "ok: $(red_pixels "$SHOT") red headword pixels ($OUT/on-after-copy.png)"
stop_kvel
wayland_copy "something else"

log "watching off: the same copy changes nothing"
start_kvel 1
wayland_copy house
# Nothing can announce that nothing happened: the screen must stay free of
# red for a while after the selection is known to be set.
for n in 1 2 3 4 5; do
    shoot "off-after-copy-$n" || fail "grim cannot take a screenshot"
    (($(red_pixels "$SHOT") == 0)) || fail "red headwords with watching off ($OUT/off-after-copy-$n.png)"
    sleep 0.5
done
kill -0 "$KVEL_PID" 2>/dev/null || fail "kvel ended (log: $OUT/kvel.log)"
log "ok: no headword with watching off"
stop_kvel
exit 0
