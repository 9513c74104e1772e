# Shared by the scripts in this folder (sourced, not run): a private Xvfb and the
# processes started on it, all ended on exit.

x11_pids=()

x11_cleanup() {
    local pid i reversed=()
    # Clients first, the server last, so no client sees its display vanish.
    for ((i = ${#x11_pids[@]} - 1; i >= 0; --i)); do
        reversed+=("${x11_pids[i]}")
    done
    for pid in "${reversed[@]}"; do
        kill "$pid" 2>/dev/null
        for _ in $(seq 20); do
            kill -0 "$pid" 2>/dev/null || break
            sleep 0.1
        done
    done
    for pid in "${reversed[@]}"; do
        # A process that ignored TERM for two seconds gets KILL.
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    x11_pids=()
}

x11_need() {
    local tool missing=()
    for tool in "$@"; do
        command -v "$tool" >/dev/null 2>&1 || missing+=("$tool")
    done
    if ((${#missing[@]})); then
        echo "SKIP: ${missing[*]} not installed (Debian packages: xvfb, xdotool)" >&2
        exit 77
    fi
}

# Waits up to $2 seconds for the file $1 to exist.
x11_wait_file() {
    local path=$1 limit=$2 i
    for ((i = 0; i < limit * 20; ++i)); do
        [[ -e $path ]] && return 0
        sleep 0.05
    done
    return 1
}

# Starts Xvfb on a display it picks itself and exports DISPLAY.
x11_start_xvfb() {
    local work=$1 fdfile=$1/xvfb.display
    Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$fdfile" >"$work/xvfb.log" 2>&1 &
    x11_pids+=($!)
    local i
    for ((i = 0; i < 200; ++i)); do
        [[ -s $fdfile ]] && break
        kill -0 "${x11_pids[-1]}" 2>/dev/null || break
        sleep 0.05
    done
    if [[ ! -s $fdfile ]]; then
        echo "FAIL: Xvfb did not start:" >&2
        cat "$work/xvfb.log" >&2
        return 1
    fi
    export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
    export QT_QPA_PLATFORM=xcb
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -p -m 0700 "$XDG_RUNTIME_DIR"
    unset WAYLAND_DISPLAY
}

# Checks are counted rather than fatal; die ends the script at once.
failures=0
fail() {
    echo "FAIL${step:+ ($step)}: $*" >&2
    failures=$((failures + 1))
}
die() {
    fail "$@"
    echo "(all output in ${work:-the work folder})" >&2
    exit 1
}
ok() { echo "ok: $*"; }
# Ends the script: the failures counted, or the line saying what passed.
x11_finish() {
    if ((failures)); then
        echo "$failures check(s) failed; all output in $work" >&2
        exit 1
    fi
    echo "PASS: $*"
}

# A window manager that honours the hints, on the Xvfb started above. Waited for until it
# has started up: a window mapped while it still sets itself up may never be shown.
x11_start_openbox() {
    rm -f "$1/openbox.ready"
    openbox --sm-disable --startup "touch $1/openbox.ready" >"$1/openbox.log" 2>&1 &
    x11_pids+=($!)
    x11_wait_file "$1/openbox.ready" 10 && return 0
    echo "FAIL: openbox did not start: $(tail -3 "$1/openbox.log")" >&2
    return 1
}

# Waits up to 10 s for a window on the screen whose title matches the regular expression
# ^$1$, and prints its id. On the screen: Qt may make a window's X window more than once,
# and the one made first may never be shown.
x11_window() {
    local id i
    for ((i = 0; i < 200; ++i)); do
        id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -1)
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}

# Asks a window to close, as its close box does (alt+F4 is openbox's close key).
x11_close() { xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4 2>/dev/null; }

# Waits up to 2 s for a window's WM_STATE to be $2 (Normal, Iconic); true when it is.
x11_wait_state() {
    local i
    for ((i = 0; i < 40; ++i)); do
        [[ $(xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state/ { print $3 }') == "$2" ]] && return 0
        sleep 0.05
    done
    return 1
}

# Closes the palette of the program running as process $1, as a user does, and waits
# up to 5 s for the program to end; false (and the program killed) when it does not.
x11_quit_palette() {
    local p i
    p=$(x11_window 'ＭＱ \(β[0-9.]*\)') && x11_close "$p"
    for ((i = 0; i < 100; ++i)); do
        kill -0 "$1" 2>/dev/null || { wait "$1" 2>/dev/null; return 0; }
        sleep 0.05
    done
    kill "$1" 2>/dev/null
    wait "$1" 2>/dev/null
    return 1
}

# Answers the report box $1 with Enter, as a user does, until it is gone (5 s at most).
x11_dismiss() {
    local i
    for ((i = 0; i < 25; ++i)); do
        xwininfo -id "$1" 2>/dev/null | grep -q IsViewable || return 0
        xdotool windowactivate "$1" 2>/dev/null
        sleep 0.1
        # Sent to the box, and typed as a user would into it once it has the focus: a
        # box that has only just been mapped takes neither at once.
        xdotool key --window "$1" Return 2>/dev/null
        xdotool key Return 2>/dev/null
        sleep 0.1
    done
    return 1
}
