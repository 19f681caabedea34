# SPDX-License-Identifier: GPL-2.0-or-later
# shellcheck shell=bash
# shellcheck disable=SC2153 # E2E_TMP, E2E_OUT and SCENARIOS come from the test script
# The scenario runner shared by the scripts that test the running kvel on a
# private X server. Sourced after lib.sh; the script sets E2E_TMP and E2E_OUT,
# fills SCENARIOS with "NUMBER ID FUNCTION TITLE" lines and calls
# run_scenarios.

SCENARIO_PID=

# require_tools TOOL...: ends the script when one of them is missing.
require_tools()
{
    local tool
    for tool; do
        command -v "$tool" >/dev/null || { echo "missing tool: $tool" >&2; exit 1; }
    done
}

# require_programs PATH...: ends the script when one is no executable.
require_programs()
{
    local program
    for program; do
        [[ -x $program ]] || { echo "not an executable: $program" >&2; exit 1; }
    done
}

# prepare_suite NAME PROGRAM...: what a suite does once it has read its
# arguments (KVEL_EXE, KVEL_DICT, E2E_OUT): checks the tools, kvel, the
# dictionary and the suite's other programs, makes the output folder and the
# suite's own temporary folder (E2E_TMP), and forgets the caller's display so
# that nothing reaches it.
prepare_suite()
{
    local name=$1
    shift
    require_tools Xvfb xauth mcookie openbox trayer xdotool xclip xwininfo xprop xdpyinfo import \
        convert iconv timeout
    require_programs "$KVEL_EXE" "$@"
    [[ -f $KVEL_DICT ]] || { echo "no dictionary: $KVEL_DICT" >&2; exit 1; }
    mkdir -p "$E2E_OUT"
    E2E_TMP=$(mktemp -d "${TMPDIR:-/tmp}/$name.XXXXXX")
    unset DISPLAY XAUTHORITY
}

# Ends an interrupted run's scenario and whatever it started, then the X
# server; the temporary folders go unless KVEL_E2E_KEEP=1.
e2e_cleanup()
{
    if [[ -n $SCENARIO_PID ]]; then
        kill "$SCENARIO_PID" 2>/dev/null
    fi
    local pids pid
    for pids in "$E2E_TMP"/*/pids "$E2E_TMP"/*/clip.pid "$E2E_TMP"/*/primary.pid; do
        [[ -f $pids ]] || continue
        while read -r pid; do
            kill -9 "$pid" 2>/dev/null
        done <"$pids"
    done
    stop_global
    if [[ ${KVEL_E2E_KEEP:-0} == 1 ]]; then
        echo "temporary folders kept in $E2E_TMP"
    else
        rm -rf "$E2E_TMP"
    fi
}

# run_scenarios: starts the X server and runs every scenario of SCENARIOS (or
# those numbered in KVEL_E2E_ONLY) in its own subshell; a failed scenario
# keeps its logs and settings file under E2E_OUT. Returns 1 when one failed.
run_scenarios()
{
    trap e2e_cleanup EXIT
    trap 'exit 130' INT TERM HUP
    # One X server for all scenarios; a failure here ends the script.
    SCENARIO=setup
    start_x_server "$E2E_TMP"

    local failed=() skipped=() entry number id fn title started rc
    for entry in "${SCENARIOS[@]}"; do
        read -r number id fn title <<<"$entry"
        if [[ -n ${KVEL_E2E_ONLY:-} && " $KVEL_E2E_ONLY " != *" $number "* ]]; then
            continue
        fi
        echo
        echo "=== scenario $number: $title"
        started=$SECONDS
        # shellcheck disable=SC2034 # read by fail and the scenarios
        (
            SCENARIO="$number $title"
            SCENARIO_ID="$number-$id"
            trap stop_scenario_processes EXIT
            "$fn"
        ) &
        SCENARIO_PID=$!
        wait "$SCENARIO_PID"
        rc=$?
        SCENARIO_PID=
        if ((rc == 0)); then
            echo "=== PASS scenario $number ($((SECONDS - started)) s)"
        elif ((rc == 77)); then
            skipped+=("$number $title")
            echo "=== SKIPPED scenario $number ($((SECONDS - started)) s)"
        else
            failed+=("$number $title")
            mkdir -p "$E2E_OUT/$number-$id-failed"
            cp "$E2E_TMP/$id"/*.log "$E2E_TMP/$id/app/kvel.ini" "$E2E_OUT/$number-$id-failed/" 2>/dev/null
            echo "=== FAIL scenario $number ($((SECONDS - started)) s); logs in $E2E_OUT/$number-$id-failed"
        fi
    done

    echo
    if ((${#skipped[@]} > 0)); then
        echo "skipped scenarios (${#skipped[@]}):"
        printf '  %s\n' "${skipped[@]}"
    fi
    if ((${#failed[@]} > 0)); then
        echo "FAILED scenarios (${#failed[@]}):"
        printf '  %s\n' "${failed[@]}"
        echo "total $SECONDS s"
        return 1
    fi
    echo "all scenarios passed (total $SECONDS s)"
}
