#!/usr/bin/env bash
# Runs the demo: the customer master screen ("거래처 관리") on its embedded sample server.
# On a fresh Debian 12 machine it installs what is missing (as root, or through sudo),
# builds only the demo, and starts it in this terminal on its default database (created
# with sample customers on first run). Arguments go to the program:
#
#   bash scripts/demo.sh                  # the default database
#   bash scripts/demo.sh --rows 1000000   # a database of a million customers
#   bash scripts/demo.sh --db /tmp/x.db   # another database file
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(build-essential cmake ninja-build pkg-config libsqlite3-dev libncurses-dev ccache
          libxlsxwriter-dev libcairo2-dev libpango1.0-dev fonts-nanum)
missing=()
for p in "${packages[@]}"; do
  dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "installing: ${missing[*]}"
  sudo=()
  [ "$(id -u)" -eq 0 ] || sudo=(sudo)
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq "${missing[@]}"
fi

# The demo's own build folder: no tests, no benchmarks. The first build still compiles the
# whole library, so say so before ninja's single line of progress.
[ -x build-demo/apps/demo/zelsheet-demo ] ||
  echo "building the demo: the first time takes several minutes ..."
if [ ! -f build-demo/build.ninja ]; then
  cmake -S . -B build-demo -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DZEL_BUILD_TESTS=OFF -DZEL_BUILD_BENCH=OFF >/dev/null
fi
cmake --build build-demo -j "$(nproc)" --target zelsheet-demo

# The screen speaks Korean: make sure the program and the terminal agree on UTF-8.
if ! locale 2>/dev/null | grep -qi 'LC_CTYPE=.*utf-\?8'; then
  export LC_CTYPE=C.UTF-8
fi
export TERM="${TERM:-xterm-256color}"
exec build-demo/apps/demo/zelsheet-demo "$@"
