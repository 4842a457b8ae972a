#!/usr/bin/env bash
# Builds the consumer project (tests/consumer) against ZelSheet both ways a host uses it, and
# runs its programs: the package installed from a build folder into a temporary prefix
# (find_package, and pkg-config without CMake), and the source tree as a subproject
# (add_subdirectory). Usage: tests/consumer/build_consumers.sh <build folder>
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
jobs=$(nproc)
launcher=()
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi

run_hosts() {
  "$1/sheet_host"
  "$1/store_host" "$work/settings.db"
  "$1/testing_host"
  "$1/companion_host" "$work/export.xlsx"
}

echo "-- installed package (find_package)"
cmake --install "$build" --prefix "$work/prefix" >/dev/null
cmake -S "$root/tests/consumer" -B "$work/package" -G Ninja -DCMAKE_PREFIX_PATH="$work/prefix" \
  "${launcher[@]}" >/dev/null
cmake --build "$work/package" -j "$jobs" >/dev/null
run_hosts "$work/package"

echo "-- installed package (pkg-config)"
pc=$(dirname "$(find "$work/prefix" -name zelsheet.pc)")
export PKG_CONFIG_PATH=$pc
# shellcheck disable=SC2046  # the flags are meant to split
c++ -std=c++20 -o "$work/sheet_host_pc" "$root/tests/consumer/sheet_host.cpp" \
  $(pkg-config --cflags --libs zelsheet)
# shellcheck disable=SC2046
c++ -std=c++20 -o "$work/store_host_pc" "$root/tests/consumer/store_host.cpp" \
  $(pkg-config --cflags --libs zelsheet-store)
"$work/sheet_host_pc"
"$work/store_host_pc" "$work/settings.db"
# shellcheck disable=SC2046
c++ -std=c++20 -o "$work/companion_host_pc" "$root/tests/consumer/companion_host.cpp" \
  $(pkg-config --cflags --libs zelsheet-companion)
"$work/companion_host_pc" "$work/export_pc.xlsx"

echo "-- subproject (add_subdirectory)"
# The library is compiled again here. With the normal build's flags, from a folder beside
# it (the same relative paths) and without the folder in ccache's hash (CCACHE_NOHASHDIR),
# every object comes back from ccache.
sub=$root/build-consumer
rm -rf "$sub"
cmake -S "$root/tests/consumer" -B "$sub" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DZELSHEET_SOURCE_DIR="$root" "${launcher[@]}" >/dev/null
cmake --build "$sub" -j "$jobs" >/dev/null
run_hosts "$sub"
echo "-- consumers built and run"
