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
TEST_USER=kveltest
SKIP=77

log() { printf '  [%3d s] %s\n' "$SECONDS" "$*"; }
fail()
{
    printf '  [%3d s] FAIL: %s\n' "$SECONDS" "$*" >&2
    exit 1
}

for tool in sway Xwayland wl-copy wl-paste grim convert swaymsg; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit $SKIP; }
done

# wait_until SECONDS COMMAND...: polls COMMAND every 0.2 s until it succeeds.
wait_until()
{
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS >= deadline)) && return 1
        sleep 0.2
    done
}

# ------------------------------------------------------------ the test user

as_user=()
if (($(id -u) == 0)); then
    if ! id -u "$TEST_USER" >/dev/null 2>&1; then
        useradd --system --no-create-home --shell /usr/sbin/nologin "$TEST_USER" ||
            id -u "$TEST_USER" >/dev/null 2>&1 || fail "cannot create the user $TEST_USER"
    fi
    as_user=(runuser -u "$TEST_USER" --)
fi

WORK=$(mktemp -d /tmp/kvel-wayland.XXXXXX) || fail "no temporary folder"
chmod 755 "$WORK"
mkdir -p "$OUT"
APP=$WORK/app
mkdir -p "$APP" "$WORK"/{home,runtime,config,data,cache,data-dirs,config-dirs,shots}
cp "$KVEL_EXE" "$APP/kvel"
cp "$KVEL_DICT" "$APP/kvel.mdb"
chmod 700 "$WORK/runtime"
((${#as_user[@]})) && chown -R "$TEST_USER" "$APP" "$WORK"/{home,runtime,config,data,cache,shots}

PIDS=()
cleanup()
{
    local pid
    # sway ends its own helpers (swaybg, XWayland) when told to exit.
    [[ -n ${SWAYSOCK:-} ]] && run_user swaymsg -q exit 2>/dev/null
    for pid in "${PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${PIDS[@]}"; do
        wait_until 10 process_gone "$pid" || kill -9 "$pid" 2>/dev/null
    done
    cp "$WORK"/shots/*.png "$WORK"/*.log "$OUT/" 2>/dev/null
    rm -rf "$WORK"
}
trap cleanup EXIT

# The environment every process of the session gets, and nothing else.
SESSION_ENV=(PATH=/usr/bin:/bin HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime"
    XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache"
    XDG_DATA_DIRS="$WORK/data-dirs" XDG_CONFIG_DIRS="$WORK/config-dirs" LANG=C.UTF-8
    XDG_SESSION_TYPE=wayland XDG_CURRENT_DESKTOP=sway)

run_user() { "${as_user[@]}" env -i "${SESSION_ENV[@]}" "$@"; }

# spawn_user COMMAND...: starts COMMAND as the test user in the background and
# sets SPAWNED to its own process id (not that of runuser), for kill.
SPAWN_COUNT=0
spawn_user()
{
    local pidfile=$WORK/runtime/spawned-$((++SPAWN_COUNT)).pid
    run_user sh -c 'echo $$ >"$0"; exec "$@"' "$pidfile" "$@" &
    disown
    local _
    for _ in $(seq 100); do
        [[ -s $pidfile ]] && break
        sleep 0.1
    done
    SPAWNED=$(cat "$pidfile" 2>/dev/null)
    [[ -n $SPAWNED ]] || fail "could not start $1"
    PIDS+=("$SPAWNED")
}

# -------------------------------------------------------------------- sway

cat >"$WORK/sway.conf" <<'CONF'
xwayland enable
output * bg #ffffff solid_color
default_border none
CONF

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
    printf '[Preferences]\nTray=0\nAutoStart=0\nIE=0\nTips=0\nClipboard=0\nFast=%s\nDesktopNotice=1\n' \
        "$watching_off" >"$APP/kvel.ini"
    ((${#as_user[@]})) && chown "$TEST_USER" "$APP/kvel.ini"
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

process_gone() { ! kill -0 "$1" 2>/dev/null; }
kvel_gone() { process_gone "$KVEL_PID"; }

# The bar is an X11 window of XWayland; sway lists it once it is mapped.
kvel_mapped() { run_user swaymsg -t get_tree 2>/dev/null | grep -q '"class": "kvel"'; }

# red_pixels FILE: headword red (R > 240, G < 60, B < 60) anywhere on screen.
red_pixels()
{
    # ImageMagick keeps only the near-red candidates, awk applies the limits.
    convert "$1" -alpha set -channel RGBA -fuzz 30% -fill none +opaque 'rgb(255,0,0)' \
        -depth 8 sparse-color:- 2>/dev/null |
        tr ' ' '\n' |
        sed -n 's/^[0-9]*,[0-9]*,srgba\{0,1\}(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk '$1 > 240 && $2 < 60 && $3 < 60 {n++} END {print n + 0}'
}

SHOT=
shoot() { run_user grim "$WORK/shots/$1.png" && SHOT=$WORK/shots/$1.png; }
red_shown() { shoot "$1" && (($(red_pixels "$SHOT") > 0)); }

pasted_is() { [[ $(run_user wl-paste --no-newline 2>/dev/null) == "$1" ]]; }

# wayland_copy TEXT: a Wayland client (wl-copy) owns the selection from now on.
COPY_PID=
wayland_copy()
{
    [[ -n $COPY_PID ]] && kill "$COPY_PID" 2>/dev/null
    spawn_user wl-copy --foreground "$1" >>"$WORK/wl-copy.log" 2>&1
    COPY_PID=$SPAWNED
    wait_until 10 pasted_is "$1" || fail "wl-copy did not set the selection to '$1'"
}

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
