#!/usr/bin/env bash
# No two files of the program include each other (the layers' direction the compiler
# already enforces: each layer's library has only the layers below it on its include path).
#   includes.sh SOURCE_DIR
set -u
top=$1
declare -A includes
files=$(cd "$top" && find profile windows app -name '*.h' -o -name '*.cpp' | sort)
for f in $files; do
    includes[$f]=$(sed -n 's/^#include "\([^"]*\)".*/\1/p' "$top/$f" | tr '\n' ' ')
done
# A quoted include names a header by its file name alone; file names are unique.
path_of() {
    local name=$1 f
    for f in $files; do
        [[ ${f##*/} == "$name" ]] && { echo "$f"; return; }
    done
}
failures=0
for f in $files; do
    for name in ${includes[$f]}; do
        other=$(path_of "$name")
        [[ -n $other && $other != "$f" ]] || continue
        base=${f##*/}
        [[ " ${includes[$other]} " == *" $base "* ]] && { echo "FAIL: $f and $other include each other"; failures=1; }
    done
done
dupes=$(for f in $files; do echo "${f##*/}"; done | sort | uniq -d)
[[ -z $dupes ]] || { echo "FAIL: file names used twice: $dupes"; failures=1; }
((failures)) && exit 1
echo "PASS: $(wc -w <<<"$files") files, none including each other"
