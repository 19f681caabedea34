#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The global hot key on a private X server: delivery of Alt+F12, moving the
# grab to Alt+F9, Caps Lock and Num Lock, auto-repeat, removal, and a key that
# another program already holds.
# Usage: run-hotkey-test.sh <hotkey_probe>
#
# A probe answers each command with one line and prints "key NAME" for each
# delivered key. Key lines keep the order of the presses, so a key that must
# not arrive is pressed before one that must: the next key line names the
# latter. No check depends on how long anything takes.
set -euo pipefail

probe=$1
work=$(mktemp -d)
pids=()

cleanup()
{
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
    rm -rf "$work"
}
trap cleanup EXIT

pass() { echo "ok: $*"; }

fail()
{
    echo "FAIL: $*" >&2
    for log in "$work"/*.out "$work"/*.err; do
        [[ -s $log ]] && { echo "--- ${log##*/}"; cat "$log"; } >&2
    done
    exit 1
}

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds; 1 when the
# time is up (a guard against hanging, not a measurement).
wait_until()
{
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Nothing of the user's session is touched.
export HOME=$work/home XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data
export XDG_CACHE_HOME=$work/cache XDG_RUNTIME_DIR=$work/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
unset WAYLAND_DISPLAY
export LANG=C.UTF-8 QT_QPA_PLATFORM=xcb

# ------------------------------------------------------------ the X server

export XAUTHORITY=$work/Xauthority
: >"$XAUTHORITY"
# The server loads every cookie of the file at start; the display number is
# known only afterwards, so the client's entry is added then.
cookie=$(mcookie)
xauth -q add ":65000" . "$cookie"
source "$(dirname "$0")/../xvfb.sh"
start_xvfb "$work" -auth "$XAUTHORITY" || fail "no X server (see $work/xvfb.log)"
pids+=("$XVFB_PID")
xauth -q add "$DISPLAY" . "$cookie"

# xev on the root window shows the lock state: keys nobody grabs go there.
xev -root -event keyboard >"$work/xev.log" 2>&1 &
pids+=($!)
xev_saw_x() { xdotool key x && grep -q '(keysym 0x78, x)' "$work/xev.log"; }
wait_until 10 xev_saw_x || fail "xev does not see the keyboard"

# The states xev reported for presses of x (X with Caps Lock), one a line.
x_states()
{
    awk '/^KeyPress/ { press = 1 } /^KeyRelease/ { press = 0 }
         press && /\(keysym 0x(78, x|58, X)\)/ { sub(/,.*/, "", $2); print $2 }' "$work/xev.log"
}

# lock_state_is HEX: the modifier state a key press carries now.
lock_state_is()
{
    local before
    before=$(x_states | wc -l)
    xdotool key x
    x_count_above() { (($(x_states | wc -l) > before)); }
    wait_until 20 x_count_above || fail "xev missed a key press"
    [[ $(x_states | tail -n 1) == "$1" ]]
}

# ------------------------------------------------------------ the probes

declare -A probe_in probe_pid keys_seen replies_seen

# start_probe NAME: a probe taking commands through a FIFO, its output in NAME.out.
start_probe()
{
    local name=$1 fd
    mkfifo "$work/$name.in"
    "$probe" <"$work/$name.in" >"$work/$name.out" 2>"$work/$name.err" &
    probe_pid[$name]=$!
    pids+=($!)
    exec {fd}>"$work/$name.in"
    probe_in[$name]=$fd
    keys_seen[$name]=0
    replies_seen[$name]=0
}

# nth_line NAME PATTERN N: the Nth output line of NAME matching PATTERN (grep -E).
nth_line() { grep -E "$2" "$work/$1.out" | sed -n "$3p"; }
has_nth_line() { [[ -n $(nth_line "$@") ]]; }

# ask NAME COMMAND REPLY: sends a command and checks its reply.
ask()
{
    local name=$1 n=$((replies_seen[$1] + 1))
    replies_seen[$name]=$n
    echo "$2" >&"${probe_in[$name]}"
    wait_until 20 has_nth_line "$name" '^[^k]' "$n" || fail "$name: no reply to '$2'"
    local reply
    reply=$(nth_line "$name" '^[^k]' "$n")
    [[ $reply == "$3" ]] || fail "$name: '$2' answered '$reply' instead of '$3'"
}

# expect_key NAME KEY: the next key NAME reports is KEY.
expect_key()
{
    local name=$1 n=$((keys_seen[$1] + 1))
    keys_seen[$name]=$n
    wait_until 20 has_nth_line "$name" '^key ' "$n" || fail "$name: $2 did not arrive"
    local key
    key=$(nth_line "$name" '^key ' "$n")
    [[ $key == "key $2" ]] || fail "$name: '$key' arrived where $2 was expected"
}

# quit NAME: the probe ends cleanly and reported no key beyond those expected.
quit()
{
    local name=$1 status=0
    echo quit >&"${probe_in[$name]}"
    wait "${probe_pid[$name]}" || status=$?
    ((status == 0)) || fail "$name exited with status $status"
    local extra
    extra=$(nth_line "$name" '^key ' $((keys_seen[$name] + 1)))
    [[ -z $extra ]] || fail "$name: unexpected '$extra'"
}

press() { xdotool key "$@"; }

# ------------------------------------------------------------ the checks

start_probe first

ask first remove removed
pass "RemoveHook with nothing grabbed"

ask first "grab 3" "grabbed 1"
press alt+F12
expect_key first F12
pass "Alt+F12 arrives as F12"

ask first "grab 3" "grabbed 1"
press alt+F9
press F12
press alt+F12
expect_key first F12
pass "SetHook again with the same key is harmless; Alt+F9 and F12 alone do not arrive"

xdotool keydown alt+F12
sleep 1 # long enough for the server's auto-repeat to start
xdotool keyup F12 alt
ask first "grab 0" "grabbed 1"
press alt+F9
expect_key first F12
expect_key first F9
pass "a held key arrives once"

press alt+F12
press alt+F9
expect_key first F9
pass "the grab moved to Alt+F9: Alt+F12 no longer arrives"

press Num_Lock
lock_state_is 0x10 || fail "Num Lock did not come on"
press alt+F9
expect_key first F9
press Caps_Lock
lock_state_is 0x12 || fail "Caps Lock did not come on"
press alt+F9
expect_key first F9
press Num_Lock
lock_state_is 0x2 || fail "Num Lock did not go off"
press alt+F9
expect_key first F9
press Caps_Lock
lock_state_is 0x0 || fail "Caps Lock did not go off"
pass "Alt+F9 arrives with Num Lock, Caps Lock and both on"

ask first remove removed
press alt+F9
ask first "grab 3" "grabbed 1"
press alt+F12
expect_key first F12
pass "RemoveHook stops the delivery"

ask first taken "taken 0"
start_probe second
ask second "grab 3" "grabbed 0"
ask second taken "taken 1"
press alt+F12
expect_key first F12
pass "a key held by another program: the grab reports failure as taken, the holder keeps the key"

ask second "grab 0" "grabbed 1"
ask second taken "taken 0"
press alt+F9
expect_key second F9
ask first remove removed
ask second "grab 3" "grabbed 1"
press alt+F12
expect_key second F12
pass "after the failure the program goes on and grabs the key once it is free"

quit second
quit first
pass "both programs exit cleanly"
