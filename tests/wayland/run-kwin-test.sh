#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Kvel on KDE Plasma's compositor: a headless KWin with XWayland, its own
# D-Bus session, the desktop portal, and Plasma's status-notifier watcher
# (kded5) for the tray, run by an unprivileged user. Kvel runs under
# XWayland as on a user's desktop. Checked:
#  - the tray: Kvel's item is registered with the watcher, the bar starts in it,
#    and Plasma's own tray host (the system tray applet) draws Kvel's icon;
#  - Alt+F12, pressed through KWin's fake-input protocol while a Wayland
#    window has the focus, reaches Kvel through the GlobalShortcuts portal
#    and toggles the bar, also after the portal was restarted, and the key
#    the user gives the shortcut in Plasma's settings replaces Alt+F12;
#  - a copy made by a Wayland client (wl-copy) brings the bar up with the
#    lookup: bold red headwords in KWin's own screenshot.
#
# Usage: run-kwin-test.sh KVEL DICTIONARY PRESS_KEYS OUTPUT_DIR
set -uo pipefail

KVEL_EXE=$1
KVEL_DICT=$2
PRESS_KEYS=$3
OUT=$4
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=session-lib.sh
source "$HERE/session-lib.sh"

KDED_WATCHER=/usr/lib/x86_64-linux-gnu/qt5/plugins/kf5/kded/statusnotifierwatcher.so
require_tools kwin_wayland Xwayland dbus-run-session dbus-update-activation-environment gdbus \
    kded5 wl-copy wl-paste convert xwininfo /usr/libexec/xdg-desktop-portal
[[ -e /usr/lib/x86_64-linux-gnu/libexec/xdg-desktop-portal-kde ]] || skip "xdg-desktop-portal-kde is not installed"
[[ -e $KDED_WATCHER ]] || skip "Plasma's status-notifier watcher (plasma-workspace) is not installed"
require_python_gtk
[[ -x $PRESS_KEYS ]] || skip "the fake-input key tool was not built (plasma-wayland-protocols missing)"

# Debian gives kwin_wayland a file capability (CAP_SYS_RESOURCE) that a
# container may not grant, and then it cannot be started at all; a copy
# carries no capability and KWin runs without it.
install_kvel "$KVEL_EXE" "$KVEL_DICT" "$PRESS_KEYS" "$HERE"/kwin-screenshot.py \
    "$HERE"/wayland-window.py /usr/bin/kwin_wayland

# ------------------------------------------------------------------- KWin

# The session's first program tells the test KWin's XWayland display and the
# bus, and hands both to the programs the bus starts (the portal).
cat >"$APP/session.sh" <<'SESSION'
#!/bin/sh
dbus-update-activation-environment DISPLAY WAYLAND_DISPLAY XDG_CURRENT_DESKTOP
printf '%s\n' "$DISPLAY" "$DBUS_SESSION_BUS_ADDRESS" >"$XDG_RUNTIME_DIR/session.tmp"
mv "$XDG_RUNTIME_DIR/session.tmp" "$XDG_RUNTIME_DIR/session"
exec sleep 100000
SESSION
chmod 755 "$APP/session.sh"

SESSION_ENV+=(XDG_CURRENT_DESKTOP=KDE KDE_FULL_SESSION=true)
# Fake input and screenshots are for Plasma's own programs only, unless
# KWin is told otherwise, which a test session may be.
spawn_user env KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 KWIN_SCREENSHOT_NO_PERMISSION_CHECKS=1 \
    dbus-run-session -- "$APP/kwin_wayland" --virtual --xwayland --width 1024 --height 768 \
    --socket kvel-kwin --exit-with-session "$APP/session.sh" >"$WORK/kwin.log" 2>&1

session_known() { [[ -s $WORK/runtime/session ]]; }
wait_until 40 session_known || fail "KWin did not start a session (log: $OUT/kwin.log)"
SESSION_ENV+=(WAYLAND_DISPLAY=kvel-kwin DISPLAY="$(sed -n 1p "$WORK/runtime/session")"
    DBUS_SESSION_BUS_ADDRESS="$(sed -n 2p "$WORK/runtime/session")")
log "KWin $(dpkg-query -W -f="\${Version}" kwin-wayland 2>/dev/null), XWayland on $(sed -n 1p "$WORK/runtime/session"), user $(run_user id -un)"

# Plasma's tray host finds items through this watcher, a module of kded5.
spawn_user env QT_QPA_PLATFORM=offscreen kded5 >"$WORK/kded5.log" 2>&1
kded_ready() { bus_call -d org.kde.kded5 -o /kded -m org.kde.kded5.loadedModules >/dev/null; }
wait_until 20 kded_ready || fail "kded5 did not start (log: $OUT/kded5.log)"
bus_call -d org.kde.kded5 -o /kded -m org.kde.kded5.loadModule statusnotifierwatcher | grep -q true ||
    fail "kded5 did not load the status-notifier watcher"

# Plasma's tray host: the system tray applet, in a window of its own (the
# desktop shell with its panels is plasma-desktop, a much larger package).
# Without qtwayland5 Plasma's Qt 5 has no Wayland plugin, so it runs under
# XWayland. Its window goes low on the screen, where no other window of the
# test goes.
TRAY_HOST_MISSING=
tray_window() { run_user xdotool search --name '^System Tray$' 2>/dev/null | head -n 1; }
tray_window_shown() { [[ -n $(tray_window) ]]; }
if ! command -v plasmawindowed >/dev/null || ! command -v xdotool >/dev/null; then
    TRAY_HOST_MISSING="plasmawindowed or xdotool is not installed"
else
    spawn_user env QT_QPA_PLATFORM=xcb plasmawindowed org.kde.plasma.systemtray >"$WORK/tray.log" 2>&1
    if wait_until 20 tray_window_shown; then
        run_user xdotool windowsize "$(tray_window)" 320 80 windowmove "$(tray_window)" 0 650
    else
        TRAY_HOST_MISSING="Plasma's system tray did not open a window within 20 s (log: $OUT/tray.log)"
    fi
fi

# ------------------------------------------------------------------- helpers

SHOT=
shoot()
{
    run_user /usr/bin/python3 "$APP/kwin-screenshot.py" "$WORK/shots/$1.png" >>"$WORK/screenshot.log" 2>&1 &&
        SHOT=$WORK/shots/$1.png
}
red_shown() { shoot "$1" && (($(red_pixels "$SHOT") > 0)); }

# The bar is the XWayland window named after the program; its map state
# tells whether it is shown.
bar_state() { run_user xwininfo -name 'Kvel rečnik' 2>/dev/null | sed -n 's/^ *Map State: //p'; }
bar_is() { [[ $(bar_state) == "$1" ]]; }


# Alt+F12 as evdev key codes (KEY_LEFTALT, KEY_F12).
press_alt_f12() { run_user "$APP/kwin-press-keys" 56 88 >>"$WORK/keys.log" 2>&1 || fail "KWin took no fake key (log: $OUT/keys.log)"; }

# ---------------------------------------------------------------- scenarios

# A Wayland-native window holds the keyboard focus, as a user's program would.
spawn_user /usr/bin/python3 "$APP/wayland-window.py" "Wayland window" >"$WORK/window.log" 2>&1
WINDOW_PID=$SPAWNED
sleep 2
kill -0 "$WINDOW_PID" 2>/dev/null || fail "the Wayland window did not open (log: $OUT/window.log)"

log "tray: the bar starts in Plasma's tray"
write_kvel_ini Tray=1 Fast=0 Key=3 Hook=1 DesktopNotice=1
spawn_user "$APP/kvel" >>"$WORK/kvel.log" 2>&1
KVEL_PID=$SPAWNED
wait_until 20 kvel_item_registered || fail "no Kvel item in the watcher's list: $(tray_items)"
wait_until 10 bar_is IsUnMapped || fail "the bar is not in the tray at the start (state: $(bar_state))"
log "ok: Kvel's item is registered, the bar waits in the tray"

# Kvel's session with the portal (its object is named after the token).
portal_session_open()
{
    run_user gdbus introspect --session -d org.freedesktop.portal.Desktop --recurse \
        -o /org/freedesktop/portal/desktop/session 2>/dev/null | grep -q 'node .*/kvel'
}

log "hot key: Alt+F12 while the Wayland window has the focus"
wait_until 10 portal_session_open || fail "Kvel has no session with the portal"
window_active() { [[ $(tail -n 1 "$WORK/window.log" 2>/dev/null) == active ]]; }
wait_until 10 window_active || fail "the Wayland window does not have the focus"
shoot before-hot-key || fail "KWin gives no screenshot (log: $OUT/screenshot.log)"
for expected in IsViewable IsUnMapped IsViewable; do
    press_alt_f12
    wait_until 10 bar_is "$expected" || fail "Alt+F12 left the bar $(bar_state), not $expected"
done
shoot after-hot-key
log "ok: Alt+F12 showed, hid and showed the bar ($OUT/after-hot-key.png)"

log "hot key: the portal restarted, Alt+F12 works again"
# The bus started the portal; it runs in KWin's session group.
KWIN_GROUP=${GROUPS_STARTED[0]}
portal_pids() { pgrep -g "$KWIN_GROUP" -f 'xdg-desktop-portal(-kde)?$' | sort; }
OLD_PORTAL=$(portal_pids)
[[ $(wc -l <<<"$OLD_PORTAL") -eq 2 ]] || fail "the portal and its KDE part are not running: $OLD_PORTAL"
old_portal_gone()
{
    local pid
    for pid in $OLD_PORTAL; do
        process_gone "$pid" || return 1
    done
}
# shellcheck disable=SC2086 # one process id a word
kill $OLD_PORTAL
wait_until 10 old_portal_gone || fail "the portal did not end"
portal_back() { [[ $(portal_pids | comm -13 <(echo "$OLD_PORTAL") - | wc -l) -eq 2 ]]; }
wait_until 20 portal_back || fail "nothing started the portal again"
wait_until 10 portal_session_open || fail "Kvel has no session with the restarted portal"
press_alt_f12
wait_until 10 bar_is IsUnMapped || fail "Alt+F12 after the portal's restart left the bar $(bar_state)"
log "ok: Alt+F12 hid the bar through the restarted portal"

log "hot key: re-bound to Alt+F11 in Plasma's shortcut settings"
# What System Settings does when the user gives the shortcut another key
# (the key as Qt's code of Alt+F11).
bus_call -d org.kde.kglobalaccel -o /kglobalaccel -m org.kde.KGlobalAccel.setForeignShortcut \
    "['kvel', 'toggle-alt-f12', 'kvel', 'Open or hide the Kvel dictionary (Alt+F12)']" "[150995002]" >/dev/null ||
    fail "kglobalaccel did not take the new key"
press_alt_f11() { run_user "$APP/kwin-press-keys" 56 87 >>"$WORK/keys.log" 2>&1 || fail "KWin took no fake key"; }
press_alt_f11
wait_until 10 bar_is IsViewable || fail "Alt+F11 did not show the bar"
# Alt+F12 is no longer bound: Alt+F11 after it hides the bar (it would show
# it, had Alt+F12 hidden it).
press_alt_f12
press_alt_f11
wait_until 10 bar_is IsUnMapped || fail "Alt+F12 still toggles the bar, or Alt+F11 does not"
log "ok: the re-bound key toggles the bar, the old one does nothing"

log "clipboard: a copy in a Wayland program brings the bar up with the lookup"
shoot before-copy
(($(red_pixels "$SHOT") == 0)) || fail "red on the screen before any copy ($OUT/before-copy.png)"
wayland_copy house
wait_until 20 red_shown after-copy ||
    fail "no bold red headword within 20 s of copying 'house' ($OUT/after-copy.png)"
bar_is IsViewable || fail "the lookup is shown but the bar is $(bar_state)"
log "ok: $(red_pixels "$SHOT") red headword pixels ($OUT/after-copy.png)"

log "tray: Plasma's system tray draws Kvel's icon"
if [[ -n $TRAY_HOST_MISSING ]]; then
    log "not checked: $TRAY_HOST_MISSING"
else
    # While a notice is up the host draws the item's attention icon instead.
    kvel_item_active()
    {
        local item
        for item in $(tray_items | grep -o "'[^']*'" | tr -d "'"); do
            bus_call -d "${item%%/*}" -o "/${item#*/}" -m org.freedesktop.DBus.Properties.Get \
                org.kde.StatusNotifierItem Status | grep -q "'Active'" && return 0
        done
        return 1
    }
    # The cover of the icon for a shown bar (#1c5fb8), inside the host's window.
    icon_pixels()
    {
        local geometry
        geometry=$(run_user xwininfo -id "$(tray_window)" | awk '/Absolute upper-left X/ {x = $NF}
            /Absolute upper-left Y/ {y = $NF} /Width:/ {w = $NF} /Height:/ {h = $NF}
            END {printf "%dx%d+%d+%d", w, h, x, y}')
        convert "$SHOT" -crop "$geometry" +repage -fuzz 8% -fill black +opaque '#1c5fb8' \
            -fill white -opaque '#1c5fb8' -format '%[fx:round(mean*w*h)]' info: 2>/dev/null
    }
    icon_drawn()
    {
        local count
        shoot tray-icon && count=$(icon_pixels) && ((${count:-0} >= 20))
    }
    wait_until 25 kvel_item_active || fail "Kvel's tray item did not return to its own icon"
    wait_until 10 icon_drawn || fail "the system tray does not draw Kvel's icon ($OUT/tray-icon.png)"
    log "ok: $(icon_pixels) pixels of Kvel's icon in the tray ($OUT/tray-icon.png)"
fi
kill -0 "$KVEL_PID" 2>/dev/null || fail "kvel ended (log: $OUT/kvel.log)"
exit 0
