#!/usr/bin/env bash
# Real drags from the palette into another process on a headless Wayland compositor (sway),
# both running as native Wayland clients; the pointer is a virtual one of our own
# (wlpointer). Several drags in a row, since that is where drags through XWayland fail.
#
#   drag.sh PALETTE_HOST DROP_TARGET WLPOINTER WORK_PARENT
#
# sway refuses to run as root: as root, everything runs as the user nobody.
set -u
if (($# != 4)); then
    echo "usage: drag.sh PALETTE_HOST DROP_TARGET WLPOINTER WORK_PARENT" >&2
    exit 2
fi
host=$1 target=$2 pointer=$3
skip() { echo "SKIP: $*" >&2; exit 77; }
command -v sway >/dev/null || skip "no Wayland compositor to test with (Debian package: sway)"
[[ -x $pointer ]] || skip "wlpointer was not built (Debian package: libwayland-dev)"
ls /usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so >/dev/null 2>&1 ||
    skip "Qt's Wayland platform is not installed (Debian package: qt6-wayland)"

work=$4/wayland-drag-run
rm -rf "$work"
mkdir -p "$work/palette" "$work/drops" "$work/runtime" "$work/home" || exit 1
as_user=()
if (($(id -u) == 0)); then
    command -v setpriv >/dev/null || skip "running as root without setpriv to become another user"
    chown -R nobody:nogroup "$work"
    as_user=(setpriv --reuid=nobody --regid=nogroup --clear-groups)
    for f in "$host" "$target" "$pointer"; do
        "${as_user[@]}" test -x "$f" || skip "the user nobody cannot run $f (a folder on its way is not open to others)"
    done
fi
chmod 700 "$work/runtime"
run() { "${as_user[@]}" env -i HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime" PATH=/usr/bin:/bin "$@"; }

pids=()
cleanup() {
    local pid
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
}
trap cleanup EXIT
failures=0
fail() { echo "FAIL${step:+ ($step)}: $*" >&2; failures=$((failures + 1)); }
die() { fail "$@"; echo "(all output in $work)" >&2; exit 1; }

cat >"$work/sway.conf" <<'CONF'
output HEADLESS-1 resolution 1280x1024 position 0 0
xwayland disable
default_border none
default_floating_border none
focus_follows_mouse no
for_window [app_id="palette_host"] floating enable, move position 0 0
for_window [app_id="drop_target"] floating enable, move position 600 300
CONF
chmod 644 "$work/sway.conf"
run WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$work/sway.conf" >"$work/sway.log" 2>&1 &
pids+=($!)
socket=
for _ in $(seq 100); do
    socket=$(cd "$work/runtime" 2>/dev/null && ls wayland-* 2>/dev/null | grep -v lock | head -1)
    [[ -n $socket ]] && break
    sleep 0.05
done
[[ -n $socket ]] || die "sway did not start: $(tail -5 "$work/sway.log")"
client() { run WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland "$@"; }

values=$work/values.txt
"$host" --write-sample "$values" || exit 1
set_value() { # slot, escaped text
    awk -v n=$(($1 + 1)) -v v="$2" 'NR == n { print v; next } { print }' "$values" >"$values.tmp" && mv "$values.tmp" "$values"
}
set_value 51 '山田太郎\\n2行目'
set_value 19 '東京都千代田区千代田一丁目一番一号　架空マンション１２３４号室'
set_value 26 ''
chmod 644 "$values"

client "$host" --out "$work/palette" --values "$values" >"$work/palette.log" 2>&1 &
pids+=($!)
client "$target" --out "$work/drops" --size 400 300 >"$work/target.log" 2>&1 &
pids+=($!)
for f in palette/palette.geom drops/target.geom; do
    for _ in $(seq 200); do [[ -e $work/$f ]] && break; sleep 0.05; done
    [[ -e $work/$f ]] || die "no window reported $f: $(tail -3 "$work/palette.log" "$work/target.log")"
done
sleep 0.5

# The palette's window is at 0, 0: its own coordinates are the screen's.
box_centre() { awk -v i="$1" '$1 == "box" && $2 == i { print $3 - '"$(awk '$1 == "window" { print $2 }' "$work/palette/palette.geom")"' + int($5 / 2), $4 - '"$(awk '$1 == "window" { print $3 }' "$work/palette/palette.geom")"' + int($6 / 2) }' "$work/palette/palette.geom"; }
drag_commands() { # button x y
    local fx fy tx=800 ty=450 i d
    read -r fx fy <<<"$(box_centre "$2")"
    echo "move $fx $fy"; echo "sleep 300"; echo "down $1"; echo "sleep 300"
    for ((i = 1; i <= 10; ++i)); do echo "move $((fx + (tx - fx) * i / 10)) $((fy + (ty - fy) * i / 10))"; echo "sleep 50"; done
    for d in 3 -3 2 -2 1 0; do echo "move $((tx + d)) $((ty + d))"; echo "sleep 100"; done
    echo "sleep 300"; echo "up $1"; echo "sleep 800"
}
left=272 right=273 middle=274
drags=("$left 0 山田太郎" "$left 51 山田太郎\n2行目" "$left 19 東京都千代田区千代田一丁目一番一号　架空マンション１２３４号室"
    "$left 26 " "$right 1 山田" "$middle 2 太郎" "$left 12 TARO YAMADA" "$left 0 山田太郎")
{
    for d in "${drags[@]}"; do
        read -r button slot _ <<<"$d"
        drag_commands "$button" "$slot"
    done
} | run WAYLAND_DISPLAY="$socket" "$pointer" 1280 1024 >"$work/pointer.out" 2>"$work/pointer.err" ||
    die "wlpointer failed: $(cat "$work/pointer.err")"

n=0
for d in "${drags[@]}"; do
    n=$((n + 1))
    read -r button slot text <<<"$d"
    step="drag $n, box $slot"
    dir=$work/drops/drop-$n
    [[ -d $dir ]] || { fail "no drop arrived"; continue; }
    printf '%b' "$text" >"$work/expect-$n"
    cmp -s "$dir/text" "$work/expect-$n" || fail "got [$(cat "$dir/text")], want [$(cat "$work/expect-$n")]"
    grep -qx 'final copy' "$dir/actions" || fail "the drop ended as $(tail -1 "$dir/actions")"
    ((failures)) || echo "ok: $step"
done
[[ -d $work/drops/drop-$((n + 1)) ]] && fail "more drops than drags"

if ((failures)); then
    echo "$failures check(s) failed; all output in $work" >&2
    exit 1
fi
echo "PASS: $n drags in a row on Wayland carried their text, copied"
