#!/usr/bin/env bash
# Installs with apt-get whatever of the named package sets is missing (Debian 12, as root).
#   deps.sh build run test
set -euo pipefail

build=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libfontconfig-dev fonts-ipafont-gothic)
run=(xdg-utils)
test=(xvfb xauth xdotool x11-utils imagemagick)
bench=(xvfb libx11-dev libxdamage-dev)

wanted=()
for set in "$@"; do
    case "$set" in
        build) wanted+=("${build[@]}") ;;
        run) wanted+=("${run[@]}") ;;
        test) wanted+=("${test[@]}") ;;
        bench) wanted+=("${bench[@]}") ;;
        *) echo "deps.sh: unknown set $set" >&2; exit 2 ;;
    esac
done

missing=()
for p in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
