# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
# shellcheck disable=SC2153 # KVEL_EXE, KVEL_DICT, E2E_TMP, E2E_OUT come from kvel_e2e.sh
# Helpers for the end-to-end tests of the running kvel on a private X server.
# Sourced by kvel_e2e.sh; needs Xvfb, openbox, xdotool, xclip, x11-utils and
# ImageMagick.
#
# Every scenario gets its own sandbox folder: a copy of the executable and the
# dictionary, and private HOME and XDG_* folders. kvel and the tools only ever
# see the private X display, so nothing reaches the user's desktop.

# ---------------------------------------------------------------- reporting

# Every line carries the seconds since the script started.
log()  { printf '  [%3d s] %s\n' "$SECONDS" "$*"; }
pass() { printf '  [%3d s] ok: %s\n' "$SECONDS" "$*"; }

# fail MESSAGE: ends the current scenario (each runs in its own subshell).
fail()
{
    printf '  [%3d s] FAIL [%s]: %s\n' "$SECONDS" "${SCENARIO:-setup}" "$*" >&2
    exit 1
}

# wait_until SECONDS COMMAND...: polls COMMAND every 0.1 s until it succeeds;
# returns 1 when the time is up.
wait_until()
{
    local limit=$1
    shift
    local deadline=$((SECONDS + limit))
    while true; do
        if "$@"; then
            return 0
        fi
        if ((SECONDS >= deadline)); then
            return 1
        fi
        sleep 0.1
    done
}

# ------------------------------------------------------------ the X server

# Processes of the whole run, killed on exit whatever happens.
E2E_GLOBAL_PIDS=()

# start_x_server WORKDIR: starts Xvfb on the first free display from :90 up
# (with its own cookie, no TCP) and openbox as the window manager; exports
# DISPLAY and XAUTHORITY for the tools of this script.
start_x_server()
{
    local work=$1 n
    local auth=$work/Xauthority
    mkdir -p "$work/wm-home"
    : >"$auth"
    for ((n = 90; n < 190; n++)); do
        [[ -e /tmp/.X11-unix/X$n || -e /tmp/.X$n-lock ]] && continue
        xauth -q -f "$auth" add ":$n" . "$(mcookie)"
        Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset -br -auth "$auth" \
            >"$work/xvfb.log" 2>&1 &
        local xpid=$!
        export DISPLAY=":$n" XAUTHORITY=$auth
        # Another run may have taken the number at the same moment: the server
        # must be this script's own (its pid in the display's lock file).
        # A server that lost the race for the number ends at once.
        if wait_until 10 x_server_settled "$xpid" "$n" && process_alive "$xpid"; then
            E2E_GLOBAL_PIDS+=("$xpid")
            break
        fi
        # Another server took the number meanwhile, or this one failed.
        kill "$xpid" 2>/dev/null
        wait "$xpid" 2>/dev/null
        unset DISPLAY
    done
    if [[ -z ${DISPLAY:-} ]]; then
        cp "$work/xvfb.log" "$E2E_OUT/" 2>/dev/null
        fail "no X server could be started on a free display between :90 and :189 (log: $E2E_OUT/xvfb.log)"
    fi
    log "X server $DISPLAY (Xvfb 1024x768x24, -nolisten tcp)"

    # openbox's usual configuration binds Ctrl+Alt+arrows (desktop switching),
    # Alt+F4 and more on every window; the bar's keys must reach the bar. So
    # openbox runs with one desktop, no key bindings and only the mouse
    # binding that focuses and raises a clicked window.
    local rc=$work/openbox-rc.xml
    cat >"$rc" <<'XML'
<?xml version="1.0" encoding="UTF-8"?>
<openbox_config xmlns="http://openbox.org/3.4/rc">
  <desktops><number>1</number></desktops>
  <keyboard></keyboard>
  <mouse>
    <context name="Client">
      <mousebind button="Left" action="Press">
        <action name="Focus"/><action name="Raise"/>
      </mousebind>
    </context>
  </mouse>
</openbox_config>
XML
    env -i PATH="$PATH" DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY" HOME="$work/wm-home" \
        XDG_CONFIG_HOME="$work/wm-home/.config" XDG_CACHE_HOME="$work/wm-home/.cache" \
        XDG_DATA_HOME="$work/wm-home/.local/share" LANG=C.UTF-8 \
        openbox --sm-disable --config-file "$rc" >"$work/openbox.log" 2>&1 &
    E2E_GLOBAL_PIDS+=("$!")
    # openbox owns the window-manager selection of screen 0 once it runs.
    if ! wait_until 10 wm_running; then
        cp "$work/openbox.log" "$work/xvfb.log" "$E2E_OUT/" 2>/dev/null
        fail "openbox did not start within 10 s (log: $E2E_OUT/openbox.log)"
    fi
    log "window manager openbox is running"
}

# x_server_settled PID NUMBER: true once Xvfb PID has ended, or serves the
# display NUMBER as its own (its pid in the display's lock file).
x_server_settled()
{
    process_alive "$1" || return 0
    [[ $(tr -d ' \n' 2>/dev/null <"/tmp/.X$2-lock") == "$1" ]] || return 1
    xdpyinfo >/dev/null 2>&1
}

wm_running()
{
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id'
}

stop_global()
{
    local pid
    for pid in "${E2E_GLOBAL_PIDS[@]}"; do
        kill "$pid" 2>/dev/null
    done
    for pid in "${E2E_GLOBAL_PIDS[@]}"; do
        wait "$pid" 2>/dev/null
    done
}

# --------------------------------------------------------------- sandboxes

# new_sandbox NAME: creates $E2E_TMP/NAME with app/ (kvel, kvel.mdb and a
# kvel.ini with tray, autostart, browser item, tips and clipboard off) and the
# private home folders; sets SANDBOX, APP and INI.
new_sandbox()
{
    SANDBOX=$E2E_TMP/$1
    APP=$SANDBOX/app
    INI=$APP/kvel.ini
    mkdir -p "$APP" "$SANDBOX"/{home,config,data,cache,runtime,data-dirs,config-dirs}
    chmod 700 "$SANDBOX/runtime"
    cp "$KVEL_EXE" "$APP/kvel"
    cp "$KVEL_DICT" "$APP/kvel.mdb"
    printf '[Preferences]\nTray=0\nAutoStart=0\nIE=0\nTips=0\nClipboard=0\n' >"$INI"
    KVEL_PIDS_FILE=$SANDBOX/pids
    : >"$KVEL_PIDS_FILE"
}

# kvel_env_vars: sets KVEL_ENV to the sandbox's whole environment (for env -i).
kvel_env_vars()
{
    KVEL_ENV=(PATH=/usr/bin:/bin DISPLAY="$DISPLAY" XAUTHORITY="$XAUTHORITY"
        HOME="$SANDBOX/home" XDG_CONFIG_HOME="$SANDBOX/config" XDG_DATA_HOME="$SANDBOX/data"
        XDG_CACHE_HOME="$SANDBOX/cache" XDG_RUNTIME_DIR="$SANDBOX/runtime"
        XDG_DATA_DIRS="$SANDBOX/data-dirs" XDG_CONFIG_DIRS="$SANDBOX/config-dirs"
        LANG=C.UTF-8 QT_QPA_PLATFORM=xcb)
}

# start_kvel [ARGS...]: starts the sandbox's kvel in the background with
# nothing but the sandbox's environment; sets KVEL_PID (env execs kvel, so it
# is kvel's own process id). Its output goes to KVEL_LOG, $SANDBOX/kvel-<n>.log.
start_kvel()
{
    local n
    n=$(wc -l <"$KVEL_PIDS_FILE")
    kvel_env_vars
    KVEL_LOG=$SANDBOX/kvel-$n.log
    env -i "${KVEL_ENV[@]}" "$APP/kvel" "$@" >"$KVEL_LOG" 2>&1 &
    KVEL_PID=$!
    echo "$KVEL_PID" >>"$KVEL_PIDS_FILE"
}

# run_second_kvel [ARGS...]: runs another copy in the foreground (bounded by
# 10 s); sets SECOND_RC (124 when it had to be killed).
run_second_kvel()
{
    kvel_env_vars
    env -i "${KVEL_ENV[@]}" timeout -s KILL 10 "$APP/kvel" "$@" >>"$SANDBOX/second.log" 2>&1
    SECOND_RC=$?
    ((SECOND_RC == 137)) && SECOND_RC=124
    return 0
}

# Kills whatever the current scenario started and is still running.
stop_scenario_processes()
{
    local pid
    [[ -n ${KVEL_PIDS_FILE:-} && -f $KVEL_PIDS_FILE ]] || return 0
    while read -r pid; do
        { kill -9 "$pid" && wait "$pid"; } 2>/dev/null
    done <"$KVEL_PIDS_FILE"
    if [[ -f $SANDBOX/clip.pid ]]; then
        kill "$(cat "$SANDBOX/clip.pid")" 2>/dev/null
    fi
    return 0
}

process_alive() { kill -0 "$1" 2>/dev/null && [[ $(ps -o stat= -p "$1" 2>/dev/null) != Z* ]]; }
process_gone() { ! process_alive "$1"; }

# wait_exit PID SECONDS: waits for PID (started by start_kvel) to end and sets
# EXIT_STATUS; returns 1 when it still runs.
wait_exit()
{
    wait_until "$2" process_gone "$1" || return 1
    wait "$1" 2>/dev/null
    # shellcheck disable=SC2034 # read by the scenarios
    EXIT_STATUS=$?
    return 0
}

# ------------------------------------------------------------------ windows

# visible_windows PID: the ids of the process's viewable windows of class
# kvel (both must match: other programs of the tests have "kvel" in their
# class too).
visible_windows()
{
    xdotool search --all --onlyvisible --pid "$1" --class '^kvel$' 2>/dev/null
}

# window_geometry ID: prints "X Y W H" (absolute position).
window_geometry()
{
    xwininfo -id "$1" 2>/dev/null | awk '
        /Absolute upper-left X/ {x = $NF} /Absolute upper-left Y/ {y = $NF}
        /^ *Width:/ {w = $NF} /^ *Height:/ {h = $NF}
        END {if (w != "") print x, y, w, h}'
}

# find_bar PID: sets BAR_ID, BAR_X, BAR_Y, BAR_W, BAR_H when the process shows
# its 153 x 20 phrase bar; returns 1 otherwise.
find_bar()
{
    local id geometry
    for id in $(visible_windows "$1"); do
        geometry=$(window_geometry "$id")
        read -r BAR_X BAR_Y BAR_W BAR_H <<<"$geometry"
        if [[ $BAR_W == 153 && $BAR_H == 20 ]]; then
            BAR_ID=$id
            return 0
        fi
    done
    return 1
}

# balloon_count PID: how many viewable windows the process shows besides the
# bar and its tray icon.
balloon_count()
{
    local n
    n=$(visible_windows "$1" | grep -vx -e "${BAR_ID:-none}" -e "$(tray_icon_decimal)" | grep -c .)
    echo "${n:-0}"
}
balloon_shown()  { (($(balloon_count "$1") > 0)); }
balloon_hidden() { (($(balloon_count "$1") == 0)); }

# wait_for_bar PID: waits (10 s) for the bar of a freshly started kvel.
wait_for_bar()
{
    wait_until 10 find_bar "$1" ||
        fail "kvel (pid $1) showed no visible 153x20 phrase bar within 10 s; windows: $(visible_windows "$1" | tr '\n' ' ')"
    log "bar window $BAR_ID at $BAR_X,$BAR_Y size ${BAR_W}x$BAR_H"
}

bar_has_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$BAR_ID" ]]; }

# focus_entry: clicks into the entry (x 30..150 of the bar) and waits for the
# bar to hold the keyboard focus.
focus_entry()
{
    local attempt
    for attempt in 1 2 3; do
        xdotool mousemove $((BAR_X + 90)) $((BAR_Y + 10)) click 1
        if wait_until 3 bar_has_focus; then
            return 0
        fi
        log "focus attempt $attempt failed, activating the bar window"
        xdotool windowactivate "$BAR_ID" 2>/dev/null
    done
    fail "the phrase bar did not take the keyboard focus after clicks into its entry"
}

type_text() { xdotool type --delay 80 -- "$1"; }
press()     { xdotool key --delay 80 "$@"; }

# ------------------------------------------------------------------- pixels

# screenshot FILE: the whole screen.
screenshot() { import -silent -window root "$1" 2>/dev/null; }

# count_red_below_bar FILE: counts headword-red pixels (R>240, G<60, B<60) on
# the screen below the bar, where the balloon opens for a bar at the top.
# Headwords are drawn in (255,0,0), their anti-aliased edges on the balloon's
# light background keep R at 255; the red of the no-matches face icon stays
# below R 235, so it does not count as a headword.
count_red_below_bar()
{
    local top=$((BAR_Y + BAR_H))
    local height=$((768 - top))
    # ImageMagick keeps only the near-red candidates (fast), awk applies the
    # exact thresholds.
    convert "$1" -crop "1024x${height}+0+$top" +repage -alpha set -channel RGBA \
        -fuzz 30% -fill none +opaque 'rgb(255,0,0)' -depth 8 sparse-color:- 2>/dev/null |
        tr ' ' '\n' |
        sed -n 's/^[0-9]*,[0-9]*,srgba\{0,1\}(\([0-9]*\),\([0-9]*\),\([0-9]*\).*/\1 \2 \3/p' |
        awk '$1 > 240 && $2 < 60 && $3 < 60 {n++} END {print n + 0}'
}

# count_lit_below_bar FILE: pixels below the bar that are not black (the
# root window is black with Xvfb -br).
count_lit_below_bar()
{
    local top=$((BAR_Y + BAR_H))
    convert "$1" -crop "1024x$((768 - top))+0+$top" +repage -fill white +opaque black \
        -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
}

# red_shown FILE: takes a screenshot into FILE, true when red pixels show.
red_shown()
{
    screenshot "$1" || return 1
    (($(count_red_below_bar "$1") > 0))
}
red_absent()
{
    screenshot "$1" || return 1
    (($(count_red_below_bar "$1") == 0))
}

# expect_red WHAT: waits (10 s) for red headwords below the bar; keeps the
# screenshot in the output folder and prints its path.
expect_red()
{
    local shot=$E2E_OUT/$SCENARIO_ID-$1.png
    wait_until 10 red_shown "$shot" ||
        fail "$1: no bold red (255,0,0) headword below the bar within 10 s (screenshot $shot)"
    pass "$1: $(count_red_below_bar "$shot") red headword pixels below the bar (screenshot $shot)"
}

expect_no_red()
{
    local shot=$E2E_OUT/$SCENARIO_ID-$1.png
    wait_until 10 red_absent "$shot" ||
        fail "$1: red headword pixels still below the bar after 10 s (screenshot $shot)"
    pass "$1: no red headword below the bar (screenshot $shot)"
}

# ---------------------------------------------------------------- clipboard

clipboard_text() { xclip -o -selection clipboard 2>/dev/null; }

clipboard_is() { [[ $(clipboard_text) == "$1" ]]; }
# clipboard_replaced SENTINEL: true once the clipboard can be read and holds
# something else (a failed read is no change); sets CLIPBOARD_TEXT.
clipboard_replaced()
{
    CLIPBOARD_TEXT=$(clipboard_text) && [[ $CLIPBOARD_TEXT != "$1" ]]
}

# put_clipboard_sentinel: puts a fresh text on the clipboard, served by
# xclip until the next one, and sets SENTINEL to it.
put_clipboard_sentinel()
{
    SENTINEL="kvel-e2e-sentinel-$RANDOM"
    if [[ -f $SANDBOX/clip.pid ]]; then
        kill "$(cat "$SANDBOX/clip.pid")" 2>/dev/null
    fi
    printf '%s' "$SENTINEL" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    echo $! >"$SANDBOX/clip.pid"
    wait_until 10 clipboard_is "$SENTINEL" || fail "could not put a sentinel on the clipboard"
}

# read_entry: sets ENTRY_TEXT to the entry's text, read with Ctrl+A, Ctrl+C
# over a sentinel put on the clipboard first (an empty entry copies nothing,
# so the sentinel stays). The bar must hold the focus.
read_entry()
{
    put_clipboard_sentinel
    press ctrl+a ctrl+c
    # A non-empty entry replaces the sentinel at once; an empty one gets two
    # seconds to show that it copies nothing.
    ENTRY_TEXT=
    if wait_until 2 clipboard_replaced "$SENTINEL"; then
        ENTRY_TEXT=$CLIPBOARD_TEXT
    fi
}

# expect_entry TEXT WHAT: the entry holds exactly TEXT.
expect_entry()
{
    read_entry
    [[ $ENTRY_TEXT == "$1" ]] || fail "$2: the entry holds '$ENTRY_TEXT', expected '$1'"
    pass "$2: the entry holds '$1'"
}

# ------------------------------------------------------------- settings file

# ini_value SECTION KEY: the value in the settings file (section and key names
# without regard to ASCII case); returns 1 when the key is missing.
ini_value()
{
    awk -v s="$1" -v k="$2" '
        BEGIN {s = tolower(s); k = tolower(k)}
        /^\[.*\]$/ {cur = tolower(substr($0, 2, length($0) - 2)); next}
        cur == s {
            i = index($0, "=")
            if (i > 0 && tolower(substr($0, 1, i - 1)) == k) {print substr($0, i + 1); found = 1; exit}
        }
        END {exit found ? 0 : 1}' "$INI"
}

# expect_ini SECTION KEY VALUE
expect_ini()
{
    local value
    value=$(ini_value "$1" "$2") || fail "kvel.ini has no $2 in section [$1]: $(tr '\n' '|' <"$INI")"
    [[ $value == "$3" ]] || fail "kvel.ini [$1] $2 is '$value', expected '$3'"
    pass "kvel.ini [$1] $2=$3"
}

ini_value_is() { [[ $(ini_value "$1" "$2") == "$3" ]]; }

# ini_well_formed: UTF-8, and every line is empty, a comment, [section] or key=value.
ini_well_formed()
{
    iconv -f UTF-8 -t UTF-8 "$INI" >/dev/null 2>&1 || fail "kvel.ini is not valid UTF-8"
    local bad
    bad=$(grep -nvE '^(\s*$|[;#].*|\[[^]]+\]\s*|[^=[;#][^=]*=.*)$' "$INI")
    [[ -z $bad ]] || fail "kvel.ini has malformed lines: $bad"
    grep -q '^\[' "$INI" || fail "kvel.ini has no section at all"
}

# ----------------------------------------------------------- more reporting

# skip REASON: ends the current scenario as skipped (the runner reports it,
# the run does not fail for it).
skip()
{
    printf '  [%3d s] skipped: %s\n' "$SECONDS" "$*"
    exit 77
}

# ------------------------------------------------------- helper programs

# start_helper NAME PROGRAM [ARGS...]: starts PROGRAM in the background with
# the sandbox's environment only; its pid goes to HELPER_PID and to the
# scenario's pid list (killed when the scenario ends), its output to
# $SANDBOX/NAME.log.
start_helper()
{
    local name=$1
    shift
    kvel_env_vars
    env -i "${KVEL_ENV[@]}" "$@" >"$SANDBOX/$name.log" 2>&1 &
    HELPER_PID=$!
    echo "$HELPER_PID" >>"$KVEL_PIDS_FILE"
}

# stop_process PID: ends a process this scenario started (SIGKILL: kvel in
# tray mode does not always end on SIGTERM) and reaps it.
stop_process()
{
    # Reaped at once, so the shell reports no "Killed" job.
    { kill -9 "$1" && wait "$1"; } 2>/dev/null
    return 0
}

# ------------------------------------------------------------- the tray

# The tray host: trayer docked in the bottom-right corner, 80 x 24 pixels.
TRAY_PANEL_NAME=panel

tray_panel() { xdotool search --onlyvisible --name "^$TRAY_PANEL_NAME\$" 2>/dev/null | head -n 1; }
tray_panel_shown() { [[ -n $(tray_panel) ]]; }

# start_tray_host: starts trayer and waits (10 s) for its panel; trayer owns
# the tray selection before it maps the panel. Sets TRAYER_PID.
start_tray_host()
{
    start_helper trayer trayer --edge bottom --align right --widthtype pixel --width 80 \
        --heighttype pixel --height 24
    TRAYER_PID=$HELPER_PID
    wait_until 10 tray_panel_shown || fail "trayer showed no tray panel within 10 s"
    log "tray host trayer is running (pid $TRAYER_PID, panel $(tray_panel))"
}

# find_tray_icon: sets ICON_ID, ICON_X, ICON_Y, ICON_W, ICON_H when a window
# of class kvel is embedded in the tray panel; returns 1 otherwise.
find_tray_icon()
{
    local panel line
    panel=$(tray_panel)
    [[ -n $panel ]] || return 1
    line=$(xwininfo -tree -id "$panel" 2>/dev/null | grep -m 1 '("kvel" "kvel")') || return 1
    # 0x60000d "kvel": ("kvel" "kvel")  22x22+0+0  +1001+745
    [[ $line =~ (0x[0-9a-f]+).*\ ([0-9]+)x([0-9]+)[+-][0-9]+[+-][0-9]+\ +\+(-?[0-9]+)\+(-?[0-9]+) ]] || return 1
    ICON_ID=${BASH_REMATCH[1]}
    ICON_W=${BASH_REMATCH[2]}
    ICON_H=${BASH_REMATCH[3]}
    ICON_X=${BASH_REMATCH[4]}
    ICON_Y=${BASH_REMATCH[5]}
    ((ICON_W > 1 && ICON_H > 1))
}

# wait_for_tray_icon: waits (10 s; the program looks for a tray host every
# 2 s) for kvel's icon in the tray.
wait_for_tray_icon()
{
    wait_until 10 find_tray_icon ||
        fail "no kvel icon inside trayer's panel within 10 s: $(xwininfo -tree -id "$(tray_panel)" 2>/dev/null | grep -c 0x) windows in the panel"
    log "tray icon $ICON_ID at $ICON_X,$ICON_Y size ${ICON_W}x$ICON_H"
}

# click_tray_icon [BUTTON]
# tray_icon_decimal: the tray icon's window id as xdotool prints it.
tray_icon_decimal() { [[ -n ${ICON_ID:-} ]] && echo $((ICON_ID)) || echo none; }

click_tray_icon()
{
    find_tray_icon || fail "the tray icon is gone"
    xdotool mousemove $((ICON_X + ICON_W / 2)) $((ICON_Y + ICON_H / 2)) click "${1:-1}"
}

bar_hidden() { ! find_bar "$1"; }

# expect_bar_hidden PID WHAT: waits (10 s) until the process shows no bar,
# then makes sure it stays hidden for another second and the process still
# runs.
expect_bar_hidden()
{
    wait_until 10 bar_hidden "$1" || fail "$2: the bar is still visible after 10 s"
    if wait_until 1 find_bar "$1"; then
        fail "$2: the bar was hidden, then showed again by itself"
    fi
    process_alive "$1" || fail "$2: kvel ended instead of hiding its bar"
    pass "$2: the bar is hidden and kvel still runs"
}

# expect_bar_shown PID WHAT: waits (10 s) for the visible 153 x 20 bar.
expect_bar_shown()
{
    wait_until 10 find_bar "$1" || fail "$2: no visible 153x20 bar within 10 s"
    pass "$2: the bar is visible at $BAR_X,$BAR_Y"
}

# expect_bar_stays PID hidden|shown WHAT: nothing changes the bar for 2 s.
expect_bar_stays()
{
    if [[ $2 == hidden ]]; then
        if wait_until 2 find_bar "$1"; then
            fail "$3: the bar showed"
        fi
    else
        if wait_until 2 bar_hidden "$1"; then
            fail "$3: the bar went away"
        fi
    fi
    process_alive "$1" || fail "$3: kvel ended"
    pass "$3: the bar stays $2"
}

# ----------------------------------------------------- primary selection

primary_text() { xclip -o -selection primary 2>/dev/null; }
primary_is_not()
{
    local text
    text=$(primary_text) && [[ $text != "$1" ]]
}

# read_entry_quietly: like read_entry, but through the primary selection
# (selecting the whole entry makes it the owner), so the clipboard, which
# kvel may be watching, is left alone. The bar must hold the focus; the
# selection is cancelled again with End. An empty entry selects nothing, so
# the sentinel stays: it gets WAIT seconds (default 2) to change.
read_entry_quietly()
{
    local limit=${1:-2}
    local sentinel="kvel-e2e-sentinel-$RANDOM"
    if [[ -f $SANDBOX/primary.pid ]]; then
        kill "$(cat "$SANDBOX/primary.pid")" 2>/dev/null
    fi
    printf '%s' "$sentinel" | xclip -selection primary -i -quiet >/dev/null 2>&1 &
    echo $! >"$SANDBOX/primary.pid"
    echo $! >>"$KVEL_PIDS_FILE"
    wait_until 10 primary_is_sentinel "$sentinel" || fail "could not put a sentinel on the primary selection"
    press ctrl+a
    ENTRY_TEXT=
    if wait_until "$limit" primary_is_not "$sentinel"; then
        ENTRY_TEXT=$(primary_text)
    fi
    press End
}
primary_is_sentinel() { [[ $(primary_text) == "$1" ]]; }

# expect_entry_quietly TEXT WHAT
expect_entry_quietly()
{
    # Only an empty entry leaves the sentinel: a text is waited for longer.
    if [[ -z $1 ]]; then
        read_entry_quietly 2
    else
        read_entry_quietly 10
    fi
    [[ $ENTRY_TEXT == "$1" ]] || fail "$2: the entry holds '$ENTRY_TEXT', expected '$1'"
    pass "$2: the entry holds '$1'"
}

# copy_text TEXT: another program (xclip) copies TEXT to the clipboard and
# keeps serving it; the previous copy's xclip ends when it loses the
# clipboard.
copy_text()
{
    printf '%s' "$1" | xclip -selection clipboard -i -quiet >/dev/null 2>&1 &
    local pid=$!
    echo "$pid" >>"$KVEL_PIDS_FILE"
    wait_until 10 clipboard_is "$1" || fail "xclip did not put '$1' on the clipboard"
    if [[ -f $SANDBOX/clip.pid ]]; then
        kill "$(cat "$SANDBOX/clip.pid")" 2>/dev/null
    fi
    echo "$pid" >"$SANDBOX/clip.pid"
    log "copied '$1' to the clipboard"
}

# write_ini LINE...: replaces the sandbox's kvel.ini with the given lines.
write_ini() { printf '%s\n' "$@" >"$INI"; }

# --------------------------------------------------- the balloon's text

# balloon_window PID: prints the id of the first balloon window shown.
balloon_window()
{
    visible_windows "$1" | grep -vx -e "${BAR_ID:-none}" -e "$(tray_icon_decimal)" | head -n 1
}

# read_balloon_text PID: sets BALLOON_TEXT to the text the balloon shows.
# Alt+S unlocks the text (a click into locked text would look a phrase up),
# a click on its first line gives the text the focus, Ctrl+A, Ctrl+C copy it
# over a sentinel; Alt+S locks it again and a click gives the entry the focus
# back. The bar must hold the focus and the balloon must open below the bar
# (its tail on top, then the title strip, then the text).
read_balloon_text()
{
    local id geometry x y
    id=$(balloon_window "$1")
    [[ -n $id ]] || fail "no balloon window to read the text of"
    geometry=$(window_geometry "$id")
    read -r x y _ <<<"$geometry"
    ((y > BAR_Y)) || fail "the balloon ($geometry) is not below the bar, its text is not where it is clicked"
    put_clipboard_sentinel
    press alt+s
    sleep 0.3
    # 30 pixels of tail and 21 of title strip: the first line is at 52..65.
    xdotool mousemove $((x + 20)) $((y + 58)) click 1
    wait_until 3 window_has_focus "$id" || fail "a click into the unlocked balloon ($geometry) did not give it the focus"
    press ctrl+a ctrl+c
    # shellcheck disable=SC2034 # read by the scenarios
    BALLOON_TEXT=
    if wait_until 3 clipboard_replaced "$SENTINEL"; then
        # shellcheck disable=SC2034
        BALLOON_TEXT=$CLIPBOARD_TEXT
    fi
    press alt+s
    focus_entry
}

window_has_focus() { [[ $(xdotool getwindowfocus 2>/dev/null) == "$1" ]]; }

# --------------------------------------------- programs of the desktop

# recording_program NAME: writes $SANDBOX/bin/NAME, a stand-in for a desktop
# program that appends one line per start to $SANDBOX/NAME.calls: its
# arguments, each in brackets; and its desktop entry kvel-e2e-NAME.desktop in
# the sandbox's $XDG_DATA_HOME/applications.
recording_program()
{
    local name=$1
    mkdir -p "$SANDBOX/bin" "$SANDBOX/data/applications"
    cat >"$SANDBOX/bin/$name" <<SCRIPT
#!/bin/sh
{ printf 'call'; printf ' [%s]' "\$@"; printf '\n'; } >>'$SANDBOX/$name.calls'
SCRIPT
    chmod +x "$SANDBOX/bin/$name"
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s %%f\nNoDisplay=true\n' \
        "$name" "$SANDBOX/bin/$name" >"$SANDBOX/data/applications/kvel-e2e-$name.desktop"
}

# program_calls NAME: the lines the recording program NAME wrote so far.
program_calls() { cat "$SANDBOX/$1.calls" 2>/dev/null; }
program_call_count() { program_calls "$1" | grep -c '^call'; }
program_called_times() { (($(program_call_count "$1") >= $2)); }

# default_programs TYPE=NAME...: writes the sandbox's mimeapps.list
# ($XDG_CONFIG_HOME) with the recording program NAME as the default for each
# MIME type TYPE; without arguments the file is removed.
default_programs()
{
    local pair
    rm -f "$SANDBOX/config/mimeapps.list"
    (($# > 0)) || return 0
    {
        echo '[Default Applications]'
        for pair in "$@"; do
            echo "${pair%%=*}=kvel-e2e-${pair#*=}.desktop"
        done
    } >"$SANDBOX/config/mimeapps.list"
}

# use_system_mime_database: the sandbox's $XDG_DATA_DIRS gets the system's
# shared MIME database (and nothing else of /usr/share): without it neither
# Qt nor xdg-mime can tell a file's type, and xdg-open falls back to
# whatever browser is installed.
use_system_mime_database()
{
    [[ -f /usr/share/mime/mime.cache ]] || fail "no shared MIME database in /usr/share/mime (shared-mime-info)"
    ln -s /usr/share/mime "$SANDBOX/data-dirs/mime"
}
