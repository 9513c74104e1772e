#!/bin/sh
# Rebuilds the program icon and the help pictures in assets/ from the program's own code.
#   tools/mkassets/run.sh          render assets/
#   tools/mkassets/run.sh shot     also show the help window under Xvfb and save docs/help.png
set -eu
here=$(cd "$(dirname "$0")" && pwd)
top=$(cd "$here/../.." && pwd)
build=${MKASSETS_BUILD:-${TMPDIR:-/tmp}/mq-mkassets}

cmake -S "$top" -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target mkassets -j2
QT_QPA_PLATFORM=offscreen "$build/tools/mkassets/mkassets" "$top/assets"
echo "written: $top/assets"

if [ "${1:-}" = shot ]; then
    # The resource library picks up the new pictures before the window is shown.
    cmake --build "$build" --target helpshot -j2
    mkdir -p "$top/docs"
    xvfb-run -a -s "-screen 0 1280x1024x24" "$build/tools/mkassets/helpshot" "$top/docs/help.png"
    echo "written: $top/docs/help.png"
fi
