#!/usr/bin/env bash
# Builds the Debian package contabiliza-contado_VERSION_ARCH.deb into out/package/
# (or into OUTPUT_DIR): a build of the program alone, with Debian's compiler and
# linker flags and the prefix /usr, packed by CPack's DEB generator.
#   scripts/package.sh [--build-dir BUILD_DIR] [OUTPUT_DIR]
# --build-dir packs the program of an existing build folder instead (the test
# suite's installation test packs its own build so as not to compile twice).
# Prints the path of the package as its last line.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
given_build=
if [ "${1:-}" = --build-dir ]; then
  [ $# -ge 2 ] || { echo "usage: package.sh [--build-dir BUILD_DIR] [OUTPUT_DIR]" >&2; exit 2; }
  given_build=$(realpath "$2")
  shift 2
fi
out=$(realpath -m "${1:-$root/out/package}")
mkdir -p "$out"

pack() { # pack BUILD_DIR: the package of what that build installs
  rm -rf "$out"/*.deb "$out/cpack"
  (cd "$1" && cpack -G DEB -B "$out/cpack") >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; exit 1; }
  mv "$out"/cpack/*.deb "$out/"
  rm -rf "$out/cpack"
  ls "$out"/*.deb
}

if [ -n "$given_build" ]; then
  cmake --build "$given_build" --target contabiliza-contado compressed_docs >"$out/build.log" 2>&1 ||
    { tail -n 60 "$out/build.log" >&2; exit 1; }
  pack "$given_build"
  exit 0
fi

bash "$root/scripts/setup.sh"
build="$out/build"

# Debian's flags (hardening included); no debugging information, since the
# package carries the program stripped.
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
export DEB_CXXFLAGS_MAINT_STRIP=-g
CXXFLAGS=$(dpkg-buildflags --get CXXFLAGS)
CPPFLAGS=$(dpkg-buildflags --get CPPFLAGS)
LDFLAGS=$(dpkg-buildflags --get LDFLAGS)
export CXXFLAGS="$CXXFLAGS $CPPFLAGS" LDFLAGS

launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=None -DCMAKE_INSTALL_PREFIX=/usr \
  -DQUELMAR_TESTS=OFF -DQUELMAR_BENCHMARKS=OFF "${launcher[@]}" >"$out/configure.log" 2>&1 ||
  { cat "$out/configure.log" >&2; exit 1; }
cmake --build "$build" -j "$(nproc 2>/dev/null || echo 2)" >"$out/build.log" 2>&1 ||
  { tail -n 60 "$out/build.log" >&2; exit 1; }
pack "$build"
