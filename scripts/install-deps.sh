#!/bin/sh
# Installs the Debian packages that one of the build steps needs, and only those missing:
#   install-deps.sh run      build and run the console
#   install-deps.sh test     build and run every test, Linux and Windows
set -eu

core="cmake ninja-build g++ pkg-config"
gui="qt6-base-dev libgl-dev fonts-wqy-zenhei"
# The icons are rendered and the Windows icon file written at build time; the Debian package
# takes its library dependencies from dpkg-shlibdeps, which finds the program with file.
build="librsvg2-bin python3 dpkg-dev file"
# Checkers of the desktop entry, metainfo, manual page and package.
checks="desktop-file-utils appstream man-db groff-base lintian"
case "${1:-}" in
run) packages="$core $gui $build" ;;
test) packages="$core $gui $build $checks libgtest-dev googletest xvfb xauth xdotool x11-utils \
util-linux mingw-w64 wine64 fonts-wine nsis tshark iproute2" ;;
*)
    echo "usage: $0 run|test" >&2
    exit 2
    ;;
esac

missing=
for package in $packages; do
    if ! dpkg-query -W -f '${Status}' "$package" 2>/dev/null | grep -q "ok installed"; then
        missing="$missing $package"
    fi
done
[ -z "$missing" ] && exit 0

sudo=
[ "$(id -u)" -eq 0 ] || sudo=sudo
echo "Installing:$missing"
$sudo apt-get update -q
# shellcheck disable=SC2086
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -q --no-install-recommends $missing
