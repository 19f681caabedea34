#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# End-to-end tests of the running kvel on a private Xvfb display with openbox:
# typing and the balloon, the three steps of Escape, the second start handing
# its words over, settings that survive a restart and a kill -9 that leaves the
# settings file whole; the tray icon, clipboard watching, the hot key, text
# dropped on the entry, F1's help file, the keyboard list, words that look
# like options handed to kvel, and the Alt keys under a Cyrillic layout.
#
# usage: kvel_e2e.sh KVEL_EXECUTABLE DICTIONARY [OUTPUT_FOLDER [DRAG_SOURCE [SESSION_MANAGER]]]
#   OUTPUT_FOLDER (default ./kvel-e2e-output) keeps the screenshots, and the
#   logs and settings file of a failed scenario.
#   DRAG_SOURCE is the kvel_e2e_drag_source program; without it the drop
#   scenario is skipped. SESSION_MANAGER is kvel_e2e_session_manager; without
#   it the session restart scenario is skipped.
#   KVEL_E2E_ONLY="1 3" runs only those scenarios; KVEL_E2E_KEEP=1 keeps the
#   temporary folders.

# shellcheck disable=SC2119 # start_kvel and run_second_kvel take optional words
set -u

if (($# < 2)); then
    echo "usage: $0 KVEL_EXECUTABLE DICTIONARY [OUTPUT_FOLDER [DRAG_SOURCE [SESSION_MANAGER]]]" >&2
    exit 2
fi
KVEL_EXE=$(realpath "$1")
KVEL_DICT=$(realpath "$2")
E2E_OUT=$(realpath -m "${3:-kvel-e2e-output}")
DRAG_SOURCE=
if [[ -n ${4:-} ]]; then
    DRAG_SOURCE=$(realpath "$4")
fi
SESSION_MANAGER_TOOL=
if [[ -n ${5:-} ]]; then
    SESSION_MANAGER_TOOL=$(realpath "$5")
fi
HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

# shellcheck source=lib.sh
. "$HERE/lib.sh"
# shellcheck source=runner.sh
. "$HERE/runner.sh"

prepare_suite kvel-e2e

# ============================================================== scenarios

# 1. The bar comes up at the top-left corner without a balloon; typing "house"
#    shows the balloon below it with the English headword in bold red.
scenario_type_and_see()
{
    new_sandbox type-and-see
    start_kvel
    wait_for_bar "$KVEL_PID"
    [[ $BAR_X == 0 && $BAR_Y == 0 ]] || fail "a fresh bar opened at $BAR_X,$BAR_Y, expected the top-left corner 0,0"
    pass "the bar opened at the top-left corner"
    # Nothing may open by itself: watch the first two seconds.
    if wait_until 2 balloon_shown "$KVEL_PID"; then
        fail "a balloon opened at start although tips and clipboard are off"
    fi
    expect_no_red "at-start"
    pass "no balloon at start"

    focus_entry
    type_text house
    wait_until 10 balloon_shown "$KVEL_PID" || fail "typing 'house' opened no balloon window within 10 s"
    pass "typing 'house' opened the balloon window"
    expect_red "house"
    expect_entry house "after typing 'house'"
}

# 2. Escape closes the balloon and empties the entry; on a phrase without a
#    balloon it empties the entry; on the empty entry it closes the bar, and
#    with the tray off the program ends.
scenario_escape_steps()
{
    new_sandbox escape-steps
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry
    type_text house
    expect_red "house"

    log "Escape with the balloon shown"
    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "the balloon is still mapped 10 s after the first Escape"
    pass "the balloon window is gone"
    expect_no_red "after-first-escape"
    expect_entry "" "after Escape closed the balloon"
    process_alive "$pid" || fail "kvel ended on the Escape that only had to close the balloon"

    log "Escape on a phrase while no balloon is shown"
    # A phrase that starts with a blank is not looked up: no balloon opens.
    type_text " "
    expect_entry " " "after typing a blank"
    balloon_hidden "$pid" || fail "a blank alone opened a balloon"
    press Escape
    expect_entry "" "after Escape on a phrase without a balloon"
    find_bar "$pid" || fail "the bar closed although its entry still held text"
    process_alive "$pid" || fail "kvel ended although its entry still held text"
    pass "the bar is still shown"

    log "Escape on the empty entry"
    press Escape
    wait_exit "$pid" 10 || fail "kvel still runs 10 s after Escape on the empty entry (tray off)"
    ((EXIT_STATUS == 0)) || fail "kvel ended with status $EXIT_STATUS after closing the bar"
    pass "the bar closed and kvel ended with status 0"
    ini_well_formed
    expect_ini Window Left 0
}

# 3. A second start hands its words to the running one through section [IE]
#    and exits at once; without words it toggles (closes) the running bar.
scenario_second_instance()
{
    new_sandbox second-instance
    start_kvel
    local first=$KVEL_PID
    wait_for_bar "$first"
    local display_no=${DISPLAY#:}
    local runtime_files
    runtime_files=$(cd "$SANDBOX/runtime" && echo *)
    [[ $runtime_files == *"$display_no"* ]] ||
        fail "no single-instance lock or socket named after display $DISPLAY in XDG_RUNTIME_DIR: $runtime_files"
    pass "single-instance files in XDG_RUNTIME_DIR: $runtime_files"

    log "second start with 'house'"
    run_second_kvel house
    ((SECOND_RC == 0)) || fail "'kvel house' as a second instance ended with status $SECOND_RC (124: still running after 10 s)"
    pass "the second instance exited with status 0"
    expect_ini IE ParamCount 1
    expect_ini IE ParamStr house
    wait_until 10 balloon_shown "$first" || fail "the first instance opened no balloon for the handed-over 'house'"
    expect_red "handed-over-house"
    focus_entry
    expect_entry house "first instance after the hand-over of 'house'"

    press Escape
    wait_until 10 balloon_hidden "$first" || fail "Escape did not close the balloon before the next hand-over"

    log "second start with 'house cat'"
    run_second_kvel house cat
    ((SECOND_RC == 0)) || fail "'kvel house cat' as a second instance ended with status $SECOND_RC"
    pass "the second instance exited with status 0"
    expect_ini IE ParamCount 2
    expect_ini IE ParamStr "house cat"
    # Begins-with finds no "house cat" in the default dictionary: the balloon
    # shows the no-matches notice.
    wait_until 10 balloon_shown "$first" || fail "the first instance opened no balloon for the handed-over 'house cat'"
    local shot=$E2E_OUT/$SCENARIO_ID-handed-over-house-cat.png
    screenshot "$shot"
    (($(count_lit_below_bar "$shot") > 0)) || fail "the balloon for 'house cat' is mapped but nothing is drawn below the bar ($shot)"
    pass "the balloon for 'house cat' is shown (screenshot $shot)"
    focus_entry
    expect_entry "house cat" "first instance after the hand-over of 'house cat'"
    process_alive "$first" || fail "the first instance ended during the hand-over"

    log "second start without words"
    run_second_kvel
    ((SECOND_RC == 0)) || fail "'kvel' without words as a second instance ended with status $SECOND_RC"
    expect_ini IE ParamCount 0
    expect_ini IE ParamStr ""
    wait_exit "$first" 10 || fail "a second start without words did not close the running bar (tray off) within 10 s"
    pass "the running kvel closed its bar and ended"

    log "a start after that is the first instance again"
    start_kvel
    wait_for_bar "$KVEL_PID"
    pass "a new first instance shows its bar"
}

# 4. The find method and the bar position chosen with keys are saved on close
#    and in force after a restart; keys the program does not own are kept.
scenario_settings_survive()
{
    new_sandbox settings-survive
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry
    # No headword begins with "ouses"; "houses" ends with it.
    type_text ouses
    wait_until 10 balloon_shown "$pid" || fail "typing 'ouses' opened no balloon within 10 s"
    expect_no_red "ouses-begins-with"
    log "Alt+E: find method 'ends with'"
    press alt+e
    expect_red "ouses-ends-with"

    log "Ctrl+Alt+Down, Ctrl+Alt+Right: the bar moves 40 pixels down and right"
    press ctrl+alt+Down ctrl+alt+Right
    wait_until 10 find_bar_at "$pid" 40 40 || fail "the bar is at $BAR_X,$BAR_Y after Ctrl+Alt+Down and Ctrl+Alt+Right, expected 40,40"
    pass "the bar moved to 40,40"

    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "Escape did not close the balloon"
    press Escape
    wait_exit "$pid" 10 || fail "kvel still runs 10 s after Escape on the empty entry"
    pass "closed with Escape twice"
    ini_well_formed
    expect_ini Find Mask 2
    expect_ini Window Left 40
    expect_ini Window Top 40
    local key
    for key in Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0; do
        expect_ini Preferences "${key%=*}" "${key#*=}"
    done

    log "restart"
    start_kvel
    pid=$KVEL_PID
    wait_for_bar "$pid"
    [[ $BAR_X == 40 && $BAR_Y == 40 ]] || fail "the restarted bar is at $BAR_X,$BAR_Y, expected the saved 40,40"
    pass "the restarted bar is at the saved position"
    focus_entry
    type_text ouses
    expect_red "restart-ouses-ends-with"
}

find_bar_at() { find_bar "$1" && [[ $BAR_X == "$2" && $BAR_Y == "$3" ]]; }

# 5. A kill -9 while the program is idle leaves the settings of the last
#    completed save whole, and nothing blocks the next start.
scenario_kill_leaves_ini_whole()
{
    new_sandbox kill-9
    local pid

    # Each run changes something and closes the bar, which saves.
    local -a runs=("alt+l" "alt+l ctrl+alt+Down" "alt+l alt+l")
    local -a languages=(1 2 1)
    local i
    for i in 0 1 2; do
        log "run $((i + 1)): keys ${runs[i]}, then Escape on the empty entry"
        start_kvel
        pid=$KVEL_PID
        wait_for_bar "$pid"
        focus_entry
        # shellcheck disable=SC2086
        press ${runs[i]}
        press Escape
        wait_exit "$pid" 10 || fail "run $((i + 1)): kvel still runs 10 s after Escape on the empty entry"
        ini_well_formed
        expect_ini Selected Language "${languages[i]}"
    done
    expect_ini Window Top 40
    cp "$INI" "$SANDBOX/last-save.ini"

    local kill_no delay_ms
    for kill_no in 1 2 3; do
        start_kvel
        pid=$KVEL_PID
        wait_for_bar "$pid"
        delay_ms=$((200 + RANDOM % 1800))
        sleep "$((delay_ms / 1000)).$(printf '%03d' $((delay_ms % 1000)))"
        # Reaped at once, so the shell reports no "Killed" job.
        { kill -9 "$pid" && wait "$pid"; } 2>/dev/null
        process_gone "$pid" || fail "kill -9 did not end kvel"
        log "kill -9 number $kill_no, $delay_ms ms after the bar showed"
        ini_well_formed
        cmp -s "$INI" "$SANDBOX/last-save.ini" ||
            fail "kvel.ini after kill -9 differs from the last completed save: $(diff "$SANDBOX/last-save.ini" "$INI" | tr '\n' '|')"
        local file
        for file in "$APP"/* "$APP"/.[!.]*; do
            [[ -e $file ]] || continue
            case ${file##*/} in
            kvel | kvel.mdb | kvel.ini) ;;
            *) fail "file left beside kvel.ini after kill -9: ${file##*/}" ;;
            esac
        done
    done
    pass "after each kill -9 kvel.ini is well-formed UTF-8, equal to the last save, with no lock or temporary file beside it"
    expect_ini Selected Language 1
    expect_ini Window Top 40
    expect_ini Preferences Tray 0

    log "start after the kills"
    start_kvel
    pid=$KVEL_PID
    wait_for_bar "$pid"
    [[ $BAR_Y == 40 ]] || fail "the bar started at $BAR_X,$BAR_Y, expected top 40 from the last save"
    focus_entry
    type_text house
    expect_red "after-kill-house"
    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "Escape did not close the balloon"
    press Escape
    wait_exit "$pid" 10 || fail "kvel still runs 10 s after Escape on the empty entry"
    ini_well_formed
    expect_ini Selected Language 1
    pass "the next start came up, looked 'house' up and saved again"
}

# Settings of a program that lives in the tray: not the first run (the bar has
# a saved position), nothing opens by itself.
tray_ini()
{
    write_ini '[Preferences]' Tray=1 AutoStart=0 IE=0 Tips=0 Clipboard=0 "$@" \
        '[Window]' Left=10 Top=10
}

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

icon_or_exit() { find_tray_icon || process_gone "$1"; }

# 6. In tray mode the bar starts hidden with an icon in the tray; a left click
#    on the icon shows the bar, closing the bar hides it again (the program
#    keeps running) and a second start without words brings it back.
scenario_tray()
{
    new_sandbox tray
    tray_ini
    start_tray_host
    start_in_tray
    local pid=$KVEL_PID
    local shot=$E2E_OUT/$SCENARIO_ID-icon.png
    screenshot "$shot"
    local colours
    colours=$(convert "$shot" -crop "${ICON_W}x$ICON_H+$ICON_X+$ICON_Y" +repage -format '%k' info: 2>/dev/null)
    ((${colours:-0} > 1)) || fail "the tray icon's area shows a single colour, no icon is drawn ($shot)"
    pass "the tray icon's area shows $colours colours (screenshot $shot)"

    log "left click on the tray icon"
    click_tray_icon 1
    expect_bar_shown "$pid" "after a left click on the tray icon"
    [[ $BAR_X == 10 && $BAR_Y == 10 ]] || fail "the bar came back at $BAR_X,$BAR_Y, expected the saved 10,10"
    focus_entry
    expect_entry_quietly "" "the bar from the tray"

    log "Escape on the empty entry"
    press Escape
    expect_bar_hidden "$pid" "after Escape on the empty entry"
    find_tray_icon || fail "the tray icon went away when the bar closed"
    pass "the tray icon is still in the tray"

    log "second start without words"
    run_second_kvel
    ((SECOND_RC == 0)) || fail "'kvel' without words as a second instance ended with status $SECOND_RC (124: still running after 10 s)"
    expect_bar_shown "$pid" "after a second start without words"
    process_alive "$pid" || fail "the first instance ended"
    expect_ini Preferences Tray 1
}

# 7. Watching the clipboard (Fast=0): a copy in another program brings the
#    hidden bar up with the copied phrase looked up; a phrase without matches
#    shows in the entry too. With Fast=1 a copy changes nothing.
scenario_clipboard()
{
    new_sandbox clipboard
    tray_ini Fast=0
    start_tray_host
    start_in_tray
    local pid=$KVEL_PID

    copy_text House
    expect_bar_shown "$pid" "after copying 'House'"
    wait_until 10 balloon_shown "$pid" || fail "copying 'House' opened no balloon within 10 s"
    expect_red "copied-house"
    focus_entry
    expect_entry_quietly house "after copying 'House'"

    log "Escape twice: the balloon closes, then the bar"
    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "the balloon is still mapped 10 s after Escape"
    press Escape
    expect_bar_hidden "$pid" "after Escape on the empty entry"

    log "the same text copied again"
    copy_text House
    expect_bar_shown "$pid" "after copying 'House' again"
    expect_red "copied-house-again"
    focus_entry
    expect_entry_quietly house "after copying 'House' again"

    log "a phrase without matches"
    copy_text zzqq
    expect_no_red "copied-zzqq"
    wait_until 10 balloon_shown "$pid" || fail "copying 'zzqq' shows no balloon with the notice"
    local shot=$E2E_OUT/$SCENARIO_ID-copied-zzqq-notice.png
    screenshot "$shot"
    (($(count_lit_below_bar "$shot") > 0)) || fail "the balloon for 'zzqq' is mapped but nothing is drawn below the bar ($shot)"
    pass "the notice for 'zzqq' is shown (screenshot $shot)"
    focus_entry
    expect_entry_quietly zzqq "after copying 'zzqq'"

    log "restart with Fast=1: the clipboard is not watched"
    stop_process "$pid"
    tray_ini Fast=1
    start_in_tray
    pid=$KVEL_PID
    copy_text house
    expect_bar_stays "$pid" hidden "after copying 'house' with Fast=1"
    click_tray_icon 1
    expect_bar_shown "$pid" "after a left click on the tray icon"
    focus_entry
    expect_entry_quietly "" "the bar after the copy with Fast=1"
    balloon_hidden "$pid" || fail "a balloon is shown although nothing was looked up"
}

hot_key() { xdotool key --delay 80 "$1"; }

# 8. The hot key Alt+F9 .. Alt+F12 (Key=0 .. 3) toggles the bar; only the
#    chosen key, only while Hook=1. Without tray mode the bar counts as shown,
#    so the hot key closes it and the program ends.
scenario_hot_key()
{
    new_sandbox hot-key

    log "tray off, no tray host: Alt+F12 closes the bar"
    write_ini '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 Hook=1 Key=3 \
        '[Window]' Left=10 Top=10
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    hot_key alt+F12
    wait_exit "$pid" 10 || fail "kvel still runs 10 s after Alt+F12 with the tray off"
    ((EXIT_STATUS == 0)) || fail "kvel ended with status $EXIT_STATUS after Alt+F12"
    pass "Alt+F12 closed the bar and kvel ended with status 0"

    start_tray_host

    log "Hook=1, Key=3: Alt+F12 toggles, Alt+F9 does not"
    tray_ini Hook=1 Key=3
    start_in_tray
    pid=$KVEL_PID
    hot_key alt+F9
    expect_bar_stays "$pid" hidden "after Alt+F9 while Alt+F12 is chosen"
    hot_key alt+F12
    expect_bar_shown "$pid" "after Alt+F12"
    hot_key alt+F12
    expect_bar_hidden "$pid" "after Alt+F12 again"
    stop_process "$pid"

    log "Hook=1, Key=0: Alt+F9 toggles, Alt+F12 does not"
    tray_ini Hook=1 Key=0
    start_in_tray
    pid=$KVEL_PID
    hot_key alt+F12
    expect_bar_stays "$pid" hidden "after Alt+F12 while Alt+F9 is chosen"
    hot_key alt+F9
    expect_bar_shown "$pid" "after Alt+F9"
    hot_key alt+F9
    expect_bar_hidden "$pid" "after Alt+F9 again"
    stop_process "$pid"

    log "Hook=0: no hot key"
    tray_ini Hook=0 Key=3
    start_in_tray
    pid=$KVEL_PID
    hot_key alt+F12
    expect_bar_stays "$pid" hidden "after Alt+F12 with the hot key off"
    click_tray_icon 1
    expect_bar_shown "$pid" "after a left click on the tray icon (the program answers)"
}

# start_drag_source NAME ARGS...: starts the drag source, moves its window to
# 600,450 (away from the bar and its balloon) and sets SOURCE_PID,
# SOURCE_X, SOURCE_Y (the window's middle) and SOURCE_LOG.
start_drag_source()
{
    local name=$1
    shift
    start_helper "$name" "$DRAG_SOURCE" "$@"
    SOURCE_PID=$HELPER_PID
    SOURCE_LOG=$SANDBOX/$name.log
    local id
    wait_until 10 drag_source_window || fail "the drag source showed no window within 10 s"
    id=$SOURCE_ID
    xdotool windowmove "$id" 600 450
    wait_until 10 drag_source_at "$id" || fail "the drag source window did not move to 600,450"
    log "drag source window $id at $SOURCE_GEOMETRY"
}
drag_source_window()
{
    SOURCE_ID=$(xdotool search --onlyvisible --pid "$SOURCE_PID" --name '^kvel-e2e-drag-source$' 2>/dev/null | head -n 1)
    [[ -n $SOURCE_ID ]]
}
drag_source_at()
{
    local x y w h
    SOURCE_GEOMETRY=$(window_geometry "$1")
    read -r x y w h <<<"$SOURCE_GEOMETRY"
    [[ -n ${w:-} ]] && ((x >= 590 && x <= 620 && y >= 440 && y <= 480)) || return 1
    SOURCE_X=$((x + w / 2))
    SOURCE_Y=$((y + h / 2))
}

# drag_to X Y: presses the left button on the drag source, moves the pointer
# in small steps 0.1 s apart to X,Y, lingers there and releases the button.
drag_to()
{
    local tx=$1 ty=$2 i steps=12
    xdotool mousemove "$SOURCE_X" "$SOURCE_Y"
    sleep 0.3
    xdotool mousedown 1
    sleep 0.3
    for ((i = 1; i <= steps; i++)); do
        xdotool mousemove $((SOURCE_X + (tx - SOURCE_X) * i / steps)) $((SOURCE_Y + (ty - SOURCE_Y) * i / steps))
        sleep 0.1
    done
    for i in 1 2 3; do
        xdotool mousemove $((tx + i)) "$ty"
        sleep 0.1
    done
    sleep 0.3
    xdotool mouseup 1
}

drag_result() { grep -m 1 -o 'drag-result: [a-z]*' "$SOURCE_LOG" 2>/dev/null | cut -d' ' -f2; }
drag_finished() { [[ -n $(drag_result) ]]; }

# 9. Text dragged from another program onto the entry is looked up; a dragged
#    file link is refused and changes nothing.
scenario_drop()
{
    [[ -n $DRAG_SOURCE && -x $DRAG_SOURCE ]] || skip "no drag source program given (fourth argument)"
    new_sandbox drop
    write_ini '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 '[Window]' Left=10 Top=10
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"

    log "drag 'house' onto the entry"
    start_drag_source drag-text house
    drag_to $((BAR_X + 90)) $((BAR_Y + 10))
    if ! wait_until 10 drag_finished; then
        skip "the drag did not end within 10 s of the button release (xdotool could not drive a drag on this X server); drag source log: $(tr '\n' '|' <"$SOURCE_LOG")"
    fi
    [[ $(drag_result) == copy ]] || fail "the drop of 'house' on the entry ended as '$(drag_result)', expected 'copy'"
    pass "the entry took the dragged text as a copy"
    wait_until 10 balloon_shown "$pid" || fail "dropping 'house' opened no balloon within 10 s"
    expect_red "dropped-house"
    focus_entry
    expect_entry house "after dropping 'house'"
    stop_process "$SOURCE_PID"

    log "Escape empties the entry, then drag a file link onto it"
    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "the balloon is still mapped 10 s after Escape"
    : >"$SANDBOX/dropped.txt"
    start_drag_source drag-url --url "file://$SANDBOX/dropped.txt"
    drag_to $((BAR_X + 90)) $((BAR_Y + 10))
    wait_until 10 drag_finished || fail "the drag of the file link did not end within 10 s of the button release"
    [[ $(drag_result) == ignore ]] || fail "the drop of a file link on the entry ended as '$(drag_result)', expected it refused"
    pass "the entry refused the file link"
    if wait_until 2 balloon_shown "$pid"; then
        local shot=$E2E_OUT/$SCENARIO_ID-file-link-balloon.png
        screenshot "$shot"
        local id windows=
        for id in $(visible_windows "$pid"); do
            windows+=" $id ($(window_geometry "$id"))"
        done
        fail "a window opened after a file link was dragged onto the entry (screenshot $shot); windows:$windows"
    fi
    focus_entry
    expect_entry "" "after the file link was dragged onto the entry"
    process_alive "$pid" || fail "kvel ended"
}

# copy_help_files: puts the build's help file and its HTML copy beside the
# sandbox's kvel, where the program looks for them.
copy_help_files()
{
    local from
    from=$(dirname "$KVEL_EXE")
    [[ -f $from/kvel.chm && -f $from/kvel-help/en/index.html && -f $from/kvel-help/sr/index.html ]] ||
        fail "no kvel.chm and kvel-help/ beside $KVEL_EXE (the build puts them there)"
    cp "$from/kvel.chm" "$APP/kvel.chm"
    cp -r "$from/kvel-help" "$APP/kvel-help"
}

# expect_call NAME COUNT ARGUMENT WHAT: waits (10 s) for the COUNT-th start of
# the recording program NAME and checks that it got exactly ARGUMENT (a path,
# or its file:// URL).
expect_call()
{
    wait_until 10 program_called_times "$1" "$2" ||
        fail "$4: $1 was not started within 10 s (starts: $(program_calls "$1" | tr '\n' '|'))"
    local last
    last=$(program_calls "$1" | sed -n "${2}p")
    [[ $last == "call [$3]" || $last == "call [file://$3]" ]] ||
        fail "$4: $1 was started as '$last', expected with the single argument $3"
    pass "$4: $1 was started with $3"
}

# expect_no_call NAME COUNT WHAT: NAME still has COUNT starts.
expect_no_call()
{
    (($(program_call_count "$1") == $2)) ||
        fail "$3: $1 was started: $(program_calls "$1" | tr '\n' '|')"
}

# expect_help_notice PID TEXT WHAT SHOT: the balloon shows the help file's
# notice with the line TEXT; the screenshot is kept as SHOT.
expect_help_notice()
{
    wait_until 10 balloon_shown "$1" || fail "$3: no balloon with the notice within 10 s"
    local shot=$E2E_OUT/$SCENARIO_ID-$4.png
    screenshot "$shot"
    read_balloon_text "$1"
    [[ $BALLOON_TEXT == *"$2"* ]] ||
        fail "$3: the balloon shows '$(tr '\n' '|' <<<"$BALLOON_TEXT")', expected the line '$2' ($shot)"
    pass "$3: the balloon shows '$2' (screenshot $shot)"
}

# 10. F1 opens the help file in the desktop's CHM viewer (also when the
#     viewer is registered under the type's alias), else its HTML copy in
#     the interface language in the browser; with neither, and with no help
#     file, a notice shows in the balloon.
scenario_help_file()
{
    new_sandbox help-file
    write_ini '[Interface]' Language=1 '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 \
        '[Window]' Left=10 Top=10
    copy_help_files
    use_system_mime_database
    recording_program chm-viewer
    recording_program browser
    local -a browser=(text/html=browser x-scheme-handler/http=browser x-scheme-handler/https=browser)
    default_programs application/vnd.ms-htmlhelp=chm-viewer "${browser[@]}"
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry

    log "F1 with a CHM viewer as the default for application/vnd.ms-htmlhelp"
    press F1
    expect_call chm-viewer 1 "$APP/kvel.chm" "F1 with a CHM viewer"
    expect_no_call browser 0 "F1 with a CHM viewer"
    balloon_hidden "$pid" || fail "a balloon opened although the viewer started"

    log "F1 with the viewer registered under the alias application/x-chm"
    default_programs application/x-chm=chm-viewer "${browser[@]}"
    press F1
    expect_call chm-viewer 2 "$APP/kvel.chm" "F1 with a viewer for application/x-chm"
    expect_no_call browser 0 "F1 with a viewer for application/x-chm"

    log "F1 without a CHM viewer: the HTML copy opens in the browser"
    default_programs "${browser[@]}"
    press F1
    expect_call browser 1 "$APP/kvel-help/en/index.html" "F1 without a CHM viewer"
    log "Alt+I, F1: the Serbian HTML copy"
    press alt+i F1
    expect_call browser 2 "$APP/kvel-help/sr/index.html" "F1 with the Serbian interface"
    press alt+i
    expect_no_call chm-viewer 2 "F1 without a CHM viewer"
    balloon_hidden "$pid" || fail "a balloon opened although the browser started"

    log "F1 with neither a CHM viewer nor the HTML copy"
    rm -r "$APP/kvel-help"
    press F1
    expect_help_notice "$pid" "There is no associated program" "F1 without viewer and HTML copy" no-viewer
    expect_no_call chm-viewer 2 "F1 without viewer and HTML copy"
    expect_no_call browser 2 "F1 without viewer and HTML copy"

    log "F1 without the help file"
    default_programs application/vnd.ms-htmlhelp=chm-viewer "${browser[@]}"
    rm "$APP/kvel.chm"
    press Escape
    wait_until 10 balloon_hidden "$pid" || fail "Escape did not close the notice"
    press F1
    expect_help_notice "$pid" "Check if the file (kvel.chm) even exists" "F1 without kvel.chm" missing
    expect_no_call chm-viewer 2 "F1 without kvel.chm"
    expect_no_call browser 2 "F1 without kvel.chm"
    process_alive "$pid" || fail "kvel ended"
}

# 11. Alt+K shows the keyboard list in the balloon, in the interface
#     language; Alt+I turns the shown list into the other language.
scenario_keyboard_list()
{
    new_sandbox keyboard-list
    write_ini '[Interface]' Language=1 '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 \
        Hook=0 Key=3 '[Window]' Left=10 Top=10
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry

    press alt+k
    wait_until 10 balloon_shown "$pid" || fail "Alt+K opened no balloon within 10 s"
    pass "Alt+K opened the balloon window"
    expect_keyboard_list "$pid" english Language: "Alt+K" "Keyboard shortcuts list" "[ DEACTIVATED ]"

    log "Alt+I: the list in Serbian"
    press alt+i
    expect_keyboard_list "$pid" serbian Jezik: "Alt+K" "Spisak najvažnijih prečica sa tastature" "[ DEAKTIVIRANO ]"
    expect_entry "" "after the keyboard list"
}

# expect_keyboard_list PID NAME FIRST-LINE TEXT...: the balloon shows a list
# starting with FIRST-LINE that holds each TEXT; the screenshot is kept.
expect_keyboard_list()
{
    local pid=$1 name=$2 first=$3
    shift 3
    local shot=$E2E_OUT/$SCENARIO_ID-$name.png
    sleep 0.5
    screenshot "$shot"
    (($(count_lit_below_bar "$shot") > 0)) || fail "$name keyboard list: nothing is drawn below the bar ($shot)"
    read_balloon_text "$pid"
    local lines text
    lines=$(grep -c . <<<"$BALLOON_TEXT")
    [[ $(head -n 1 <<<"$BALLOON_TEXT") == "$first" ]] ||
        fail "$name keyboard list: the balloon's first line is '$(head -n 1 <<<"$BALLOON_TEXT")', expected '$first' ($shot)"
    for text in "$@"; do
        [[ $BALLOON_TEXT == *"$text"* ]] ||
            fail "$name keyboard list: no '$text' in the balloon: $(tr '\n' '|' <<<"$BALLOON_TEXT")"
    done
    ((lines >= 20)) || fail "$name keyboard list: only $lines lines in the balloon"
    pass "$name keyboard list: $lines lines from '$first' (screenshot $shot)"
}

# The autostart runner openbox calls at login; it reads the XDG autostart
# folders of the environment it is given.
XDG_AUTOSTART=/usr/lib/x86_64-linux-gnu/openbox-xdg-autostart

# toggle_start_with_system PID: right click on the tray icon, then the
# menu's second item ("Start with the system").
toggle_start_with_system()
{
    click_tray_icon 3
    wait_until 10 balloon_shown "$1" || fail "a right click on the tray icon opened no menu"
    press Down Down Return
    wait_until 10 balloon_hidden "$1" || fail "the tray menu is still open after Return"
}

autostart_kvel_pid() { pgrep -n -f -x -- "$APP/kvel"; }
autostart_kvel_running() { [[ -n $(autostart_kvel_pid) ]]; }

# 12. "Start with the system" chosen in the tray menu writes the XDG
#     autostart entry; at the next login the desktop's autostart starts kvel
#     into the tray. Choosing the item again removes the entry.
scenario_start_with_system()
{
    [[ -x $XDG_AUTOSTART ]] || fail "no $XDG_AUTOSTART (openbox and python3-xdg)"
    new_sandbox start-with-system
    tray_ini
    start_tray_host
    start_in_tray
    local pid=$KVEL_PID
    local entry=$SANDBOX/config/autostart/kvel.desktop
    [[ ! -e $entry ]] || fail "an autostart entry exists before the item was chosen"

    log "tray menu: Start with the system"
    toggle_start_with_system "$pid"
    wait_until 10 test -f "$entry" || fail "no autostart entry $entry 10 s after choosing the item"
    grep -qx -e "Exec=$APP/kvel" -e "Exec=\"$APP/kvel\"" "$entry" || fail "the autostart entry does not start $APP/kvel: $(tr '\n' '|' <"$entry")"
    pass "the autostart entry starts $APP/kvel"
    kill -TERM "$pid"
    wait_exit "$pid" 10 || fail "kvel still runs 10 s after SIGTERM"
    expect_ini Preferences AutoStart 1

    log "the next login: openbox's XDG autostart"
    kvel_env_vars
    env -i "${KVEL_ENV[@]}" "$XDG_AUTOSTART" OPENBOX >"$SANDBOX/autostart.log" 2>&1 ||
        fail "the autostart runner failed: $(tr '\n' '|' <"$SANDBOX/autostart.log")"
    wait_until 10 autostart_kvel_running || fail "the login started no kvel: $(tr '\n' '|' <"$SANDBOX/autostart.log")"
    pid=$(autostart_kvel_pid)
    echo "$pid" >>"$KVEL_PIDS_FILE"
    wait_for_tray_icon
    expect_bar_hidden "$pid" "started at login"
    pass "the login started kvel (pid $pid) into the tray"

    log "tray menu: Start with the system again"
    toggle_start_with_system "$pid"
    wait_until 10 test ! -e "$entry" || fail "the autostart entry is still there 10 s after turning the item off"
    pass "the autostart entry is gone"
}

# 13. Words that look like options are words: a page's selection reaches kvel
#     as its command line through the browser item. Handed to a running bar
#     and given to a first start, each phrase is looked up exactly, and no
#     start takes one for an option (an invisible bar, a toggle that closes
#     the running one).
scenario_option_like_words()
{
    new_sandbox option-like-words
    local -a phrases=("-reverse" "-style cat" "-platform offscreen house" "-- -x")
    local phrase
    local -a words
    start_kvel
    local first=$KVEL_PID
    wait_for_bar "$first"
    for phrase in "${phrases[@]}"; do
        read -ra words <<<"$phrase"
        log "second start: kvel $phrase"
        run_second_kvel "${words[@]}"
        ((SECOND_RC == 0)) || fail "'kvel $phrase' as a second instance ended with status $SECOND_RC"
        process_alive "$first" || fail "the running bar ended after 'kvel $phrase'"
        expect_ini IE ParamStr "$phrase"
        focus_entry
        expect_entry_quietly "$phrase" "the running bar after 'kvel $phrase'"
    done
    stop_process "$first"

    for phrase in "${phrases[@]}"; do
        read -ra words <<<"$phrase"
        log "first start: kvel $phrase"
        start_kvel "${words[@]}"
        wait_for_bar "$KVEL_PID"
        focus_entry
        expect_entry_quietly "$phrase" "a first start with 'kvel $phrase'"
        stop_process "$KVEL_PID"
    done
}

# 14. A hand-over that cannot be written (the settings file's lock is held by
#     a live kvel for longer than a start waits): the start says so and ends
#     with a non-zero status instead of making the running bar look up the
#     words of an earlier start.
scenario_failed_hand_over()
{
    new_sandbox failed-hand-over
    start_kvel
    local first=$KVEL_PID
    wait_for_bar "$first"
    run_second_kvel house
    ((SECOND_RC == 0)) || fail "'kvel house' as a second instance ended with status $SECOND_RC"
    focus_entry
    expect_entry_quietly house "after the hand-over of 'house'"
    press ctrl+a
    type_text cat
    expect_entry_quietly cat "typed after the hand-over"

    log "the settings file's lock is held, then 'kvel water' is started"
    printf '%s\nkvel\n%s\n' "$first" "$(uname -n)" >"$INI.lock"
    : >"$SANDBOX/second.log"
    run_second_kvel water
    rm -f "$INI.lock"
    ((SECOND_RC != 0 && SECOND_RC != 124)) ||
        fail "'kvel water' with its hand-over unwritten ended with status $SECOND_RC"
    grep -q 'cannot be handed over' "$SANDBOX/second.log" ||
        fail "no message on standard error: $(tr '\n' '|' <"$SANDBOX/second.log")"
    pass "the start ended with status $SECOND_RC: $(head -n 1 "$SANDBOX/second.log")"
    expect_ini IE ParamStr house
    expect_entry_quietly cat "the running bar after the failed hand-over"
    process_alive "$first" || fail "the running bar ended"
}

session_manager_listening() { grep -qs '^address: ' "$SANDBOX/session-manager.log"; }
session_manager_done() { grep -qs '^done$' "$SANDBOX/session-manager.log"; }

# 15. A session manager saving the session is told never to restart kvel: it
#     would restart it as "kvel -session ID", and those are words to look up.
scenario_session_restart()
{
    [[ -n $SESSION_MANAGER_TOOL ]] || skip "no session manager stand-in (built with libsm-dev)"
    new_sandbox session-restart
    start_helper session-manager "$SESSION_MANAGER_TOOL"
    local manager=$HELPER_PID
    wait_until 10 session_manager_listening ||
        fail "the session manager did not listen: $(tr '\n' '|' <"$SANDBOX/session-manager.log")"
    local address
    address=$(sed -n 's/^address: //p' "$SANDBOX/session-manager.log")
    kvel_env_vars
    KVEL_LOG=$SANDBOX/kvel-0.log
    env -i "${KVEL_ENV[@]}" SESSION_MANAGER="$address" "$APP/kvel" >"$KVEL_LOG" 2>&1 &
    KVEL_PID=$!
    echo "$KVEL_PID" >>"$KVEL_PIDS_FILE"
    wait_for_bar "$KVEL_PID"
    wait_until 20 session_manager_done ||
        fail "kvel did not save itself for the session manager: $(tr '\n' '|' <"$SANDBOX/session-manager.log")"
    local hint
    hint=$(sed -n 's/^property RestartStyleHint: //p' "$SANDBOX/session-manager.log")
    # 3 is SmRestartNever; 0, Qt's default, restarts a program that ran.
    [[ $hint == 3 ]] ||
        fail "kvel asked for restart style '$hint', not 3 (never): $(tr '\n' '|' <"$SANDBOX/session-manager.log")"
    pass "restart style 3 (never); the restart command would be: $(sed -n 's/^property RestartCommand: //p' "$SANDBOX/session-manager.log")"
    process_alive "$KVEL_PID" || fail "kvel ended after saving for the session manager"
    stop_process "$KVEL_PID"
    # SIGTERM: it removes its socket in /tmp/.ICE-unix.
    kill -TERM "$manager"
    wait_exit "$manager" 10 || stop_process "$manager"
}

# 16. With Serbian Cyrillic as the active layout (rs,us), Alt with the key
#     of K shows the keyboard list and Alt with the key of I switches it to
#     Serbian: the commands follow the key, not the Cyrillic letter on it.
scenario_cyrillic_alt_keys()
{
    new_sandbox cyrillic-alt-keys
    write_ini '[Interface]' Language=1 '[Preferences]' Tray=0 AutoStart=0 IE=0 Tips=0 Clipboard=0 \
        Hook=0 Key=3 '[Window]' Left=10 Top=10
    # The layout belongs to the X server the other scenarios share.
    trap 'setxkbmap -layout us; stop_scenario_processes' EXIT
    setxkbmap -layout rs,us || fail "setxkbmap could not set the rs,us layouts"
    start_kvel
    local pid=$KVEL_PID
    wait_for_bar "$pid"
    focus_entry

    press alt+Cyrillic_ka
    wait_until 10 balloon_shown "$pid" || fail "Alt+К (the K key) opened no balloon within 10 s"
    expect_keyboard_list "$pid" english Language: "Alt+K"
    press alt+Cyrillic_i
    expect_keyboard_list "$pid" serbian Jezik: "Alt+K"
    expect_entry "" "after the Alt keys under the Cyrillic layout"
}

# ================================================================= runner

# shellcheck disable=SC2034 # read by run_scenarios
SCENARIOS=(
    "1 type-and-see scenario_type_and_see Type and see: typing shows the balloon with red headwords"
    "2 escape-steps scenario_escape_steps Escape closes the balloon, empties the entry, closes the bar"
    "3 second-instance scenario_second_instance A second start hands its words over or toggles the bar"
    "4 settings-survive scenario_settings_survive Find method and position survive a restart"
    "5 kill-9 scenario_kill_leaves_ini_whole kill -9 leaves kvel.ini whole and the next start works"
    "6 tray scenario_tray In tray mode the bar hides in the tray and comes back from it"
    "7 clipboard scenario_clipboard Watching the clipboard brings the bar up with the copied phrase"
    "8 hot-key scenario_hot_key The Alt hot key toggles the bar"
    "9 drop scenario_drop Text dragged onto the entry is looked up, a file link is refused"
    "10 help-file scenario_help_file F1 opens the help file in the CHM viewer or its HTML copy in the browser"
    "11 keyboard-list scenario_keyboard_list Alt+K shows the keyboard list in both languages"
    "12 start-with-system scenario_start_with_system Start with the system from the tray menu, then a login starts kvel"
    "13 option-like-words scenario_option_like_words Words that look like options are handed over and looked up as words"
    "14 failed-hand-over scenario_failed_hand_over A hand-over that cannot be written ends the start with an error"
    "15 session-restart scenario_session_restart A session manager is asked never to restart kvel"
    "16 cyrillic-alt-keys scenario_cyrillic_alt_keys Alt commands follow the key under a Cyrillic layout"
)

echo "kvel end-to-end tests on a private X server"
echo "  executable: $KVEL_EXE"
echo "  dictionary: $KVEL_DICT"
echo "  output:     $E2E_OUT"
run_scenarios
