#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Screenshots of the translation window on a private X server.
# Usage: run-balloon-shots.sh <balloon_shots> <balloon_shot_check> <output folder>
# Starts Xvfb (black root) and openbox, shows the balloon in each quarter of
# the screen, grabs the screen after each rendering and checks the picture.
set -euo pipefail

shots=$1
check=$2
out=$3
mkdir -p "$out"

work=$(mktemp -d)
pids=()
cleanup() {
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  rm -rf "$work"
}
trap cleanup EXIT

# Nothing of the user's session is touched.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY XAUTHORITY
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb

source "$(dirname "$0")/xvfb.sh"
start_xvfb "$work" -br || exit 1
pids+=("$XVFB_PID")

openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do
  xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' && break
  sleep 0.1
done

failed=0

# Without a compositing manager the balloon must not try to fade.
canfade=$("$shots" --can-fade)
if [ "$canfade" != "canfade 0" ]; then echo "FAIL: $canfade without a compositor"; failed=1; fi

coproc SHOTS { "$shots"; }
shots_pid=$SHOTS_PID
count=0
while read -r -u "${SHOTS[0]}" word quarter placement x y w h; do
  [ "$word" = shot ] || continue
  png="$out/balloon-$quarter.png"
  import -window root "$png"
  "$check" "$png" "$placement" "$x" "$y" "$w" "$h" || failed=1
  count=$((count + 1))
  echo next >&"${SHOTS[1]}"
done
wait "$shots_pid" || failed=1
[ "$count" -eq 4 ] || { echo "FAIL: $count screenshots instead of 4"; failed=1; }

if command -v xcompmgr >/dev/null; then
  xcompmgr >"$work/xcompmgr.log" 2>&1 &
  pids+=($!)
  for _ in $(seq 100); do
    [ "$("$shots" --can-fade)" = "canfade 1" ] && break
    sleep 0.1
  done
  canfade=$("$shots" --can-fade)
  if [ "$canfade" != "canfade 1" ]; then echo "FAIL: $canfade under xcompmgr"; failed=1; fi
fi

exit "$failed"
