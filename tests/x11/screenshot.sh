#!/usr/bin/env bash
# Pictures the palette filled with the sample profile, on a private Xvfb (no window
# manager, so the picture is the client area alone).
#
#   screenshot.sh PALETTE_HOST OUT.png
set -u
if (($# != 2)); then
    echo "usage: screenshot.sh PALETTE_HOST OUT.png" >&2
    exit 2
fi
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xsession.bash
source "$here/xsession.bash"
x11_need Xvfb import

work=$(mktemp -d)
trap 'x11_cleanup; rm -rf "$work"' EXIT
mkdir "$work/palette"
x11_start_xvfb "$work" || exit 1
"$1" --write-sample "$work/values.txt" || exit 1
"$1" --out "$work/palette" --values "$work/values.txt" --pos 0 0 2>"$work/palette.err" &
x11_pids+=($!)
x11_wait_file "$work/palette/palette.geom" 20 || { echo "FAIL: the palette did not show" >&2; exit 1; }
sleep 1
read -r _ x y w h <"$work/palette/palette.geom"
timeout 20 import -window root -crop "${w}x${h}+${x}+${y}" +repage "$2" || { echo "FAIL: import failed" >&2; exit 1; }
echo "wrote $2 (${w}x${h})"
