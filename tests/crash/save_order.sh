#!/usr/bin/env bash
# Watches one save over an existing NAME.txt with strace and checks that what is reported
# as saved is on the disk: the new file written in one write, synced, renamed over the old
# one, and then the folder synced, so that a power cut cannot bring the old file back.
#
#   tests/crash/save_order.sh CRASH_WRITER
# Exits 77 (skipped) where strace is missing or cannot trace.
set -euo pipefail
writer=${1:?usage: save_order.sh CRASH_WRITER}
command -v strace >/dev/null || { echo "SKIP: strace is not installed"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/dir"
"$writer" once "$work/dir"
strace -o "$work/log" -e trace=open,openat,creat,write,fsync,fdatasync,close,rename,renameat,renameat2 \
    "$writer" once "$work/dir" 2>"$work/err" || {
    if grep -q -i -E 'ptrace|operation not permitted' "$work/err"; then
        echo "SKIP: strace cannot trace here: $(head -1 "$work/err")"
        exit 77
    fi
    cat "$work/err" >&2
    exit 1
}
size=$(stat -c %s "$work/dir/NAME.txt")

# The calls from the new file's creation on, one per line: "call fd rest".
awk -v dir="$work/dir" -v size="$size" '
    function fail(msg) { print "FAIL: " msg; bad = 1; exit 1 }
    /^(open|openat|creat)\(.*NAME\.txt\.[A-Za-z0-9]+"/ { match($0, /= [0-9]+$/); tmpfd = substr($0, RSTART + 2) + 0; started = 1; next }
    !started { next }
    index($0, "\"" dir "\"") && /O_DIRECTORY/ { match($0, /= [0-9]+$/); dirfd = substr($0, RSTART + 2) + 0; next }
    $0 ~ "^write\\(" tmpfd "," { writes++; if ($NF != size) fail("a write of " $NF " bytes, not the whole file of " size); next }
    $0 ~ "^f(data)?sync\\(" tmpfd "\\)" { if (!writes) fail("synced before it was written"); filesync = 1; next }
    /^rename/ { if (!filesync) fail("renamed before the new file was synced"); renamed = 1; next }
    dirfd != "" && $0 ~ "^fsync\\(" dirfd "\\)" { if (!renamed) fail("folder synced before the rename"); dirsync = 1; next }
    END {
        if (bad) exit 1
        if (!started) { print "FAIL: no temporary file beside NAME.txt was made"; exit 1 }
        if (writes != 1) { print "FAIL: " writes " writes of the new file, not one"; exit 1 }
        if (!renamed) { print "FAIL: no rename"; exit 1 }
        if (!dirsync) { print "FAIL: the folder was not synced after the rename"; exit 1 }
        print "one write of " size " bytes, fsync, rename, fsync of the folder"
    }' "$work/log"
