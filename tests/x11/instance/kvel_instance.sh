#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# The single instance of the running kvel on a private Xvfb display with
# openbox and trayer: twenty starts at the same moment into the tray, the
# bar and its balloon on every workspace, and one instance for every spelling
# of the display. Built on the end-to-end tests' helpers (../e2e/lib.sh).
#
# usage: kvel_instance.sh KVEL_EXECUTABLE DICTIONARY [OUTPUT_FOLDER]
#   KVEL_E2E_ONLY="1" runs only those scenarios; KVEL_E2E_KEEP=1 keeps the
#   temporary folders; KVEL_INSTANCE_ROUNDS (default 2) sets how often the
#   twenty starts are repeated.

# shellcheck disable=SC2317 # small helpers are called through wait_until
# shellcheck disable=SC2119 # run_second_kvel takes optional words
set -u

if (($# < 2)); then
    echo "usage: $0 KVEL_EXECUTABLE DICTIONARY [OUTPUT_FOLDER]" >&2
    exit 2
fi
KVEL_EXE=$(realpath "$1")
KVEL_DICT=$(realpath "$2")
E2E_OUT=$(realpath -m "${3:-kvel-instance-output}")
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source=../e2e/lib.sh
. "$HERE/../e2e/lib.sh"
# shellcheck source=../e2e/runner.sh
. "$HERE/../e2e/runner.sh"

prepare_suite kvel-instance

# A start that hands its words over has nothing to wait for: generous on a
# loaded machine, far below the seconds a start waiting in vain would take.
START_LIMIT_MS=1500

tray_ini()
{
    write_ini '[Preferences]' Tray=1 AutoStart=0 IE=0 Tips=0 Clipboard=0 '[Window]' Left=10 Top=10
}

icon_or_exit() { find_tray_icon || process_gone "$1"; }

# start_in_tray: starts kvel with the tray host running and waits for its
# icon in the tray and the bar hidden.
start_in_tray()
{
    start_kvel
    if wait_until 10 icon_or_exit "$KVEL_PID" && process_gone "$KVEL_PID"; then
        fail "kvel ended at start instead of going to the tray: $(tr '\n' '|' <"$KVEL_LOG")"
    fi
    wait_for_tray_icon
    expect_bar_hidden "$KVEL_PID" "start in tray mode"
}

# ============================================================== scenarios

# 1. Twenty starts with words at the same moment, with tray mode on and a
#    tray host: one becomes the running instance and shows its bar with the
#    words of one start in the balloon; every other start ends promptly.
scenario_simultaneous_starts_in_tray()
{
    new_sandbox simultaneous-in-tray
    tray_ini
    start_tray_host
    local rounds=${KVEL_INSTANCE_ROUNDS:-2} round
    for ((round = 1; round <= rounds; round++)); do
        log "round $round of $rounds"
        simultaneous_round "$round"
    done
}

# simultaneous_round N: one round of twenty starts released at once.
simultaneous_round()
{
    local count=20 i round=$1
    local -a words=(house water cat dog book)
    for ((i = ${#words[@]}; i < count; i++)); do
        words+=("word$i")
    done
    local durations=$SANDBOX/durations-$round
    : >"$durations"
    # The starts wait on a pipe for one line each; the lines for all of them
    # are written at once. The pipe stays open for writing until the round
    # ends, so a start that reaches it late still finds its line.
    local barrier=$SANDBOX/barrier-$round barrier_fd
    mkfifo "$barrier"
    exec {barrier_fd}<>"$barrier"
    kvel_env_vars
    for ((i = 0; i < count; i++)); do
        (
            exec {barrier_fd}>&-
            read -r _ <"$barrier"
            started=$(date +%s%N)
            env -i "${KVEL_ENV[@]}" "$APP/kvel" "${words[i]}" >"$SANDBOX/kvel-$round-$i.log" 2>&1 &
            echo "$!" >"$SANDBOX/pid-$round-$i"
            echo "$!" >>"$KVEL_PIDS_FILE"
            wait "$!"
            status=$?
            echo "$i $status $((($(date +%s%N) - started) / 1000000))" >>"$durations"
        ) 2>/dev/null &
        echo "$!" >>"$KVEL_PIDS_FILE"
    done
    printf '%*s' "$count" '' | tr ' ' '\n' >&"$barrier_fd"
    log "$count starts released at once"

    ended_but_one() { (($(wc -l <"$durations") >= count - 1)); }
    wait_until 20 ended_but_one ||
        fail "only $(wc -l <"$durations") of the $count starts ended within 20 s"
    exec {barrier_fd}>&-
    local survivor='' index status ms slow=()
    for ((i = 0; i < count; i++)); do
        grep -q "^$i " "$durations" || survivor=$(cat "$SANDBOX/pid-$round-$i")
    done
    while read -r index status ms; do
        ((status == 0)) ||
            fail "start $index ('${words[index]}') ended with status $status: $(tr '\n' '|' <"$SANDBOX/kvel-$round-$index.log")"
        ((ms <= START_LIMIT_MS)) && continue
        slow+=("start $index ('${words[index]}') took $ms ms")
    done <"$durations"
    [[ -n $survivor ]] || fail "no instance is left running"
    log "the other starts took $(sort -n -k3 "$durations" | awk '{print $3}' | tr '\n' ' ')ms"

    # Its icon is no balloon.
    wait_for_tray_icon
    expect_bar_shown "$survivor" "the running instance with the words handed over"
    wait_until 10 balloon_shown "$survivor" || fail "the running instance shows no balloon"
    # The bar must stay up with its balloon, not be hidden to the tray later.
    expect_bar_stays "$survivor" shown "the bar with its balloon"
    focus_entry
    read_entry_quietly 10
    local word shown=
    for word in "${words[@]}"; do
        [[ $ENTRY_TEXT == "$word" ]] && shown=$word
    done
    [[ -n $shown ]] || fail "the entry holds '$ENTRY_TEXT', which is none of the words handed over"
    pass "the running instance shows '$shown', the words of one start"
    ((${#slow[@]} == 0)) || fail "${#slow[@]} starts took longer than $START_LIMIT_MS ms to end: ${slow[*]}"
    pass "$((count - 1)) starts ended with status 0, each within $START_LIMIT_MS ms"
    stop_process "$survivor"
    wait_until 10 process_gone "$survivor"
}

# ------------------------------------------------------------- workspaces

desktop_count_is() { [[ $(xdotool get_num_desktops 2>/dev/null) == "$1" ]]; }
current_desktop_is() { [[ $(xdotool get_desktop 2>/dev/null) == "$1" ]]; }

# switch_desktop N: makes workspace N the current one.
switch_desktop()
{
    xdotool set_desktop "$1"
    wait_until 10 current_desktop_is "$1" || fail "openbox did not switch to workspace $1"
    log "workspace $1 is the current one"
}

# on_every_desktop ID: the window manager keeps the window on every
# workspace (desktop 0xFFFFFFFF; sticky too where it knows that state, which
# openbox does not).
on_every_desktop()
{
    local props
    props=$(xprop -id "$1" _NET_WM_DESKTOP _NET_WM_STATE 2>/dev/null)
    [[ $props == *"_NET_WM_DESKTOP(CARDINAL) = 4294967295"* ]] || return 1
    xprop -root _NET_SUPPORTED | grep -q _NET_WM_STATE_STICKY || return 0
    [[ $props == *_NET_WM_STATE_STICKY* ]]
}

# expect_on_every_desktop ID WHAT
expect_on_every_desktop()
{
    wait_until 5 on_every_desktop "$1" ||
        fail "$2: the window is not on every workspace: $(xprop -id "$1" _NET_WM_DESKTOP _NET_WM_STATE 2>&1 | tr '\n' '|')"
    pass "$2: the window is on every workspace"
}

# 2. With two workspaces the bar and its balloon show on both, also after the
#    bar came back from the tray; a bar moved to another workspace counts as
#    hidden, so a start without words brings it to the current one.
scenario_every_workspace()
{
    new_sandbox every-workspace
    tray_ini
    start_tray_host
    xdotool set_num_desktops 2
    wait_until 10 desktop_count_is 2 || fail "openbox did not take two workspaces"
    switch_desktop 0
    start_in_tray
    local pid=$KVEL_PID

    log "second start without words"
    run_second_kvel
    expect_bar_shown "$pid" "after a start without words"
    expect_on_every_desktop "$BAR_ID" "the bar"
    focus_entry
    type_text house
    wait_until 10 balloon_shown "$pid" || fail "typing 'house' opened no balloon"
    expect_on_every_desktop "$(balloon_window "$pid")" "the balloon"

    switch_desktop 1
    expect_bar_stays "$pid" shown "on workspace 1"
    balloon_shown "$pid" || fail "the balloon is not shown on workspace 1"
    pass "the balloon is shown on workspace 1"

    log "Escape twice: the bar goes to the tray; a start without words brings it back"
    focus_entry
    press Escape Escape
    expect_bar_hidden "$pid" "after Escape twice"
    run_second_kvel
    expect_bar_shown "$pid" "back from the tray"
    expect_on_every_desktop "$BAR_ID" "the bar back from the tray"

    log "the bar moved to workspace 0 only, workspace 1 current"
    xdotool set_desktop_for_window "$BAR_ID" 0
    wait_until 10 bar_hidden "$pid" || fail "the bar moved to workspace 0 is still shown on workspace 1"
    run_second_kvel
    ((SECOND_RC == 0)) || fail "'kvel' without words ended with status $SECOND_RC"
    expect_bar_shown "$pid" "after a start without words on workspace 1"
    expect_on_every_desktop "$BAR_ID" "the bar brought to workspace 1"
    process_alive "$pid" || fail "kvel ended"
}

# 3. One X server, however its display is spelt: starts with ":N.0" and
#    "unix:N" hand their words to the bar started with ":N".
scenario_display_spellings()
{
    new_sandbox display-spellings
    start_kvel
    local first=$KVEL_PID spelling
    wait_for_bar "$first"
    for spelling in "$DISPLAY.0" "unix$DISPLAY"; do
        log "second start with DISPLAY=$spelling"
        DISPLAY=$spelling run_second_kvel house
        ((SECOND_RC == 0)) ||
            fail "'kvel house' with DISPLAY=$spelling ended with status $SECOND_RC (124: it became a second running instance)"
        focus_entry
        expect_entry_quietly house "the bar started with DISPLAY=$DISPLAY after DISPLAY=$spelling"
        press ctrl+a BackSpace
    done
    process_alive "$first" || fail "the first instance ended"
}

# ================================================================= runner

# shellcheck disable=SC2034 # read by run_scenarios
SCENARIOS=(
    "1 simultaneous-in-tray scenario_simultaneous_starts_in_tray Twenty starts at once into the tray: the bar shows with its balloon, every start ends promptly"
    "2 every-workspace scenario_every_workspace The bar and its balloon are on every workspace"
    "3 display-spellings scenario_display_spellings Every spelling of one display reaches the one running instance"
)

echo "kvel single-instance tests on a private X server"
echo "  executable: $KVEL_EXE"
echo "  dictionary: $KVEL_DICT"
echo "  output:     $E2E_OUT"
run_scenarios
