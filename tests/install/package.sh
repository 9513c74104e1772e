#!/usr/bin/env bash
# The Debian package: built by cpack from the build folder, with the files a desktop needs,
# dependencies computed from the binary plus what it loads at run time, and no lintian error.
#
#   package.sh BUILD_DIR WORK_PARENT
set -u
if (($# != 2)); then
    echo "usage: package.sh BUILD_DIR WORK_PARENT" >&2
    exit 2
fi
build=$1
for tool in cpack dpkg-deb dpkg-shlibdeps lintian; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool not installed (Debian packages dpkg-dev, lintian)" >&2; exit 77; }
done
work=$2/package-run
rm -rf "$work"
mkdir -p "$work"
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }
ok() { echo "ok: $*"; }

(cd "$build" && cpack -G DEB -B "$work") >"$work/cpack.log" 2>&1 || { fail "cpack failed: $(tail -5 "$work/cpack.log")"; exit 1; }
deb=$(ls "$work"/mq_*_*.deb 2>/dev/null | head -1)
[[ -n $deb ]] || { fail "cpack made no mq_*.deb: $(ls "$work")"; exit 1; }
ok "built $(basename "$deb")"

files=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for f in ./usr/bin/mq ./usr/share/man/man1/mq.1.gz ./usr/share/doc/mq/copyright ./usr/share/doc/mq/changelog.gz; do
    grep -qx "$f" <<<"$files" || fail "the package lacks $f"
done
for pattern in '^\./usr/share/applications/.*\.desktop$' '^\./usr/share/metainfo/.*\.metainfo\.xml$' \
    '^\./usr/share/icons/hicolor/48x48/apps/.*\.png$' '^\./usr/share/icons/hicolor/16x16/apps/.*\.png$'; do
    grep -q "$pattern" <<<"$files" || fail "the package has no file like $pattern"
done
grep -q '^\./usr/local' <<<"$files" && fail "the package installs into /usr/local"

depends=$(dpkg-deb -f "$deb" Depends)
for need in 'libqt6widgets6' 'libc6' 'xdg-utils' 'qt6-qpa-plugins' 'qt6-wayland' \
    'fonts-ipafont-gothic | fonts-noto-cjk | fonts-vlgothic'; do
    grep -qF "$need" <<<"$depends" || fail "Depends lacks $need: $depends"
done
ok "Depends: $depends"

lintian --tag-display-limit 0 "$deb" >"$work/lintian.log" 2>&1
if grep -q '^E:' "$work/lintian.log"; then
    fail "lintian: $(grep '^E:' "$work/lintian.log")"
else
    ok "lintian reports no error$(grep -c '^W:' "$work/lintian.log" | sed 's/^0$//; s/^[0-9][0-9]*$/ (& warnings)/')"
fi

((failures)) && exit 1
echo "PASS: the package is complete and clean"
