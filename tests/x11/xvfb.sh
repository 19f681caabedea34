# SPDX-License-Identifier: GPL-2.0-or-later
# Sourced by the X11 test scripts. start_xvfb WORKDIR [Xvfb options...]
# starts an Xvfb on a display number the server picks itself (-displayfd), so
# scripts running side by side never share or steal a display; exports
# DISPLAY and sets XVFB_PID.
start_xvfb()
{
    local work=$1
    shift
    : >"$work/xvfb.display"
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp "$@" \
        3>"$work/xvfb.display" >"$work/xvfb.log" 2>&1 &
    XVFB_PID=$!
    local _
    for _ in $(seq 100); do
        [[ -s $work/xvfb.display ]] && break
        sleep 0.1
    done
    [[ -s $work/xvfb.display ]] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; return 1; }
    export DISPLAY=":$(head -n 1 "$work/xvfb.display")"
}
