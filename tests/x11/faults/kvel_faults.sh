#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Fault tests of the running kvel on a private Xvfb display with openbox:
# kill -9 in the middle of saving, read-only program folders used by a user
# who is not root, twenty starts at the same moment, a flood of clipboard
# changes, a clipboard owner that never answers, a flood of idle connections
# to the instance socket, no runtime folder, and a hostile dictionary swapped
# in while the bar runs. Built on the end-to-end tests' helpers (../e2e/lib.sh).
#
# usage: kvel_faults.sh KVEL_EXECUTABLE DICTIONARY CLIPBOARD_FLOOD [OUTPUT_FOLDER]
#   CLIPBOARD_FLOOD is the kvel_faults_clipboard_flood program.
#   OUTPUT_FOLDER (default ./kvel-faults-output) keeps the screenshots and the
#   logs and settings file of a failed scenario.
#   KVEL_E2E_ONLY="1 3" runs only those scenarios; KVEL_E2E_KEEP=1 keeps the
#   temporary folders; KVEL_FAULT_KILLS (default 100) sets the number of kills.

# shellcheck disable=SC2317 # small helpers are called through wait_until
set -u

if (($# < 3)); then
    echo "usage: $0 KVEL_EXECUTABLE DICTIONARY CLIPBOARD_FLOOD [OUTPUT_FOLDER]" >&2
    exit 2
fi
KVEL_EXE=$(realpath "$1")
KVEL_DICT=$(realpath "$2")
CLIPBOARD_FLOOD=$(realpath "$3")
# Built beside the flood program.
SILENT_OWNER=$(dirname "$CLIPBOARD_FLOOD")/kvel_faults_silent_clipboard_owner
WM_PING=$(dirname "$CLIPBOARD_FLOOD")/kvel_faults_wm_ping
E2E_OUT=$(realpath -m "${4:-kvel-faults-output}")
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
IDLE_CONNECTIONS=$HERE/idle_connections.py

# shellcheck source=../e2e/lib.sh
. "$HERE/../e2e/lib.sh"
# shellcheck source=../e2e/runner.sh
. "$HERE/../e2e/runner.sh"

require_tools Xvfb xauth mcookie openbox xdotool xclip xwininfo xprop xdpyinfo import convert iconv timeout setpriv python3
require_programs "$KVEL_EXE" "$CLIPBOARD_FLOOD" "$SILENT_OWNER" "$WM_PING"
[[ -f $KVEL_DICT ]] || { echo "no dictionary: $KVEL_DICT" >&2; exit 1; }

mkdir -p "$E2E_OUT"
E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/kvel-faults.XXXXXX")
# The read-only scenario runs kvel as another user, who must reach its sandbox
# and the X server's cookie; everything else in here stays private to a sandbox.
chmod 711 "$E2E_TMP"
unset DISPLAY XAUTHORITY

# ============================================================== scenarios

# milliseconds_sleep MS
milliseconds_sleep() { sleep "$(($1 / 1000)).$(printf '%03d' $(($1 % 1000)))"; }

# 1. kill -9 while the program saves: the settings file is always either the
#    file before the save (as the start left it) or the whole new one. The file kvel starts from holds
#    values it corrects on reading (a search language and find method out of
#    range, a position off the screen), so every completed save differs from
#    it in several keys at once; a key it does not own must survive.
scenario_kill_during_saves()
{
    new_sandbox kill-during-saves
    local kills=${KVEL_FAULT_KILLS:-100}
    write_ini '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 SavePosition=1 \
        '[Selected]' Language=7 '[Find]' Mask=9 '[Window]' Left=90000 Top=-300 \
        '[Recent]' EngCount=2 Eng1=house Eng2=water '[Other]' Kept=yes
    cp "$INI" "$SANDBOX/before.ini"

    # A start writes its (empty) hand-over into the file: a kill before the
    # save on SIGTERM leaves that file.
    log "a kill -9 while the bar is up leaves the file of the start"
    start_kvel
    wait_for_bar "$KVEL_PID"
    stop_process "$KVEL_PID"
    ini_well_formed
    expect_ini Selected Language 7
    expect_ini IE ParamCount 0
    cp "$INI" "$SANDBOX/started.ini"
    cp "$SANDBOX/before.ini" "$INI"

    log "an undisturbed save on SIGTERM gives the new file"
    start_kvel
    wait_for_bar "$KVEL_PID"
    kill -TERM "$KVEL_PID"
    wait_exit "$KVEL_PID" 10 || fail "kvel still runs 10 s after SIGTERM"
    ini_well_formed
    cmp -s "$INI" "$SANDBOX/before.ini" && fail "SIGTERM did not save: kvel.ini is unchanged"
    expect_ini Selected Language 0
    expect_ini Find Mask 0
    expect_ini Window Left $((1024 - 153))
    expect_ini Window Top 0
    expect_ini Recent Eng2 water
    expect_ini Other Kept yes
    cp "$INI" "$SANDBOX/after.ini"

    # The save follows SIGTERM within a millisecond or two, sooner than a
    # sleep can be timed: the kill comes after a busy wait of 0 to 3,000 turns
    # of a shell loop (about 0 to 5 ms), so kills land before, inside and
    # after the save.
    local kill_no spins turn old=0 new=0 leftovers=0
    for ((kill_no = 1; kill_no <= kills; kill_no++)); do
        rm -f "$APP"/kvel.ini.*
        cp "$SANDBOX/before.ini" "$INI"
        start_kvel
        wait_for_bar "$KVEL_PID" >/dev/null
        spins=$((RANDOM % 3001))
        kill -TERM "$KVEL_PID"
        for ((turn = 0; turn < spins; turn++)); do :; done
        stop_process "$KVEL_PID"
        if cmp -s "$INI" "$SANDBOX/before.ini" || cmp -s "$INI" "$SANDBOX/started.ini"; then
            old=$((old + 1))
        elif cmp -s "$INI" "$SANDBOX/after.ini"; then
            new=$((new + 1))
        else
            cp "$INI" "$E2E_OUT/$SCENARIO_ID-torn.ini"
            fail "kill $kill_no, $spins turns after SIGTERM, left a settings file that is neither the old nor the new one ($E2E_OUT/$SCENARIO_ID-torn.ini)"
        fi
        # A lock or a half-written copy beside the file: killed inside the save.
        compgen -G "$APP/kvel.ini.*" >/dev/null && leftovers=$((leftovers + 1))
    done
    pass "$kills kills: $old left the old file, $new the new one ($leftovers inside the save, leaving a lock or a temporary copy), none anything else"
    ((old > 0 && new > 0)) ||
        fail "every kill landed on the same side of the save ($old old, $new new): the test did not reach the save itself"

    log "a start after the kills comes up and saves normally"
    cp "$SANDBOX/before.ini" "$INI"
    start_kvel
    wait_for_bar "$KVEL_PID"
    focus_entry
    type_text house
    expect_red "after-kills-house"
    kill -TERM "$KVEL_PID"
    wait_exit "$KVEL_PID" 10 || fail "kvel still runs 10 s after SIGTERM"
    cmp -s "$INI" "$SANDBOX/after.ini" ||
        fail "the save after the kills differs from an undisturbed one: $(diff "$SANDBOX/after.ini" "$INI" | tr '\n' '|')"
    pass "the next start saved the same file as an undisturbed run"
}

bar_at_top() { find_bar "$1" && [[ $BAR_Y == "$2" ]]; }

# close_with_escape PID: Escape until the bar closes (a first run may show
# the tip of the day, which the first Escape closes).
close_with_escape()
{
    local _
    for _ in 1 2 3; do
        press Escape
        wait_exit "$1" 3 && return 0
    done
    fail "kvel still runs after Escape three times"
}

# start_kvel_as USER: sets KVEL_PID to kvel started as USER with the
# sandbox's environment only.
start_kvel_as()
{
    local n
    n=$(wc -l <"$KVEL_PIDS_FILE")
    kvel_env_vars
    KVEL_LOG=$SANDBOX/kvel-$n.log
    setpriv --reuid="$1" --regid="$(id -g "$1")" --clear-groups \
        env -i "${KVEL_ENV[@]}" "$APP/kvel" >"$KVEL_LOG" 2>&1 &
    KVEL_PID=$!
    echo "$KVEL_PID" >>"$KVEL_PIDS_FILE"
}

# share_x_cookie USER: the X server's cookie in $SANDBOX/Xauthority, readable
# by USER.
share_x_cookie()
{
    : >"$SANDBOX/Xauthority"
    xauth -f "$XAUTHORITY" nextract - "$DISPLAY" | xauth -f "$SANDBOX/Xauthority" nmerge -
    chown "$1" "$SANDBOX/Xauthority"
}

# other_user_sandbox NAME: a sandbox whose folders belong to OTHER_USER
# (nobody), who runs kvel in it; skips without root or that user.
other_user_sandbox()
{
    ((EUID == 0)) || skip "needs root to run kvel as another user"
    OTHER_USER=nobody
    id "$OTHER_USER" >/dev/null 2>&1 || skip "no user '$OTHER_USER' on this machine"
    new_sandbox "$1"
    chmod 755 "$SANDBOX"
    chown -R "$OTHER_USER" "$SANDBOX"/{home,config,data,cache,runtime}
}

# 2. A program folder the user may not write (an installation in a system
#    folder): kvel starts, keeps its settings in $XDG_CONFIG_HOME/kvel/ and
#    finds them there at the next start; the folder is left as it was.
scenario_read_only_folder()
{
    other_user_sandbox read-only-folder
    local user=$OTHER_USER
    chmod 555 "$APP"
    chmod 444 "$INI"
    ls -l --time-style=+%s "$APP" >"$SANDBOX/folder-before.txt"
    local settings=$SANDBOX/config/kvel/kvel.ini
    share_x_cookie "$user"
    local XAUTHORITY=$SANDBOX/Xauthority

    start_kvel_as "$user"
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    pass "kvel runs as $user from a folder it cannot write"
    focus_entry
    log "Alt+L switches the search language, Ctrl+Alt+Down moves the bar"
    press alt+l ctrl+alt+Down
    wait_until 10 bar_at_top "$pid" 40 || fail "the bar did not move down: it is at $BAR_X,$BAR_Y"
    close_with_escape "$pid"
    [[ -f $settings ]] || fail "no settings file in \$XDG_CONFIG_HOME/kvel/ after closing: $(tr '\n' '|' <"$KVEL_LOG")"
    [[ $(stat -c %U "$settings") == "$user" ]] || fail "$settings belongs to $(stat -c %U "$settings"), not $user"
    INI=$settings
    ini_well_formed
    expect_ini Selected Language 1
    expect_ini Window Top 40
    ls -l --time-style=+%s "$APP" | cmp -s - "$SANDBOX/folder-before.txt" ||
        fail "the read-only program folder changed: $(ls -la "$APP" | tr '\n' '|')"
    pass "the program folder is unchanged"

    log "restart: the settings come from \$XDG_CONFIG_HOME/kvel/"
    start_kvel_as "$user"
    pid=$KVEL_PID
    wait_for_bar "$pid"
    [[ $BAR_Y == 40 ]] || fail "the restarted bar is at $BAR_X,$BAR_Y, expected the saved top 40"
    focus_entry
    type_text house
    expect_red "restart-english-house"
    pass "the restarted bar is where it was left and searches English headwords"
}

# 3. Twenty starts with words at the same moment: one becomes the running
#    instance, the others hand their words over and end at once; the running
#    one shows the words of one of them.
scenario_simultaneous_starts()
{
    new_sandbox simultaneous-starts
    local count=20 i
    local -a words=(house water cat dog book)
    for ((i = ${#words[@]}; i < count; i++)); do
        words+=("word$i")
    done
    # The starts wait on a pipe for one line each; the lines for all of them
    # are written at once. The pipe stays open for writing until the scenario
    # ends, so a start that reaches it late still finds its line.
    local barrier=$SANDBOX/barrier barrier_fd
    mkfifo "$barrier"
    exec {barrier_fd}<>"$barrier"
    kvel_env_vars
    local -a pids=()
    for ((i = 0; i < count; i++)); do
        (
            exec {barrier_fd}>&-
            read -r _ <"$barrier"
            exec env -i "${KVEL_ENV[@]}" "$APP/kvel" "${words[i]}" >"$SANDBOX/kvel-start-$i.log" 2>&1
        ) &
        pids+=("$!")
        echo "$!" >>"$KVEL_PIDS_FILE"
    done
    log "$count starts released at once"
    printf '%*s' "$count" '' | tr ' ' '\n' >&"$barrier_fd"
    local started=$SECONDS

    running_count()
    {
        local pid n=0
        for pid in "${pids[@]}"; do
            process_alive "$pid" && n=$((n + 1))
        done
        echo "$n"
    }
    one_left() { (($(running_count) <= 1)); }
    if ! wait_until 20 one_left; then
        local alive=()
        for i in "${!pids[@]}"; do
            process_alive "${pids[i]}" &&
                alive+=("start $i ('${words[i]}', pid ${pids[i]}, $(visible_windows "${pids[i]}" | wc -l) windows, state $(ps -o stat= -p "${pids[i]}"))")
        done
        fail "${#alive[@]} of the $count starts still run after 20 s: ${alive[*]}"
    fi
    local survivor='' pid status
    for i in "${!pids[@]}"; do
        pid=${pids[i]}
        if process_alive "$pid"; then
            survivor=$pid
            continue
        fi
        wait "$pid" 2>/dev/null
        status=$?
        ((status == 0)) || fail "start $i ('${words[i]}') ended with status $status: $(tr '\n' '|' <"$SANDBOX/kvel-start-$i.log")"
    done
    [[ -n $survivor ]] || fail "no instance is left running"
    pass "$((count - 1)) starts ended with status 0 within $((SECONDS - started)) s, one runs on"
    # Nothing else may start a bar now: the one left keeps running.
    sleep 1
    process_alive "$survivor" || fail "the instance left running ended"
    [[ $(running_count) == 1 ]] || fail "$(running_count) instances run"

    wait_for_bar "$survivor"
    wait_until 10 balloon_shown "$survivor" || fail "the running instance shows no balloon"
    focus_entry
    read_entry_quietly 10
    local word shown=
    for word in "${words[@]}"; do
        [[ $ENTRY_TEXT == "$word" ]] && shown=$word
    done
    [[ -n $shown ]] || fail "the entry holds '$ENTRY_TEXT', which is none of the words handed over"
    pass "the running instance shows '$shown', the words of one start"
    ini_well_formed
    expect_ini IE ParamCount 1
}

flood_done() { grep -q '^flood-done:' "$SANDBOX/flood.log"; }

# 4. Another program re-takes the clipboard in a loop for five seconds while
#    kvel watches it: the bar stays alive and responsive and ends up showing
#    the last text copied.
scenario_clipboard_flood()
{
    new_sandbox clipboard-flood
    write_ini '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 Fast=0
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"

    log "the clipboard is taken over for 5 s, then 'water' is copied"
    start_helper flood "$CLIPBOARD_FLOOD" 5 water
    wait_until 30 flood_done || fail "the flood did not finish within 30 s: $(tr '\n' '|' <"$SANDBOX/flood.log")"
    pass "the flood is over: $(sed -n 's/^flood-done: //p' "$SANDBOX/flood.log") copies"
    process_alive "$pid" || fail "kvel ended during the flood: $(tr '\n' '|' <"$KVEL_LOG")"
    wait_until 10 balloon_shown "$pid" || fail "no balloon 10 s after the last copy"
    expect_red "after-flood-water"
    focus_entry
    expect_entry_quietly water "after the flood"

    log "a lookup typed after the flood"
    press ctrl+a
    type_text book
    expect_red "after-flood-book"
    expect_entry_quietly book "typed after the flood"
    process_alive "$pid" || fail "kvel ended after the flood"
}

idle_flood_done() { grep -qs '^opened:' "$SANDBOX/idle-connections.log"; }

# seconds_between START END: END - START of two $EPOCHREALTIME readings.
seconds_between() { awk -v a="$1" -v b="$2" 'BEGIN {printf "%.2f", b - a}'; }

# 5. A thousand idle connections to the single-instance socket, then its file
#    deleted: kvel keeps its descriptors in bounds, listens again, a start
#    with a word still reaches the running bar, and the bar keeps answering
#    typing and the window manager's pings.
scenario_socket_flood()
{
    new_sandbox socket-flood
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    local socket=$SANDBOX/runtime/notkvel-${DISPLAY//:/_}.socket
    [[ -S $socket ]] || fail "no instance socket $socket: $(ls "$SANDBOX/runtime")"
    local descriptors_before
    descriptors_before=$(find "/proc/$pid/fd" -mindepth 1 | wc -l)
    start_helper ping "$WM_PING" "$BAR_ID" 5
    local ping_pid=$HELPER_PID

    log "1,000 idle connections to the instance socket"
    local flood_started=$EPOCHREALTIME
    start_helper idle-connections python3 "$IDLE_CONNECTIONS" "$socket" 1000 600
    wait_until 120 idle_flood_done ||
        fail "the connections were not all tried within 120 s: $(tr '\n' '|' <"$SANDBOX/idle-connections.log")"
    pass "$(cat "$SANDBOX/idle-connections.log")"
    process_alive "$pid" || fail "kvel ended during the flood: $(tr '\n' '|' <"$KVEL_LOG")"
    local descriptors
    descriptors=$(find "/proc/$pid/fd" -mindepth 1 | wc -l)
    ((descriptors < descriptors_before + 100)) ||
        fail "kvel holds $descriptors descriptors, $descriptors_before before the flood"
    pass "kvel holds $descriptors descriptors ($descriptors_before before the flood)"

    log "the socket file is deleted, then 'kvel water' is started"
    rm -f "$socket"
    local asked=$EPOCHREALTIME
    run_second_kvel water
    ((SECOND_RC == 0)) ||
        fail "'kvel water' ended with status $SECOND_RC: $(tail -n 3 "$SANDBOX/second.log" | tr '\n' '|')"
    wait_until 30 balloon_shown "$pid" || fail "no balloon within 30 s of 'kvel water'"
    expect_red "after-socket-flood-water"
    local answered=$EPOCHREALTIME
    [[ -S $socket ]] || fail "kvel did not make its socket again"
    focus_entry
    expect_entry_quietly water "handed over after the flood"

    log "a lookup typed while the idle connections are still held"
    press ctrl+a
    type_text book
    expect_red "after-socket-flood-book"
    expect_entry_quietly book "typed after the flood"
    process_alive "$HELPER_PID" || fail "the idle connections are gone: the flood did not last"
    pass "flood of 1,000 connections took $(seconds_between "$flood_started" "$asked") s; 'kvel water' was shown $(seconds_between "$asked" "$answered") s after it was started"

    wait "$ping_pid"
    local ping_status=$? ping_result
    ping_result=$(cat "$SANDBOX/ping.log")
    ((ping_status == 0)) || fail "the bar stopped answering pings: $ping_result"
    pass "the bar kept answering the window manager's pings: $ping_result"
}

# 6. A kvel.ini the user may write, in a program folder the user may not (no
#    lock or temporary file can go beside it): its values move once into
#    $XDG_CONFIG_HOME/kvel/ and are saved there; start with the system stays
#    off as the file says, and the old file is left as it was.
scenario_writable_ini_in_read_only_folder()
{
    other_user_sandbox writable-ini-in-read-only-folder
    local user=$OTHER_USER
    chown "$user" "$INI"
    chmod 644 "$INI"
    chmod 555 "$APP"
    cp "$INI" "$SANDBOX/before.ini"
    local settings=$SANDBOX/config/kvel/kvel.ini
    share_x_cookie "$user"
    local XAUTHORITY=$SANDBOX/Xauthority

    start_kvel_as "$user"
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry
    press alt+l
    close_with_escape "$pid"
    [[ -f $settings ]] || fail "nothing saved in \$XDG_CONFIG_HOME/kvel/: $(tr '\n' '|' <"$KVEL_LOG")"
    cmp -s "$INI" "$SANDBOX/before.ini" || fail "the kvel.ini in the program folder changed"
    [[ -e $SANDBOX/config/autostart/kvel.desktop ]] && fail "an autostart entry was written"
    INI=$settings
    ini_well_formed
    expect_ini Preferences AutoStart 0
    expect_ini Selected Language 1
    pass "the values moved to \$XDG_CONFIG_HOME/kvel/ and were saved there; no autostart entry"
}

# kvel_without_runtime_dir USER [ARGS...]: runs kvel as USER in the
# background from /, which USER may not write, with the sandbox's
# environment but no XDG_RUNTIME_DIR; sets KVEL_PID and KVEL_LOG.
kvel_without_runtime_dir()
{
    local user=$1 n variable
    shift
    n=$(wc -l <"$KVEL_PIDS_FILE")
    kvel_env_vars
    local -a environment=()
    for variable in "${KVEL_ENV[@]}"; do
        [[ $variable == XDG_RUNTIME_DIR=* ]] || environment+=("$variable")
    done
    KVEL_LOG=$SANDBOX/kvel-$n.log
    (cd / && exec setpriv --reuid="$user" --regid="$(id -g "$user")" --clear-groups \
        env -i "${environment[@]}" "$APP/kvel" "$@") >"$KVEL_LOG" 2>&1 &
    KVEL_PID=$!
    echo "$KVEL_PID" >>"$KVEL_PIDS_FILE"
}

# 7. No XDG_RUNTIME_DIR, a runtime folder Qt refuses (/tmp/runtime-<user>
#    owned by root) and a current folder the user may not write: kvel keeps
#    its lock and socket in /tmp/kvel-<uid>, made with mode 0700, and hands
#    words over there. That folder open to others is refused: the start says
#    so and ends with a non-zero status.
scenario_runtime_fallback()
{
    ((EUID == 0)) || skip "needs root to run kvel as another user"
    local user=nobody
    id "$user" >/dev/null 2>&1 || skip "no user '$user' on this machine"
    local fallback qt_runtime
    fallback=/tmp/kvel-$(id -u "$user")
    qt_runtime=/tmp/runtime-$user
    if [[ -e $fallback || -e $qt_runtime ]]; then
        skip "$fallback or $qt_runtime is there already, and the test leaves them alone"
    fi
    # shellcheck disable=SC2064 # the paths are fixed now
    trap "stop_scenario_processes; rm -rf '$fallback' '$qt_runtime'" EXIT
    mkdir -m 700 "$qt_runtime"
    new_sandbox runtime-fallback
    chmod 755 "$SANDBOX"
    chown -R "$user" "$SANDBOX"/{home,config,data,cache} "$APP"
    share_x_cookie "$user"
    local XAUTHORITY=$SANDBOX/Xauthority

    kvel_without_runtime_dir "$user"
    local first=$KVEL_PID
    wait_for_bar "$first"
    [[ $(stat -c '%U %a %F' "$fallback") == "$user 700 directory" ]] ||
        fail "$fallback is $(stat -c '%U %a %F' "$fallback"), expected a folder of $user with mode 700"
    [[ -S $fallback/notkvel-${DISPLAY//:/_}.socket ]] ||
        fail "no instance socket in $fallback: $(ls -A "$fallback")"
    pass "the lock and the socket are in $fallback: $(ls -A "$fallback" | tr '\n' ' ')"
    kvel_without_runtime_dir "$user" house
    wait_exit "$KVEL_PID" 10 || fail "'kvel house' as a second start still runs after 10 s"
    ((EXIT_STATUS == 0)) || fail "'kvel house' as a second start ended with status $EXIT_STATUS: $(tr '\n' '|' <"$KVEL_LOG")"
    focus_entry
    expect_entry_quietly house "the running bar after 'kvel house'"
    stop_process "$first"

    log "$fallback open to others"
    chmod 755 "$fallback"
    kvel_without_runtime_dir "$user" house
    wait_exit "$KVEL_PID" 10 || fail "a start with $fallback open to others still runs after 10 s"
    ((EXIT_STATUS != 0)) || fail "a start with $fallback open to others ended with status 0"
    grep -q "no folder for the single-instance lock" "$KVEL_LOG" ||
        fail "no message on standard error: $(tr '\n' '|' <"$KVEL_LOG")"
    pass "refused with status $EXIT_STATUS: $(grep -m 1 'no folder' "$KVEL_LOG")"
}

silent_owner_started() { grep -qs '^silent-owner-started' "$SANDBOX/silent-owner.log"; }
silent_owner_done() { grep -qs '^silent-owner-done:' "$SANDBOX/silent-owner.log"; }
clipboard_is_not_water() { local text; text=$(clipboard_text) && [[ -n $text && $text != water ]]; }

# 8. A clipboard owner that never answers takes the clipboard every second
#    for 20 s; kvel starts meanwhile, looks the clipboard up as its bar opens
#    and watches it: the bar keeps answering the window manager's ping, a
#    typed lookup and pastes (which wait for the owner in the background)
#    all the while; afterwards it looks up an ordinary copy, ignores its own
#    copy (Alt+2) and pastes that.
scenario_silent_clipboard_owner()
{
    new_sandbox silent-clipboard-owner
    write_ini '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=1 Fast=0
    log "a clipboard owner that never answers takes the clipboard every second for 20 s"
    start_helper silent-owner "$SILENT_OWNER" 20
    wait_until 10 silent_owner_started || fail "the silent owner did not start: $(tr '\n' '|' <"$SANDBOX/silent-owner.log")"
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    xprop -id "$BAR_ID" WM_PROTOCOLS | grep -q _NET_WM_PING ||
        fail "the bar does not take part in _NET_WM_PING: $(xprop -id "$BAR_ID" WM_PROTOCOLS)"
    start_helper ping "$WM_PING" "$BAR_ID" 15
    local ping_pid=$HELPER_PID

    focus_entry
    type_text house
    expect_red "silent-owner-house"
    expect_entry_quietly house "typed while the owner stays silent"
    log "pasting into the entry, with the keys and from its menu, while the owner stays silent"
    press ctrl+v shift+Insert
    xdotool mousemove $((BAR_X + 90)) $((BAR_Y + 10)) click 3
    sleep 1
    press Escape
    focus_entry
    press ctrl+a
    type_text cat
    expect_red "silent-owner-cat"
    expect_entry_quietly cat "typed after pasting while the owner stays silent"

    wait "$ping_pid"
    local ping_status=$? ping_result
    ping_result=$(cat "$SANDBOX/ping.log")
    ((ping_status == 0)) || fail "the bar stopped answering pings: $ping_result"
    local longest
    longest=$(sed -n 's/.*longest: \([0-9]*\) ms.*/\1/p' <<<"$ping_result")
    [[ -n $longest ]] || fail "no ping figures: $ping_result"
    ((longest <= 3000)) || fail "the bar answered a ping only after $longest ms: $ping_result"
    pass "the bar kept answering while the owner stayed silent: $ping_result"

    wait_until 30 silent_owner_done || fail "the silent owner did not finish within 30 s"
    pass "the silent owner is gone: $(sed -n 's/^silent-owner-done: //p' "$SANDBOX/silent-owner.log") takes"
    process_alive "$pid" || fail "kvel ended: $(tr '\n' '|' <"$KVEL_LOG")"
    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "the balloon is still mapped 10 s after Escape"
    copy_text water
    wait_until 10 balloon_shown "$pid" || fail "no balloon 10 s after copying 'water'"
    expect_red "after-silent-owner-water"
    focus_entry
    expect_entry_quietly water "the copy after the silent owner"
    log "Alt+2 copies the meanings of 'water': the bar's own copy is no news"
    press alt+2
    wait_until 10 clipboard_is_not_water || fail "Alt+2 did not replace 'water' on the clipboard"
    local meanings
    meanings=$(clipboard_text)
    sleep 1
    expect_entry_quietly water "after the bar's own copy"
    press End ctrl+v
    expect_entry_quietly "water${meanings,,}" "the bar's own copy pasted"
}

# write_recursive_view_dictionary FILE: a dictionary whose TblKvel is a view
# of rows without end (none starting with a typed word); TblVer is good.
write_recursive_view_dictionary()
{
    python3 - "$1" <<'EOF'
import sqlite3, sys
db = sqlite3.connect(sys.argv[1])
db.executescript("""
create table TblVer(Ver text); insert into TblVer values('2.5');
create view TblKvel(Word, Meaning, Selected) as
  with recursive r(n) as (select 1 union all select n + 1 from r)
  select 'zebra' || n, 'zebra', -1 from r;
""")
db.close()
EOF
}

# expect_answer_without_hits PID WHAT: the balloon is up and shows no red
# headword: the lookup was answered with a notice, not with rows of the file.
expect_answer_without_hits()
{
    wait_until 10 balloon_shown "$1" || fail "$2: no balloon within 10 s"
    expect_no_red "$2"
}

# 9. The dictionary is replaced while the bar runs, by one whose TblKvel is
#     a recursive view and then by a FIFO: every lookup typed meanwhile is
#     answered at once (the dictionary-version notice), the bar keeps answering
#     the window manager's ping, the good dictionary put back is read again,
#     and the settings survive.
scenario_hostile_dictionary()
{
    new_sandbox hostile-dictionary
    write_ini '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 Fast=0 '[Other]' Kept=yes
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry
    type_text house
    expect_red "good-dictionary-house"
    start_helper ping "$WM_PING" "$BAR_ID" 20
    local ping_pid=$HELPER_PID

    log "kvel.mdb replaced by a dictionary whose TblKvel is a recursive view"
    write_recursive_view_dictionary "$SANDBOX/recursive.mdb"
    mv -f "$SANDBOX/recursive.mdb" "$APP/kvel.mdb"
    local typed=$EPOCHREALTIME
    press ctrl+a
    type_text hat
    expect_answer_without_hits "$pid" recursive-view-hat
    pass "answered within $(seconds_between "$typed" "$EPOCHREALTIME") s of the first key (typing included)"

    log "kvel.mdb replaced by a FIFO"
    rm -f "$APP/kvel.mdb"
    mkfifo "$APP/kvel.mdb"
    press ctrl+a
    type_text book
    expect_answer_without_hits "$pid" fifo-book

    log "the good dictionary put back"
    rm -f "$APP/kvel.mdb"
    cp "$KVEL_DICT" "$APP/kvel.mdb"
    press ctrl+a
    type_text water
    expect_red "good-again-water"
    focus_entry
    expect_entry_quietly water "typed after the good dictionary came back"

    wait "$ping_pid"
    local ping_status=$? ping_result longest
    ping_result=$(cat "$SANDBOX/ping.log")
    ((ping_status == 0)) || fail "the bar stopped answering pings: $ping_result"
    longest=$(sed -n 's/.*longest: \([0-9]*\) ms.*/\1/p' <<<"$ping_result")
    [[ -n $longest ]] || fail "no ping figures: $ping_result"
    ((longest <= 3000)) || fail "the bar answered a ping only after $longest ms: $ping_result"
    pass "the bar kept answering pings: $ping_result"

    close_with_escape "$pid"
    ini_well_formed
    expect_ini Preferences Clipboard 0
    expect_ini Preferences Tips 0
    expect_ini Other Kept yes
    pass "the settings survived"
}

# shellcheck disable=SC2034 # read by run_scenarios
SCENARIOS=(
    "1 kill-during-saves scenario_kill_during_saves kill -9 in the middle of saving leaves the old or the new settings file"
    "2 read-only-folder scenario_read_only_folder A read-only program folder keeps the settings in the XDG config folder"
    "3 simultaneous-starts scenario_simultaneous_starts Twenty starts at the same moment leave one running instance"
    "4 clipboard-flood scenario_clipboard_flood A flood of clipboard changes leaves the bar alive with the last text"
    "5 socket-flood scenario_socket_flood A thousand idle connections to the instance socket leave the bar reachable"
    "6 writable-ini-in-read-only-folder scenario_writable_ini_in_read_only_folder A writable kvel.ini in a read-only folder moves to the XDG config folder once"
    "7 runtime-fallback scenario_runtime_fallback Without XDG_RUNTIME_DIR the lock and socket live in a private folder in /tmp"
    "8 silent-clipboard-owner scenario_silent_clipboard_owner A clipboard owner that never answers leaves the bar answering"
    "9 hostile-dictionary scenario_hostile_dictionary A dictionary replaced by a recursive view or a FIFO while the bar runs gets the version notice"
)

echo "kvel fault tests on a private X server"
echo "  executable: $KVEL_EXE"
echo "  dictionary: $KVEL_DICT"
echo "  output:     $E2E_OUT"
run_scenarios
