#!/usr/bin/env bash
# Start-up of the program as a user starts it, against a bare Qt program that shows one
# QLabel with Qt's own look and fonts, on a private Xvfb with no window manager. Timed from
# outside by paintwait: from exec until the first window is mapped, and until the damage
# it has reported since its creation covers the whole window (the last painted pixel);
# then resident memory once idle. Program and reference are run in turn, after one
# warm-up run each, at every scale factor asked for.
#
#   bench/startup/run.sh [--variants] [RUNS] [BUILD_DIR]
# RUNS defaults to 31. SCALES="1 2" (the default) sets the QT_SCALE_FACTORs timed.
# --variants also times the program with a NAME.txt of 57 empty values (`blank`), which
# tells what the values' text costs, and the reference in a window of the palette's size
# (`tall`), which tells what such a window costs by itself. OTHER=path/to/mq adds another
# build of the program (`other`), to tell two builds apart. RESULTS=file keeps every
# run's figures.
set -euo pipefail
variants=0
if [[ ${1:-} == --variants ]]; then
    variants=1
    shift
fi
top=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-31}
build=${2:-$top/build-bench}
read -r -a scales <<<"${SCALES:-1 2}"
settle_ms=500
timeout_ms=30000
((runs >= 1)) || { echo "usage: run.sh [--variants] [RUNS] [BUILD_DIR]" >&2; exit 2; }

bash "$top/scripts/deps.sh" build test bench
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DMQ_TESTS=ON >/dev/null
cmake --build "$build" -j2 --target mq startup_reference paintwait >/dev/null

work=$(mktemp -d)
# The runtime folder on tmpfs, as /run/user/UID is: the one-copy lock syncs its file, which
# costs milliseconds on a disk and nothing on tmpfs.
runtime=$(mktemp -d -p /dev/shm mq-bench-runtime.XXXXXX)
xvfb_pid=
bus_pid=
cleanup() {
    for pid in $bus_pid $xvfb_pid; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    rm -rf "$work" "$runtime"
}
trap cleanup EXIT
chmod 700 "$runtime"

# The program beside its NAME.txt, as installed by hand; a browser that is there and
# returns at once, so the launch costs what the program does and not what a browser does.
mkdir "$work/app" "$work/blank" "$work/bin"
cp "$build/mq" "$build/bench/startup_reference" "$work/app/"
cp "$top/tests/data/sample_NAME.txt" "$work/app/NAME.txt"
cp "$build/mq" "$work/blank/"
if [[ -n ${OTHER:-} ]]; then
    mkdir "$work/other"
    cp "$OTHER" "$work/other/mq"
    cp "$top/tests/data/sample_NAME.txt" "$work/other/NAME.txt"
fi
{ printf '0\r\n'; for _ in $(seq 57); do printf '\r\n'; done; } >"$work/blank/NAME.txt"
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

# Waits up to 10 s for a server to be there: await NAME LOG TEST PATH (TEST: -s, -S ...).
await() {
    local name=$1 log=$2 test=$3 path=$4
    for _ in $(seq 200); do
        test "$test" "$path" && return 0
        sleep 0.05
    done
    echo "FAIL: $name did not start" >&2
    cat "$log" >&2
    exit 1
}

# Tall enough for the palette (114 x 547) at twice its size. Without -noreset the server
# would reset whenever the last client left, after every run: it forks to compile its
# keymap again, and each page of the screen a window is then drawn on is copied on first
# write: a cost of the window's size that a running desktop does not have, about 7 ms for
# the palette at scale 1 and 17 ms at scale 2 on a virtual machine where a page fault
# costs 12 us.
Xvfb -displayfd 3 -screen 0 1280x1440x24 -nolisten tcp -noreset 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
await Xvfb "$work/xvfb.log" -s "$work/display"

export DISPLAY=":$(cat "$work/display")"
export PATH="$work/bin:$PATH"
export XDG_RUNTIME_DIR="$runtime"
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS \
    QT_AUTO_SCREEN_SCALE_FACTOR QT_ENABLE_HIGHDPI_SCALING QT_FONT_DPI

# A session bus where a desktop session has it, $XDG_RUNTIME_DIR/bus: Qt's accessibility
# asks it at the first widget, and without one libdbus forks the whole program to try to
# launch one.
dbus-daemon --session --address="unix:path=$runtime/bus" --nofork --nopidfile >"$work/bus.log" 2>&1 &
bus_pid=$!
await dbus-daemon "$work/bus.log" -S "$runtime/bus"

# Prints "map_ms paint_ms rss_kb" of one run of the program in $work/$1, given the rest.
watch() {
    local out
    out=$("$build/bench/paintwait" "$timeout_ms" "$settle_ms" -- "$work/$1" "${@:2}" 2>>"$work/stderr.log") \
        || { echo "FAIL: $1 did not show a painted window:" >&2; cat "$work/stderr.log" >&2; exit 1; }
    [[ $out =~ map_ms=([0-9.]+)\ paint_ms=([0-9.]+)\ rss_kb=([0-9]+) ]] \
        || { echo "FAIL: paintwait said: $out" >&2; exit 1; }
    echo "${BASH_REMATCH[1]} ${BASH_REMATCH[2]} ${BASH_REMATCH[3]}"
}
run() {
    case $1 in
        mq) watch app/mq ;;
        ref) watch app/startup_reference ;;
        blank) watch blank/mq ;;
        tall) watch app/startup_reference 114x547 ;;
        other) watch other/mq ;;
        *) echo "unknown program $1" >&2; exit 2 ;;
    esac
}

programs=(mq ref)
((variants)) && programs+=(blank tall)
[[ -z ${OTHER:-} ]] || programs+=(other)
for scale in "${scales[@]}"; do
    export QT_SCALE_FACTOR=$scale
    for who in "${programs[@]}"; do
        run "$who" >/dev/null
    done
    # Two programs simply take turns. With more, each round starts one further along the
    # list: which program runs after which shifts a run by up to a millisecond.
    for ((i = 0; i < runs; ++i)); do
        for ((k = 0; k < ${#programs[@]}; ++k)); do
            who=${programs[(k + (${#programs[@]} > 2 ? i : 0)) % ${#programs[@]}]}
            echo "$scale $who $(run "$who") $i" >>"$work/results"
        done
    done
done
unset QT_SCALE_FACTOR

[[ -z ${RESULTS:-} ]] || cp "$work/results" "$RESULTS"
# Fields: scale who map_ms paint_ms rss_kb round
# The median and the quartiles of a column of numbers.
spread() { sort -g | awk '{ v[NR] = $1 }
    function at(q,  p, i) { p = 1 + q * (NR - 1); i = int(p); return v[i] + (p - i) * (v[i + 1] - v[i]) }
    END { printf "%g %g %g\n", at(0.5), at(0.25), at(0.75) }'; }
column() { awk -v s="$1" -v who="$2" -v col="$3" '$1 == s && $2 == who { print $(col + 2) }' "$work/results"; }
# The machine's speed drifts over a run: each run against the reference run of its own
# round is steadier than the ratio of two medians.
paired() { awk -v s="$1" -v who="$2" -v col="$3" '$1 == s && $2 == "ref" { r[$6] = $(col + 2) }
    $1 == s && $2 == who { m[$6] = $(col + 2) } END { for (i in m) if (i in r) print m[i] / r[i] }' "$work/results"; }

echo "start-up: $runs runs of each, in turn; medians [quartiles]; RSS ${settle_ms} ms after the last paint"
for scale in "${scales[@]}"; do
    echo
    echo "QT_SCALE_FACTOR=$scale"
    printf '%-8s %-24s %-24s %-22s\n' "" "exec to map (ms)" "exec to painted (ms)" "RSS (KiB)"
    for who in "${programs[@]}"; do
        line=$(printf '%-8s' "$who")
        for col in 1 2 3; do
            read -r med lo hi < <(column "$scale" "$who" "$col" | spread)
            line+=$(printf ' %-24s' "$med [$lo, $hi]")
        done
        echo "$line"
    done
    for who in "${programs[@]}"; do
        [[ $who == ref ]] && continue
        ratio=$(printf '%-8s' "$who/ref")
        pairs=$(printf '%-8s' paired)
        for col in 1 2 3; do
            m=$(column "$scale" "$who" "$col" | spread | cut -d' ' -f1)
            r=$(column "$scale" ref "$col" | spread | cut -d' ' -f1)
            ratio+=$(printf ' %-24s' "$(awk -v m="$m" -v r="$r" 'BEGIN { printf "%.3f", m / r }')")
            read -r med lo hi < <(paired "$scale" "$who" "$col" | spread)
            pairs+=$(printf ' %-24s' "$(printf '%.3f [%.3f, %.3f]' "$med" "$lo" "$hi")")
        done
        echo "$ratio"
        echo "$pairs"
    done
done
echo
echo "ratio: of the medians; paired: median [quartiles] of each run against the reference of its round"
if [[ -s $work/stderr.log ]]; then
    echo
    echo "messages from the runs:"
    sort "$work/stderr.log" | uniq -c | head -20
fi
