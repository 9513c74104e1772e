#!/usr/bin/env bash
# The program as a user has it once installed: `cmake --install` into a temporary prefix,
# then the installed program run with a HOME of its own on a private Xvfb with openbox.
# The first start finds no NAME.txt (53); 内容更新 makes it in the data folder, 0600 in a
# folder of 0700; the next start shows the values (a drag carries the typed one).
#
#   install.sh BUILD_DIR DROP_TARGET WORK_PARENT
set -u
if (($# != 3)); then
    echo "usage: install.sh BUILD_DIR DROP_TARGET WORK_PARENT" >&2
    exit 2
fi
build=$1 target=$2
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=../x11/xsession.bash
source "$here/../x11/xsession.bash"
x11_need Xvfb xdotool xprop openbox

work=$3/install-run
rm -rf "$work"
mkdir -p "$work/bin" "$work/home" "$work/drops" || exit 1
trap x11_cleanup EXIT

step="install"
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1 || die "cmake --install failed: $(tail -5 "$work/install.log")"
id=$(sed -n 's/^Icon=//p' "$prefix"/share/applications/*.desktop)
for f in bin/mq "share/applications/$id.desktop" "share/metainfo/$id.metainfo.xml" share/man/man1/mq.1.gz \
    "share/icons/hicolor/48x48/apps/$id.png" "share/icons/hicolor/256x256/apps/$id.png" share/doc/mq/copyright; do
    [[ -e $prefix/$f ]] || fail "not installed: $f"
done
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$id.desktop" && ok "the desktop entry is valid" ||
        fail "desktop-file-validate refused the desktop entry"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$prefix/share/metainfo/$id.metainfo.xml" >"$work/appstream.log" 2>&1 &&
        ok "the AppStream data is valid" || fail "appstreamcli: $(cat "$work/appstream.log")"
fi
"$prefix/bin/mq" --version | grep -qx 'mq [0-9]*\.[0-9]*\.[0-9]*' && ok "mq --version" || fail "mq --version printed no version"

x11_start_xvfb "$work" || exit 1
x11_start_openbox "$work" || exit 1
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH" HOME=$work/home
unset XDG_DATA_HOME XDG_CONFIG_HOME
data=$HOME/.local/share/mq

start() {
    (cd / && exec "$prefix/bin/mq") >/dev/null 2>"$work/$1.err" &
    mq_pid=$!
    x11_pids+=("$mq_pid")
}
stop() { x11_quit_palette "$mq_pid" || fail "the palette did not close"; }

step="first start"
start first
box=$(x11_window 'ＶＢエラー') || die "the first start showed no report"
for _ in $(seq 100); do grep -q 'エラーコード＝53】' "$work/first.err" && break; sleep 0.05; done
grep -q 'エラーコード＝53】' "$work/first.err" && ok "the first start reports 53" ||
    fail "the first start reported: $(cat "$work/first.err")"
x11_dismiss "$box" || die "the report box would not close"
palette=$(x11_window 'ＭＱ \(β1\.0\.0\)') || die "no palette after the report"
[[ -e $data ]] && fail "the data folder was made before anything was saved"

step="first save"
sleep 0.5
xdotool mousemove --window "$palette" 28 8 click 1
editor=$(x11_window '内容変更') || die "内容変更 opened no editor"
sleep 0.5
# The focus is in the kanji family name, whose design text is selected for typing over.
xdotool key --window "$editor" ctrl+a
xdotool type --window "$editor" --delay 20 'YAMADA'
xdotool mousemove --window "$editor" 72 408 click 1
for _ in $(seq 100); do [[ -s $data/NAME.txt ]] && break; sleep 0.05; done
[[ -s $data/NAME.txt ]] || die "内容更新 made no $data/NAME.txt (stderr: $(cat "$work/first.err"))"
[[ $(stat -c %a "$data") == 700 ]] && ok "the data folder is 0700" || fail "the data folder is $(stat -c %a "$data")"
[[ $(stat -c %a "$data/NAME.txt") == 600 ]] && ok "NAME.txt is 0600" || fail "NAME.txt is $(stat -c %a "$data/NAME.txt")"
[[ $(sed -n 3p "$data/NAME.txt" | tr -d '\r') == YAMADA ]] && ok "NAME.txt holds what was typed" ||
    fail "line 3 of NAME.txt is $(sed -n 3p "$data/NAME.txt" | od -c | head -2)"
[[ -e $prefix/bin/NAME.txt ]] && fail "a NAME.txt was put beside the installed program"
stop

step="next start"
start next
palette=$(x11_window 'ＭＱ \(β1\.0\.0\)') || die "no palette at the next start"
sleep 1
[[ -n $(xdotool search --name '^ＶＢエラー$' 2>/dev/null) ]] && fail "the next start showed a report: $(cat "$work/next.err")"
grep -q 'エラーコード' "$work/next.err" && fail "the next start reported: $(cat "$work/next.err")"
# A drag from the family name's box (slot 1, the left box of the second row) into a target.
"$target" --out "$work/drops" --pos 400 200 --size 300 200 >/dev/null 2>"$work/target.err" &
x11_pids+=($!)
x11_wait_file "$work/drops/target.geom" 20 || die "the drop target did not show"
read -r _ tx ty tw th <"$work/drops/target.geom"
read -r px py < <(xdotool getwindowgeometry --shell "$palette" | awk -F= '/^X=/ { x = $2 } /^Y=/ { y = $2 } END { print x, y }')
xdotool mousemove --window "$palette" 28 41 sleep 0.3 mousedown 1 sleep 0.3
for i in $(seq 10); do
    xdotool mousemove $((px + 28 + (tx + tw / 2 - px - 28) * i / 10)) $((py + 41 + (ty + th / 2 - py - 41) * i / 10))
    sleep 0.05
done
for d in 3 -3 2 -2 1 0; do xdotool mousemove $((tx + tw / 2 + d)) $((ty + th / 2 + d)); sleep 0.1; done
sleep 0.3
xdotool mouseup 1
x11_wait_file "$work/drops/drop-1" 10 || die "no drop arrived"
sleep 0.5
[[ $(cat "$work/drops/drop-1/text") == YAMADA ]] && ok "the next start shows the saved values" ||
    fail "the drop carried [$(cat "$work/drops/drop-1/text")]"
stop

x11_finish "installed, NAME.txt made in the data folder and read again"
