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

x11_start_xvfb "$work" || exit 1
x11_start_openbox "$work" || exit 1
read -r screen_w screen_h < <(xwininfo -root | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')

# A browser that opens at once, unless told otherwise.
printf '#!/bin/sh\nexit "${XDG_OPEN_STATUS:-0}"\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
profile=$work/profile/NAME.txt
cp "$here/../data/sample_NAME.txt" "$profile"

# The frame of a window: "x y w h".
frame() {
    local x y w h l r t b
    read -r x y < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $4 } /Absolute upper-left Y/ { y = $4 } END { print x, y }')
    read -r w h < <(xwininfo -id "$1" | awk '/Width:/ { w = $2 } /Height:/ { h = $2 } END { print w, h }')
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed 's/.*= //; s/,//g')
    echo "$((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))"
}
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
palette=$(x11_window 'ＭＱ \(β1\.0\.0\)') || die "no palette window"
sleep 0.5
read -r px py _ _ < <(frame "$palette")
((px == 0 && py == 0)) && ok "the palette's frame at the screen's top-left" || fail "the palette's frame is at $px,$py"
fixed "$palette" "the palette"

opens() { # x name title: clicks the palette's button at x, checks the window it opens
    local id
    click "$palette" "$1" 8
    id=$(x11_window "$3") || die "the button opened no $2"
    sleep 0.5
    centred "$id" "$2"
    fixed "$id" "$2"
    echo "$id" >"$work/$2.id"
}

step="editor"
opens 28 editor '内容変更'
editor=$(cat "$work/editor.id")
xdotool windowminimize "$editor"
x11_wait_state "$editor" Iconic || fail "the editor could not be minimised"
click "$palette" 28 8
x11_wait_state "$editor" Normal && ok "内容変更 restores a minimised editor" || fail "the editor stayed $(state "$editor")"
active() { for _ in $(seq 40); do [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]] && return 0; sleep 0.05; done; return 1; }
active "$editor" && ok "the editor has the focus" || fail "the editor is not the active window"
(($(xdotool search --name '^内容変更$' | wc -l) == 1)) || fail "more than one editor"

step="help"
opens 85 "help window" 'ヘルプ'

step="second start"
xdotool windowminimize "$palette"
x11_wait_state "$palette" Iconic || fail "the palette could not be minimised"
timeout 10 "$mq" --profile "$work/profile/../profile/NAME.txt" >"$work/second.out" 2>"$work/second.err"
rc=$?
((rc == 0)) && ok "a second start on the same profile leaves at once" || fail "the second start ended with $rc"
(($(xdotool search --name '^ＭＱ \(β1\.0\.0\)$' | wc -l) == 1)) && ok "still one palette" || fail "a second palette opened"
x11_wait_state "$palette" Normal && ok "the running palette came forward" || fail "the palette stayed $(state "$palette")"
[[ -s $work/second.err ]] && fail "the second start said: $(cat "$work/second.err")"

step="closing"
x11_quit_palette "$mq_pid" || fail "closing the palette did not end the program"
[[ -z $(xdotool search --name '^(内容変更|ヘルプ)$' 2>/dev/null) ]] || fail "a window outlived the palette"
[[ -s $work/mq.err ]] && fail "the program reported: $(cat "$work/mq.err")"
ok "closing the palette ends the program"

# Dismisses the one report box the program shows, and checks what it said on stderr.
expect_report() { # what number
    local box
    box=$(x11_window 'ＶＢエラー') || { fail "no report box for $1"; return; }
    x11_dismiss "$box" || fail "the report box would not close"
    for _ in $(seq 100); do grep -q "【エラーコード＝$2】" "$work/report.err" && break; sleep 0.05; done
    grep -q "【エラーコード＝$2】" "$work/report.err" && ok "$1: reported ($2)" ||
        fail "$1: no report $2 (stderr: $(cat "$work/report.err"))"
}
run_reporting() { # env...
    env "$@" "$mq" --profile "$profile" >/dev/null 2>"$work/report.err" &
    report_pid=$!
    x11_pids+=("$report_pid")
}
quit_reporting() { x11_quit_palette "$report_pid" || fail "the palette did not close"; }

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

x11_finish "placed, restored, handed over and reported as a user expects"
