#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-2.0-or-later
# Kvel on GNOME Shell: a headless GNOME Shell (Mutter) with XWayland, its own
# D-Bus session (and a private system bus, which it asks for), and GNOME's
# media-keys daemon, run by an unprivileged user. Keys are pressed through
# Mutter's remote-desktop interface, as a keyboard would. Checked:
#  - the one-time notice comes up at the first start (what it says is seen
#    in the screenshot: no hot key from Wayland windows, no tray);
#  - a copy made with Ctrl+C in a Wayland-native GTK window reaches Kvel:
#    Mutter hands it on to XWayland's clipboard, and the bar shows the lookup;
#  - Alt+F12 bound to the command kvel in GNOME's own custom shortcuts,
#    pressed while the GTK window has the focus, closes the bar (without a
#    tray that ends Kvel) and opens it again;
#  - with the AppIndicator extension enabled, Kvel's item is in its watcher,
#    the bar starts in the tray and Alt+F12 brings it out.
#
# Usage: run-gnome-test.sh KVEL DICTIONARY OUTPUT_DIR
set -uo pipefail

KVEL_EXE=$1
KVEL_DICT=$2
OUT=$3
HERE=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=session-lib.sh
source "$HERE/session-lib.sh"

MEDIA_KEYS=/usr/libexec/gsd-media-keys
APPINDICATOR=ubuntu-appindicators@ubuntu.com
require_tools gnome-shell Xwayland dbus-run-session dbus-daemon gsettings convert xwininfo
[[ -x $MEDIA_KEYS ]] || skip "gnome-settings-daemon (gsd-media-keys) is not installed"
[[ -d /usr/share/gnome-shell/extensions/$APPINDICATOR ]] ||
    skip "the AppIndicator extension (gnome-shell-extension-appindicator) is not installed"
require_python_gtk

install_kvel "$KVEL_EXE" "$KVEL_DICT" \
    "$HERE"/gnome-screenshot.py "$HERE"/gnome-keyboard.py "$HERE"/wayland-window.py

# ------------------------------------------------------------ GNOME Shell

# GNOME Shell asks logind on the system bus where systemd's folders exist;
# a private, empty system bus lets it carry on without one.
cat >"$APP/system-bus.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>system</type>
  <listen>unix:path=$WORK/runtime/system-bus</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow user="*"/>
    <allow own="*"/>
    <allow send_type="method_call"/>
    <allow send_type="signal"/>
    <allow send_type="method_return"/>
    <allow send_type="error"/>
    <allow receive_type="method_call"/>
    <allow receive_type="signal"/>
    <allow receive_type="method_return"/>
    <allow receive_type="error"/>
  </policy>
</busconfig>
CONF
cat >"$APP/session.sh" <<'SESSION'
#!/bin/sh
printf '%s\n' "$DBUS_SESSION_BUS_ADDRESS" >"$XDG_RUNTIME_DIR/session-bus"
exec gnome-shell --headless --wayland --wayland-display kvel-gnome --virtual-monitor 1024x768
SESSION
chmod 755 "$APP/session.sh"
((${#as_user[@]})) && chown -R "$TEST_USER" "$APP"

SESSION_ENV+=(XDG_CURRENT_DESKTOP=GNOME DBUS_SYSTEM_BUS_ADDRESS="unix:path=$WORK/runtime/system-bus")
spawn_user dbus-daemon --config-file="$APP/system-bus.conf" --nofork >"$WORK/system-bus.log" 2>&1
system_bus_up() { [[ -S $WORK/runtime/system-bus ]]; }
wait_until 10 system_bus_up || fail "the private system bus did not start (log: $OUT/system-bus.log)"
spawn_user dbus-run-session -- "$APP/session.sh" >"$WORK/gnome-shell.log" 2>&1

# Mutter names its XWayland display in its log and keeps the cookie in the
# runtime folder.
x_display() { sed -n 's/.*Using public X11 display \(:[0-9]*\).*/\1/p' "$WORK/gnome-shell.log" | head -n 1; }
xwayland_known() { [[ -n $(x_display) && -s $WORK/runtime/session-bus ]] &&
    compgen -G "$WORK/runtime/.mutter-Xwaylandauth.*" >/dev/null; }
wait_until 40 xwayland_known || fail "GNOME Shell did not start (log: $OUT/gnome-shell.log)"
SESSION_ENV+=(WAYLAND_DISPLAY=kvel-gnome DISPLAY="$(x_display)"
    XAUTHORITY="$(compgen -G "$WORK/runtime/.mutter-Xwaylandauth.*" | head -n 1)"
    DBUS_SESSION_BUS_ADDRESS="$(cat "$WORK/runtime/session-bus")")

SHOT=
shoot()
{
    run_user /usr/bin/python3 "$APP/gnome-screenshot.py" "$WORK/shots/$1.png" >>"$WORK/screenshot.log" 2>&1 &&
        SHOT=$WORK/shots/$1.png
}
red_shown() { shoot "$1" && (($(red_pixels "$SHOT") > 0)); }
shell_started() { grep -q "GNOME Shell started" "$WORK/gnome-shell.log"; }
wait_until 40 shell_started || fail "GNOME Shell did not finish starting (log: $OUT/gnome-shell.log)"
wait_until 20 shoot started || fail "GNOME Shell gives no screenshot (log: $OUT/screenshot.log)"
log "GNOME Shell $(dpkg-query -W -f='${Version}' gnome-shell 2>/dev/null), XWayland on $(x_display), user $(run_user id -un)"

# A keyboard through Mutter's remote-desktop session, fed one chord a line.
mkfifo -m 644 "$WORK/keys"
((${#as_user[@]})) && chown "$TEST_USER" "$WORK/keys"
exec 7<>"$WORK/keys"
spawn_user /usr/bin/python3 "$APP/gnome-keyboard.py" "$WORK/keys" >"$WORK/keyboard.log" 2>&1
chords_done() { (($(grep -c '^done$' "$WORK/keyboard.log") >= $1)); }
CHORDS=0
wait_until 20 chords_done 1 || fail "Mutter gave no remote-desktop keyboard (log: $OUT/keyboard.log)"
# press CODE...: one chord of evdev key codes, waited for.
press()
{
    echo "$*" >&7
    wait_until 10 chords_done $((++CHORDS + 1)) || fail "the keys $* were not pressed (log: $OUT/keyboard.log)"
    sleep 0.5
}
KEY_ESC=1 KEY_TAB=15 KEY_LEFTCTRL=29 KEY_A=30 KEY_C=46 KEY_LEFTALT=56 KEY_F12=88

# GNOME Shell starts in the overview; Escape leaves it.
press $KEY_ESC

# ------------------------------------------------------------------- helpers

bar_state() { run_user xwininfo -name 'Kvel rečnik' 2>/dev/null | sed -n 's/^ *Map State: //p'; }
bar_is() { [[ $(bar_state) == "$1" ]]; }
bar_gone() { [[ -z $(bar_state) ]]; }
window_active() { [[ $(tail -n 1 "$WORK/window.log" 2>/dev/null) == active ]]; }
# Alt+Tab gives the Wayland window the focus, unless it has it already.
focus_window()
{
    window_active || press $KEY_LEFTALT $KEY_TAB
    wait_until 5 window_active || fail "the Wayland window did not get the focus"
}
# Kvel started by the desktop's shortcut is a child of gsd-media-keys; its
# path inside this test's folder names it.
kvel_pids() { pgrep -u "$(run_user id -un)" -f "^$APP/kvel\$"; }
kvel_running() { [[ -n $(kvel_pids) ]]; }
stop_desktop()
{
    local pid
    for pid in $(kvel_pids); do
        kill "$pid" 2>/dev/null
    done
}

# ---------------------------------------------------------------- scenarios

log "notice: the first start says what this desktop lacks"
write_kvel_ini Tray=1 Fast=0 Key=3 Hook=1 DesktopNotice=0
spawn_user "$APP/kvel" >>"$WORK/kvel.log" 2>&1
wait_until 20 bar_is IsViewable || fail "the bar did not appear (log: $OUT/kvel.log)"
# The notice is Kvel's balloon beside the bar, shown before any lookup.
notice_shown()
{
    local id
    for id in $(run_user xwininfo -root -tree | grep '("kvel" "kvel")' | grep -v 'Kvel rečnik' |
        awk '{print $1}'); do
        run_user xwininfo -id "$id" | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}
wait_until 10 notice_shown || fail "no notice beside the bar"
sleep 1
shoot notice
log "ok: the notice is shown ($OUT/notice.png)"

log "clipboard: Ctrl+C in a Wayland window reaches Kvel through XWayland"
spawn_user /usr/bin/python3 "$APP/wayland-window.py" "Wayland window" house >"$WORK/window.log" 2>&1
sleep 2
focus_window
shoot before-copy
(($(red_pixels "$SHOT") == 0)) || fail "red on the screen before any copy ($OUT/before-copy.png)"
press $KEY_LEFTCTRL $KEY_A
press $KEY_LEFTCTRL $KEY_C
wait_until 20 red_shown after-copy ||
    fail "no bold red headword within 20 s of copying 'house' in the Wayland window ($OUT/after-copy.png)"
log "ok: $(red_pixels "$SHOT") red headword pixels ($OUT/after-copy.png)"

log "hot key: Alt+F12 bound to kvel in GNOME's settings, pressed in the Wayland window"
BINDING=/org/gnome/settings-daemon/plugins/media-keys/custom-keybindings/kvel/
run_user gsettings set org.gnome.settings-daemon.plugins.media-keys custom-keybindings "['$BINDING']" &&
    run_user gsettings set "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:$BINDING" name Kvel &&
    run_user gsettings set "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:$BINDING" command "$APP/kvel" &&
    run_user gsettings set "org.gnome.settings-daemon.plugins.media-keys.custom-keybinding:$BINDING" binding '<Alt>F12' ||
    fail "gsettings cannot bind the key"
spawn_user "$MEDIA_KEYS" >"$WORK/media-keys.log" 2>&1
media_keys_up() { run_user gdbus call --session -d org.gnome.SettingsDaemon.MediaKeys \
    -o /org/gnome/SettingsDaemon/MediaKeys -m org.freedesktop.DBus.Peer.Ping >/dev/null 2>&1; }
wait_until 20 media_keys_up || fail "gsd-media-keys did not start (log: $OUT/media-keys.log)"
# It takes its keys from GNOME Shell a moment after it starts; a press before
# that is lost, so the first press is tried again.
for _ in 1 2 3; do
    focus_window
    press $KEY_LEFTALT $KEY_F12
    wait_until 5 bar_gone && break
done
bar_gone || fail "Alt+F12 left the bar $(bar_state) (log: $OUT/media-keys.log)"
wait_until 10 eval '! kvel_running' || fail "Kvel kept running without its bar and a tray"
grep -qx 'DesktopNotice=1' "$APP/kvel.ini" || fail "the notice is not remembered as shown in kvel.ini"
focus_window
press $KEY_LEFTALT $KEY_F12
wait_until 20 bar_is IsViewable || fail "Alt+F12 did not open the bar again (log: $OUT/media-keys.log)"
shoot after-hot-key
log "ok: Alt+F12 closed Kvel and started it again ($OUT/after-hot-key.png)"

log "tray: with the AppIndicator extension Kvel waits in the top bar"
stop_desktop
wait_until 10 eval '! kvel_running' || fail "Kvel did not end"
run_user gsettings set org.gnome.shell enabled-extensions "['$APPINDICATOR']" ||
    fail "gsettings cannot enable the AppIndicator extension"
watcher_up() { tray_items >/dev/null; }
wait_until 20 watcher_up || fail "the AppIndicator extension offers no status-notifier watcher"
# The notice was seen above. For its first 15 s the icon asks for attention
# (the first start's balloon), so the top bar shows an information sign.
write_kvel_ini Tray=1 Fast=0 Key=3 Hook=1 DesktopNotice=1
spawn_user "$APP/kvel" >>"$WORK/kvel.log" 2>&1
wait_until 20 kvel_item_registered || fail "no Kvel item in the watcher's list: $(tray_items)"
wait_until 10 bar_is IsUnMapped || fail "the bar is not in the tray at the start (state: $(bar_state))"
sleep 1
shoot tray
focus_window
press $KEY_LEFTALT $KEY_F12
wait_until 10 bar_is IsViewable || fail "Alt+F12 did not bring the bar out of the tray"
log "ok: Kvel's icon is in the top bar, Alt+F12 opens the bar ($OUT/tray.png)"
exit 0
