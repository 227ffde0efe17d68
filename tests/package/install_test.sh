#!/usr/bin/env bash
# Installs the plug-in from a build tree into a fresh prefix, builds the tiny host outside the
# tree against it, once through find_package(Prixel) and once through pkg-config, runs both, and
# makes the Debian package. Arguments: the build tree and the compiler flags the tiny host needs
# to run beside the plug-in (the sanitizers it was built with).
set -euo pipefail
build="$1"
flags="${2:-}"
here="$(cd "$(dirname "$0")" && pwd)"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

expect() {  # expect WHAT EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        echo "$1: expected '$2', got '$3'" >&2
        exit 1
    fi
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
test -f "$work/prefix/include/prixel/prixel_ctrl.h"
soname="$(objdump -p "$(find "$work/prefix" -name 'libprixel.so')" | awk '/SONAME/ {print $2}')"
expect "soname" "libprixel.so.1" "$soname"

cmake -S "$here/tiny_host" -B "$work/cmake" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
    -DCMAKE_CXX_FLAGS="$flags" >/dev/null
cmake --build "$work/cmake" >/dev/null
expect "find_package host" "0 3" "$("$work/cmake/tiny_host")"

pc="$(find "$work/prefix" -name prixel.pc)"
# shellcheck disable=SC2046
c++ -std=c++20 $flags "$here/tiny_host/main.cpp" -o "$work/pc_host" \
    $(PKG_CONFIG_PATH="$(dirname "$pc")" pkg-config --cflags --libs prixel)
expect "pkg-config host" "0 3" "$(LD_LIBRARY_PATH="$(dirname "$(dirname "$pc")")" "$work/pc_host")"

(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/deb" >/dev/null)
contents="$(dpkg-deb -c "$work"/deb/prixel_*.deb)"
for file in include/prixel/prixel_ctrl.h lib/libprixel.so.1 lib/libprixelhost.so.1 \
    lib/cmake/Prixel/PrixelConfig.cmake lib/pkgconfig/prixel.pc; do
    grep -q "/usr/$file\( -> .*\)\?\$" <<<"$contents" || { echo "package lacks /usr/$file" >&2; exit 1; }
done
echo "installed, built against and packaged"
