#!/usr/bin/env bash
# Builds the screenshot tool and pictures the windows with the sample profile: the
# palette alone (docs/palette.png) and beside the editor (docs/editor.png); SCALE=2 makes
# them at twice the size, as a screen at 2x shows them (palette@2x.png, editor@2x.png).
#   run.sh [OUT_DIR]   (default docs/)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$top/docs}
build=${TMPDIR:-/tmp}/mq-screens-build
cmake -S "$top" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target screens
scale=${SCALE:-1}
suffix=
((scale == 1)) || suffix="@${scale}x"
screen="-screen 0 $((1024 * scale))x$((768 * scale))x24"
for mode in palette editor; do
    QT_SCALE_FACTOR=$scale QT_QPA_PLATFORM=xcb xvfb-run -a -s "$screen" "$build/tools/screens/screens" "$out/$mode$suffix.png" $mode
    echo "wrote $out/$mode$suffix.png"
done
