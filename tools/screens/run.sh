#!/usr/bin/env bash
# Builds the screenshot tool and pictures the palette with the editor beside it.
#   run.sh [out.png]   (default docs/editor.png)
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$top/docs/editor.png}
build=${TMPDIR:-/tmp}/mq-screens-build
cmake -S "$top" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target screens
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" "$build/tools/screens/screens" "$out"
echo "wrote $out"
