#!/usr/bin/env bash
# Sets up a fresh Debian 12 machine (as root), builds ZelSheet and runs its tests twice:
# in the normal build and in the sanitizer build (ASan + UBSan, no recovery).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config libsqlite3-dev libgtest-dev libgmock-dev
          libbenchmark-dev libncurses-dev ccache clang tmux sqlite3 libxlsxwriter-dev
          libcairo2-dev libpango1.0-dev fonts-nanum poppler-utils unzip)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq "${missing[@]}"
fi

jobs=$(nproc)
# The consumer builds compile the library again in folders of their own; without the folder
# in ccache's hash they take the normal build's objects back.
export CCACHE_NOHASHDIR=1

echo "== normal build =="
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"

echo "== the package: a host's project on the installed package and as a subproject =="
bash tests/consumer/build_consumers.sh build

echo "== the library compiles with clang too (the fuzz targets are built with it) =="
find src store testing -name '*.cpp' -print0 | sort -z |
  xargs -0 -P "$jobs" -n 8 clang++ -std=c++20 -fsyntax-only -Iinclude -Isrc
# shellcheck disable=SC2046  # the flags are meant to split
find companion/src -name '*.cpp' -print0 | sort -z |
  xargs -0 -P "$jobs" -n 8 clang++ -std=c++20 -fsyntax-only -Iinclude -Icompanion/include \
    -Icompanion/src $(pkg-config --cflags xlsxwriter cairo pangocairo)

echo "== sanitizer build =="
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DZEL_SANITIZE=ON -DZEL_BUILD_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"
