# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
# Shared by the Wayland desktop tests (sourced): the unprivileged test user,
# a temporary home for everything, processes started as that user and
# stopped with their whole process group, and the screenshot checks.
#
# The sourcing script sets OUT (where logs and screenshots are kept) and may
# define stop_desktop, called first when the script ends.

TEST_USER=kveltest
SKIP=77

log() { printf '  [%3d s] %s\n' "$SECONDS" "$*"; }
fail()
{
    printf '  [%3d s] FAIL: %s\n' "$SECONDS" "$*" >&2
    exit 1
}
skip()
{
    echo "SKIP: $*"
    exit $SKIP
}

# require_tools TOOL...: skips the test when one of them is not installed.
require_tools()
{
    local tool
    for tool in "$@"; do
        command -v "$tool" >/dev/null || skip "$tool is not installed"
    done
}

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

process_gone() { ! kill -0 "$1" 2>/dev/null; }

# Root creates the system user kveltest (once) and runs everything as that
# user; anyone else runs it as themselves.
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
chmod 700 "$WORK/runtime"
((${#as_user[@]})) && chown -R "$TEST_USER" "$APP" "$WORK"/{home,runtime,config,data,cache,shots}

# require_python_gtk: the Wayland window and the D-Bus helpers are Python.
require_python_gtk()
{
    /usr/bin/python3 -c 'import dbus, gi; gi.require_version("Gtk", "3.0")' 2>/dev/null ||
        skip "python3-dbus or python3-gi with GTK 3 is not installed"
}

# install_kvel KVEL DICTIONARY [FILE...]: a copy of kvel beside its dictionary
# (with the dictionary's index file, when it has one) and the test's helper
# files, all the test user's.
install_kvel()
{
    cp "$1" "$APP/kvel" && cp "$2" "$APP/kvel.mdb" || fail "cannot copy kvel and its dictionary"
    [[ -e $2.kvx ]] && cp "$2.kvx" "$APP/kvel.mdb.kvx"
    (($# > 2)) && { cp "${@:3}" "$APP/" || fail "cannot copy ${*:3}"; }
    ((${#as_user[@]})) && chown -R "$TEST_USER" "$APP"
    return 0
}

# Each process started is the leader of its own process group, so that the
# helpers a desktop or its D-Bus bus starts end with it.
GROUPS_STARTED=()
end_session()
{
    local pid
    declare -F stop_desktop >/dev/null && stop_desktop
    for pid in "${GROUPS_STARTED[@]}"; do
        kill -- "-$pid" 2>/dev/null
    done
    for pid in "${GROUPS_STARTED[@]}"; do
        wait_until 10 process_gone "$pid" || kill -9 -- "-$pid" 2>/dev/null
    done
    cp "$WORK"/shots/*.png "$WORK"/*.log "$OUT/" 2>/dev/null
    rm -rf "$WORK"
}
trap end_session EXIT

# The environment every process of the session gets, and nothing else; the
# sourcing script adds the desktop's own variables.
SESSION_ENV=(PATH=/usr/bin:/bin HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/runtime"
    XDG_CONFIG_HOME="$WORK/config" XDG_DATA_HOME="$WORK/data" XDG_CACHE_HOME="$WORK/cache"
    XDG_DATA_DIRS="$WORK/data-dirs:/usr/share" XDG_CONFIG_DIRS="$WORK/config-dirs:/etc/xdg"
    LANG=C.UTF-8 XDG_SESSION_TYPE=wayland)

run_user() { "${as_user[@]}" env -i "${SESSION_ENV[@]}" "$@"; }

# spawn_user COMMAND...: starts COMMAND as the test user in the background, in
# a new session, and sets SPAWNED to its own process id (not that of runuser).
SPAWN_COUNT=0
spawn_user()
{
    local pidfile=$WORK/runtime/spawned-$((++SPAWN_COUNT)).pid
    run_user setsid sh -c 'echo $$ >"$0"; exec "$@"' "$pidfile" "$@" &
    disown
    local _
    for _ in $(seq 100); do
        [[ -s $pidfile ]] && break
        sleep 0.1
    done
    SPAWNED=$(cat "$pidfile" 2>/dev/null)
    [[ -n $SPAWNED ]] || fail "could not start $1"
    GROUPS_STARTED+=("$SPAWNED")
}

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

# write_kvel_ini LINE...: Kvel's settings for the next start, beside its copy.
write_kvel_ini()
{
    printf '%s\n' '[Preferences]' AutoStart=0 IE=0 Tips=0 Clipboard=0 "$@" >"$APP/kvel.ini"
    ((${#as_user[@]})) && chown "$TEST_USER" "$APP/kvel.ini"
    return 0
}

pasted_is() { [[ $(run_user wl-paste --no-newline 2>/dev/null) == "$1" ]]; }

# wayland_copy TEXT: a Wayland client (wl-copy) owns the selection from now on.
COPY_PID=
wayland_copy()
{
    [[ -n $COPY_PID ]] && kill -- "-$COPY_PID" 2>/dev/null
    spawn_user wl-copy --foreground "$1" >>"$WORK/wl-copy.log" 2>&1
    COPY_PID=$SPAWNED
    wait_until 10 pasted_is "$1" || fail "wl-copy did not set the selection to '$1'"
}

bus_call() { run_user gdbus call --session --timeout 10 "$@" 2>&1; }

# The items a tray host shows, as the status-notifier watcher lists them.
tray_items() { bus_call -d org.kde.StatusNotifierWatcher -o /StatusNotifierWatcher \
    -m org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher RegisteredStatusNotifierItems; }
kvel_item_registered()
{
    local item service
    # An item is SERVICE/PATH (Plasma) or SERVICE@/PATH (GNOME's extension).
    for item in $(tray_items | grep -o "'[^']*'" | tr -d "'"); do
        item=${item/@\//\/}
        service=${item%%/*}
        bus_call -d "$service" -o "/${item#*/}" -m org.freedesktop.DBus.Properties.Get \
            org.kde.StatusNotifierItem Id | grep -q "'kvel'" && return 0
    done
    return 1
}
