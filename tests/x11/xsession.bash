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
