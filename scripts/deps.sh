#!/usr/bin/env bash
# Installs with apt-get whatever of the named package sets is missing (Debian 12, as root).
#   deps.sh build run test package
set -euo pipefail

build=(g++ cmake ninja-build pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev libfontconfig-dev fonts-ipafont-gothic)
# What the program needs to run: the browser launcher, the X11 and Wayland platforms, and
# a font that draws Japanese.
run=(xdg-utils qt6-qpa-plugins qt6-wayland fonts-ipafont-gothic)
test=(xvfb xauth xdotool x11-utils imagemagick openbox desktop-file-utils appstream sway libwayland-dev dbus-daemon at-spi2-core python3-pyatspi)
package=(dpkg-dev file lintian)
bench=(xvfb libx11-dev libxdamage-dev dbus-daemon)

wanted=()
for set in "$@"; do
    case "$set" in
        build) wanted+=("${build[@]}") ;;
        run) wanted+=("${run[@]}") ;;
        test) wanted+=("${test[@]}") ;;
        bench) wanted+=("${bench[@]}") ;;
        package) wanted+=("${package[@]}") ;;
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
