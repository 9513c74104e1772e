#!/usr/bin/env bash
# Start-up of the program as a user starts it, against a bare window of ours, on a private
# Xvfb with no window manager: time from exec to the first window mapped and painted, and
# resident memory once it shows. Runs are alternated, each round starting one program
# further along, after one warm-up run of the program and of the reference.
#
#   bench/startup/run.sh [--variants] [RUNS] [BUILD_DIR]
# --variants also times the program with other inputs: blank (NAME.txt of 57 empty
# values), nohint and fullhint (fontconfig's hinting); the environment variable
# VARIANTS="blank ..." picks some of them. RESULTS=file keeps every run's figures.
set -euo pipefail
variants=0
if [[ ${1:-} == --variants ]]; then
    variants=1
    shift
fi
top=$(cd "$(dirname "$0")/../.." && pwd)
runs=${1:-30}
build=${2:-$top/build-bench}
settle_ms=500
((runs >= 1)) || { echo "usage: run.sh [RUNS] [BUILD_DIR]" >&2; exit 2; }

bash "$top/scripts/deps.sh" build test bench
cmake -S "$top" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j2 --target mq startup_reference xwatch >/dev/null

work=$(mktemp -d)
xvfb_pid=
cleanup() {
    if [[ -n $xvfb_pid ]]; then
        kill "$xvfb_pid" 2>/dev/null || true
        wait "$xvfb_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

# The program beside its NAME.txt, as installed by hand; a browser that is there and
# returns at once, so the launch costs what the program does and not what a browser does.
mkdir "$work/app" "$work/blank" "$work/bin" "$work/runtime"
chmod 700 "$work/runtime"
cp "$build/mq" "$build/bench/startup_reference" "$work/app/"
cp "$top/tests/data/sample_NAME.txt" "$work/app/NAME.txt"
cp "$build/mq" "$work/blank/"
{ printf '0\r\n'; for _ in $(seq 57); do printf '\r\n'; done; } >"$work/blank/NAME.txt"
# Fontconfig as the desktop has it, with the hinting of the variant on top.
for style in none full; do
    cat >"$work/hint$style.conf" <<CONF
<?xml version="1.0"?>
<!DOCTYPE fontconfig SYSTEM "fonts.dtd">
<fontconfig>
  <include ignore_missing="yes">/etc/fonts/fonts.conf</include>
  <match target="font"><edit name="hintstyle" mode="assign"><const>hint$style</const></edit></match>
</fontconfig>
CONF
done
printf '#!/bin/sh\nexit 0\n' >"$work/bin/xdg-open"
chmod +x "$work/bin/xdg-open"

Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 200); do
    [[ -s $work/display ]] && break
    sleep 0.05
done
[[ -s $work/display ]] || { echo "FAIL: Xvfb did not start" >&2; cat "$work/xvfb.log" >&2; exit 1; }

export DISPLAY=":$(cat "$work/display")"
export PATH="$work/bin:$PATH"
export XDG_RUNTIME_DIR="$work/runtime"
unset SESSION_MANAGER DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORM

watch() {
    local out
    out=$("$build/bench/xwatch" "$settle_ms" "$work/$1" "${@:2}" 2>>"$work/stderr.log") \
        || { echo "FAIL: $* did not show a painted window:" >&2; cat "$work/stderr.log" >&2; exit 1; }
    echo "$out"
}

watch app/mq >/dev/null
watch app/startup_reference >/dev/null
# Which program runs after which shifts a run by up to a millisecond, so each round starts
# one further along the list.
programs=(mq ref)
if ((variants)); then
    read -r -a chosen <<<"${VARIANTS:-blank nohint fullhint}"
    programs+=("${chosen[@]}")
fi
for ((i = 0; i < runs; ++i)); do
    for ((k = 0; k < ${#programs[@]}; ++k)); do
        who=${programs[(i + k) % ${#programs[@]}]}
        case $who in
            mq) line=$(watch app/mq) ;;
            ref) line=$(watch app/startup_reference) ;;
            blank) line=$(watch blank/mq) ;;
            nohint) line=$(FONTCONFIG_FILE=$work/hintnone.conf watch app/mq) ;;
            fullhint) line=$(FONTCONFIG_FILE=$work/hintfull.conf watch app/mq) ;;
            *) echo "unknown variant $who" >&2; exit 2 ;;
        esac
        echo "$who $line $i" >>"$work/results"
    done
done

[[ -z ${RESULTS:-} ]] || cp "$work/results" "$RESULTS"
# Fields: who map_ms paint_ms rss_at_paint_kb rss_settled_kb round
middle() { sort -g | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
median() { awk -v who="$1" -v col="$2" '$1 == who { print $(col + 1) }' "$work/results" | middle; }
# The machine's speed drifts over a run; a program against the reference of its own round
# is steadier than the ratio of the two medians.
paired() { awk -v who="$1" -v col="$2" '$1 == "ref" { r[$6] = $(col + 1) } $1 == who { m[$6] = $(col + 1) }
    END { for (i in m) if (i in r) print m[i] / r[i] }' "$work/results" | middle; }

echo "start-up: $runs runs each, alternated in rotating order, medians (settle ${settle_ms} ms before the second RSS reading)"
printf '%-26s %12s %12s %8s %8s\n' "" mq reference ratio paired
for column in "1 exec to map (ms)" "2 exec to painted (ms)" "3 RSS at paint (KiB)" "4 RSS settled (KiB)"; do
    col=${column%% *}
    name=${column#* }
    m=$(median mq "$col")
    r=$(median ref "$col")
    printf '%-26s %12s %12s %8.3f %8.3f\n' "$name" "$m" "$r" "$(awk -v m="$m" -v r="$r" 'BEGIN { print m / r }')" \
        "$(paired mq "$col")"
done

if ((variants)); then
    echo
    echo "variants of the program (medians, ms from exec to painted; RSS settled KiB):"
    printf '%-16s %10s %8s %8s %10s\n' variant painted ratio paired rss
    r=$(median ref 2)
    for v in "${chosen[@]}"; do
        m=$(median "$v" 2)
        printf '%-16s %10s %8.3f %8.3f %10s\n' "$v" "$m" "$(awk -v m="$m" -v r="$r" 'BEGIN { print m / r }')" \
            "$(paired "$v" 2)" "$(median "$v" 4)"
    done
fi
if [[ -s $work/stderr.log ]] && grep -v 'XDG_RUNTIME_DIR' "$work/stderr.log" | grep -q .; then
    echo
    echo "messages from the runs:"
    sort "$work/stderr.log" | uniq -c | head -20
fi
