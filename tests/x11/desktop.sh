#!/usr/bin/env bash
# The real program on a private Xvfb with a window manager that honours the hints
# (openbox): where the windows open, a minimised editor brought back, a second start on
# the same profile, and the reports a user gets from a browser or fonts that fail.
#
#   desktop.sh MQ WORK_PARENT
set -u
if (($# != 2)); then
    echo "usage: desktop.sh MQ WORK_PARENT" >&2
    exit 2
fi
mq=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xsession.bash
source "$here/xsession.bash"
x11_need Xvfb xdotool xprop xwininfo openbox

work=$2/desktop-run
rm -rf "$work"
mkdir -p "$work/bin" "$work/profile" || exit 1
trap x11_cleanup EXIT

failures=0
fail() {
    echo "FAIL${step:+ ($step)}: $*" >&2
    failures=$((failures + 1))
}
die() {
    fail "$@"
    echo "(all output in $work)" >&2
    exit 1
}
ok() { echo "ok: $*"; }

x11_start_xvfb "$work" || exit 1
openbox --sm-disable >"$work/openbox.log" 2>&1 &
x11_pids+=($!)
for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q window && break
    sleep 0.05
done
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')

# A browser that opens at once, unless told otherwise.
printf '#!/bin/sh\nexit "${XDG_OPEN_STATUS:-0}"\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
profile=$work/profile/NAME.txt
cp "$here/../data/sample_NAME.txt" "$profile"

# Waits for a window whose title is exactly $1; prints its id.
window() {
    local id i
    for ((i = 0; i < 200; ++i)); do
        id=$(xdotool search --name "^$1\$" 2>/dev/null | head -1)
        [[ -n $id ]] && { echo "$id"; return 0; }
        sleep 0.05
    done
    return 1
}
# The frame of a window: "x y w h".
frame() {
    local x y w h l r t b
    read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
    read -r w h < <(xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
# Asks a window to close, as its close box does (alt+F4 is openbox's close key).
close_window() { xdotool windowactivate --sync "$1" key --clearmodifiers alt+F4 2>/dev/null; }
# Clicks at (x, y) of the window's client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1 || fail "xdotool could not click"; }
state() { xprop -id "$1" WM_STATE 2>/dev/null | awk '/window state/ { print $3 }'; }
centred() { # id name
    local x y w h
    read -r x y w h < <(frame "$1")
    local dx=$((2 * x + w - screen_w)) dy=$((2 * y + h - screen_h))
    ((dx >= -2 && dx <= 2 && dy >= -2 && dy <= 2)) && ok "$2 centred by its frame" ||
        fail "$2's frame $x,$y ${w}x$h is not centred on ${screen_w}x$screen_h"
}
fixed() { # id name
    local hints
    hints=$(xprop -id "$1" WM_NORMAL_HINTS)
    local min max
    min=$(grep 'minimum size' <<<"$hints" | grep -o '[0-9]* by [0-9]*')
    max=$(grep 'maximum size' <<<"$hints" | grep -o '[0-9]* by [0-9]*')
    [[ -n $min && $min == "$max" ]] && ok "$2 is fixed-size ($min)" || fail "$2 can be resized: min $min, max $max"
    # Motif hints: flags, functions, decorations; minimise is 8 and maximise 16 among the
    # functions, 32 and 64 among the decorations.
    local motif
    read -r -a motif < <(xprop -id "$1" _MOTIF_WM_HINTS | sed 's/.*= //; s/,//g')
    if ((${#motif[@]} >= 3)); then
        (((motif[1] & 24) == 0 && (motif[2] & 96) == 0)) && ok "$2 asks for no minimise or maximise box" ||
            fail "$2 asks for a minimise or maximise box: ${motif[*]}"
    else
        fail "$2 sets no Motif hints"
    fi
}

step="start-up"
"$mq" --profile "$profile" >"$work/mq.out" 2>"$work/mq.err" &
mq_pid=$!
x11_pids+=("$mq_pid")
palette=$(window 'ＭＱ \(β1\.0\.0\)') || die "no palette window"
sleep 0.5
read -r px py _ _ < <(frame "$palette")
((px == 0 && py == 0)) && ok "the palette's frame at the screen's top-left" || fail "the palette's frame is at $px,$py"
fixed "$palette" "the palette"

step="editor"
click "$palette" 28 8
editor=$(window '内容変更') || die "内容変更 opened no editor"
sleep 0.5
centred "$editor" "the editor"
fixed "$editor" "the editor"
xdotool windowminimize "$editor"
for _ in $(seq 40); do [[ $(state "$editor") == Iconic ]] && break; sleep 0.05; done
[[ $(state "$editor") == Iconic ]] || fail "the editor could not be minimised"
click "$palette" 28 8
for _ in $(seq 40); do [[ $(state "$editor") == Normal ]] && break; sleep 0.05; done
[[ $(state "$editor") == Normal ]] && ok "内容変更 restores a minimised editor" || fail "the editor stayed $(state "$editor")"
for _ in $(seq 40); do [[ $(xdotool getactivewindow 2>/dev/null) == "$editor" ]] && break; sleep 0.05; done
[[ $(xdotool getactivewindow 2>/dev/null) == "$editor" ]] && ok "the editor has the focus" || fail "the editor is not the active window"
(($(xdotool search --name '^内容変更$' | wc -l) == 1)) || fail "more than one editor"

step="help"
click "$palette" 85 8
help=$(window 'ヘルプ') || die "ヘルプ opened no help window"
sleep 0.5
centred "$help" "the help window"
fixed "$help" "the help window"

step="second start"
xdotool windowminimize "$palette"
for _ in $(seq 40); do [[ $(state "$palette") == Iconic ]] && break; sleep 0.05; done
timeout 10 "$mq" --profile "$work/profile/../profile/NAME.txt" >"$work/second.out" 2>"$work/second.err"
rc=$?
((rc == 0)) && ok "a second start on the same profile leaves at once" || fail "the second start ended with $rc"
(($(xdotool search --name '^ＭＱ \(β1\.0\.0\)$' | wc -l) == 1)) && ok "still one palette" || fail "a second palette opened"
for _ in $(seq 40); do [[ $(state "$palette") == Normal ]] && break; sleep 0.05; done
[[ $(state "$palette") == Normal ]] && ok "the running palette came forward" || fail "the palette stayed $(state "$palette")"
[[ -s $work/second.err ]] && fail "the second start said: $(cat "$work/second.err")"

step="closing"
close_window "$palette"
for _ in $(seq 100); do kill -0 "$mq_pid" 2>/dev/null || break; sleep 0.05; done
if kill -0 "$mq_pid" 2>/dev/null; then
    fail "closing the palette did not end the program"
    kill "$mq_pid"
fi
wait "$mq_pid" 2>/dev/null
[[ -z $(xdotool search --name '^(内容変更|ヘルプ)$' 2>/dev/null) ]] || fail "a window outlived the palette"
[[ -s $work/mq.err ]] && fail "the program reported: $(cat "$work/mq.err")"
ok "closing the palette ends the program"

# Dismisses the one report box the program shows, and checks what it said on stderr.
expect_report() { # what number
    local box
    box=$(window 'ＶＢエラー') || { fail "no report box for $1"; return; }
    xdotool key --window "$box" Return
    for _ in $(seq 100); do grep -q "【エラーコード＝$2】" "$work/report.err" && break; sleep 0.05; done
    grep -q "【エラーコード＝$2】" "$work/report.err" && ok "$1: reported ($2)" ||
        fail "$1: no report $2 (stderr: $(cat "$work/report.err"))"
}
run_reporting() { # env...
    env "$@" "$mq" --profile "$profile" >/dev/null 2>"$work/report.err" &
    report_pid=$!
    x11_pids+=("$report_pid")
}
quit_reporting() {
    local p
    p=$(window 'ＭＱ \(β1\.0\.0\)') && close_window "$p"
    for _ in $(seq 100); do kill -0 "$report_pid" 2>/dev/null || break; sleep 0.05; done
    kill "$report_pid" 2>/dev/null
    wait "$report_pid" 2>/dev/null
}

step="a browser that fails later"
run_reporting XDG_OPEN_STATUS=3
expect_report "xdg-open exiting with 3" 429
(($(grep -c 'エラーコード' "$work/report.err") == 1)) || fail "more than one report: $(cat "$work/report.err")"
quit_reporting

step="no Japanese font"
printf '<?xml version="1.0"?>\n<!DOCTYPE fontconfig SYSTEM "fonts.dtd">\n<fontconfig><cachedir>%s</cachedir></fontconfig>\n' \
    "$work" >"$work/nofonts.conf"
run_reporting FONTCONFIG_FILE="$work/nofonts.conf"
expect_report "no Japanese font" 1003
quit_reporting

if ((failures)); then
    echo "$failures check(s) failed; all output in $work" >&2
    exit 1
fi
echo "PASS: placed, restored, handed over and reported as a user expects"
