#!/usr/bin/env bash
# The real program as a screen reader meets it: a private session bus with the desktop's
# accessibility bus on it, a screen reader announced there as Orca announces itself, and
# screenreader.py reading the windows over AT-SPI.
#
#   screenreader.sh MQ WORK_PARENT
set -u
if (($# != 2)); then
    echo "usage: screenreader.sh MQ WORK_PARENT" >&2
    exit 2
fi
mq=$1
here=$(cd "$(dirname "$0")" && pwd)
# shellcheck source=xsession.bash
source "$here/xsession.bash"
x11_need Xvfb dbus-daemon
launcher=/usr/libexec/at-spi-bus-launcher
# The Python that Debian's pyatspi is installed for, whatever else is first on the path.
python=/usr/bin/python3
if [[ ! -x $launcher ]] || ! "$python" -c 'import pyatspi' 2>/dev/null; then
    echo "SKIP: AT-SPI not installed (Debian packages: at-spi2-core, python3-pyatspi)" >&2
    exit 77
fi

work=$2/screenreader-run
rm -rf "$work"
mkdir -p "$work/bin" "$work/profile" || exit 1
trap x11_cleanup EXIT
x11_start_xvfb "$work" || exit 1

dbus-daemon --session --nofork --address="unix:path=$XDG_RUNTIME_DIR/bus" >"$work/bus.log" 2>&1 &
x11_pids+=($!)
x11_wait_file "$XDG_RUNTIME_DIR/bus" 10 || die "the session bus did not start: $(cat "$work/bus.log")"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$XDG_RUNTIME_DIR/bus
# The accessibility bus is started by the session bus when first asked for, as on a
# desktop: by the announcement.
"$python" "$here/screenreader.py" announce >"$work/announce.log" 2>&1 ||
    die "no screen reader could be announced: $(cat "$work/announce.log")"

printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"
export PATH="$work/bin:$PATH"
profile=$work/profile/NAME.txt
cp "$here/../data/sample_NAME.txt" "$profile"

"$mq" --profile "$profile" >"$work/mq.log" 2>&1 &
x11_pids+=($!)
"$python" "$here/screenreader.py" read "$profile" || fail "see above"
x11_finish "every box, entry and button read by its name over AT-SPI"
