#!/usr/bin/env bash
# Kills a program that keeps saving NAME.txt, at a random moment, again and again, and
# checks after each kill that NAME.txt is whole: byte for byte the one profile or the
# other, never a mixture, a truncation or nothing. Also counts the temporary files a
# killed save leaves behind and checks that a save after them still works.
#
#   tests/crash/run.sh CRASH_WRITER [TRIALS]
set -euo pipefail
writer=${1:?usage: run.sh CRASH_WRITER [TRIALS]}
trials=${2:-200}

work=$(mktemp -d)
child=
cleanup() {
    [[ -n $child ]] && kill -9 "$child" 2>/dev/null && wait "$child" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

mkdir "$work/expected" "$work/dir"
"$writer" expect "$work/expected"
a=$work/expected/A.txt
b=$work/expected/B.txt
cmp -s "$a" "$b" && { echo "FAIL: A and B are the same file" >&2; exit 1; }
echo "profile A: $(stat -c %s "$a") bytes, profile B: $(stat -c %s "$b") bytes"
"$writer" once "$work/dir"

leftovers() { find "$work/dir" -mindepth 1 ! -name NAME.txt | wc -l; }

seen_a=0 seen_b=0 max_new=0 failures=0
for ((i = 1; i <= trials; ++i)); do
    before=$(leftovers)
    "$writer" loop "$work/dir" &
    child=$!
    sleep "0.$(printf '%03d' $((RANDOM % 51)))"
    kill -9 "$child"
    wait "$child" 2>/dev/null || true
    child=
    name=$work/dir/NAME.txt
    if cmp -s "$name" "$a"; then
        seen_a=$((seen_a + 1))
    elif cmp -s "$name" "$b"; then
        seen_b=$((seen_b + 1))
    else
        echo "FAIL: trial $i: NAME.txt is neither A nor B ($(stat -c %s "$name" 2>/dev/null || echo missing) bytes)" >&2
        failures=$((failures + 1))
    fi
    new=$(($(leftovers) - before))
    ((new > max_new)) && max_new=$new
    if ((new > 1)); then
        echo "FAIL: trial $i left $new files beside NAME.txt; one save in flight leaves at most one" >&2
        failures=$((failures + 1))
    fi
done

left=$(leftovers)
echo "$trials kills: NAME.txt was A $seen_a times, B $seen_b times, damaged $failures times"
echo "files left beside NAME.txt by killed saves: $left (at most $max_new from one kill)"
if ((left > 0)); then
    modes=$(find "$work/dir" -mindepth 1 ! -name NAME.txt -printf '%m\n' | sort -u | tr '\n' ' ')
    echo "  named like $(find "$work/dir" -mindepth 1 ! -name NAME.txt -printf '%f\n' | head -1), modes: $modes"
    if [[ $modes != "600 " ]]; then
        echo "FAIL: a left-over file is readable by others" >&2
        failures=$((failures + 1))
    fi
fi
# A kill leaves its temporary file; the next save must not mind it.
"$writer" once "$work/dir"
if ! cmp -s "$work/dir/NAME.txt" "$a"; then
    echo "FAIL: a save beside the left-over files did not give A" >&2
    failures=$((failures + 1))
fi
if ((seen_a == 0 || seen_b == 0)); then
    echo "FAIL: the kills never caught one of the two profiles; the loop may not be saving" >&2
    failures=$((failures + 1))
fi
echo "$((trials - failures > 0 ? trials - failures : 0)) passed, $failures failed"
((failures == 0))
