#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/targets with clang's libFuzzer (ASan + UBSan) and runs each
# in turn for the given time, starting from its seeds and regression inputs.
#
#   bash scripts/fuzz.sh [seconds per target] [target ...]     (default: 600 s, every target)
#
# New inputs the fuzzer keeps go to build-fuzz/corpus/<target>; a crash leaves its input as
# build-fuzz/crashes/<target>/crash-* (copy it to fuzz/regressions/<target> once fixed).
# Each target's closing figures (executions, coverage, features) are printed at its end.
# Run it niced on a shared machine: nice -n 19 bash scripts/fuzz.sh
set -euo pipefail
cd "$(dirname "$0")/.."

seconds=${1:-600}
shift || true
if ! command -v clang++ >/dev/null; then
  echo "clang++ is needed (apt-get install clang libclang-rt-dev)" >&2
  exit 1
fi

cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
  -DZEL_FUZZ=ON -DZEL_SANITIZE=ON -DZEL_BUILD_TESTS=OFF -DZEL_BUILD_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"

targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/targets/*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi

export ZEL_TEST_TMP=${ZEL_TEST_TMP:-/dev/shm/zelfuzz}
status=0
for t in "${targets[@]}"; do
  corpus=build-fuzz/corpus/$t
  crashes=build-fuzz/crashes/$t
  mkdir -p "$corpus" "$crashes"
  inputs=("$corpus")
  for d in fuzz/corpus/$t fuzz/regressions/$t; do
    [ -d "$d" ] && inputs+=("$d")
  done
  echo "== $t: $seconds s =="
  log=build-fuzz/$t.log
  if ! ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1 \
      "build-fuzz/fuzz_$t" -max_total_time="$seconds" -max_len=8192 -rss_limit_mb=2048 \
      -timeout=20 -print_final_stats=1 -artifact_prefix="$crashes/" "${inputs[@]}" >"$log" 2>&1; then
    echo "FAULT in $t: see $log and $crashes"
    status=1
  fi
  grep -E "^#[0-9]+ +DONE|stat::number_of_executed_units|stat::peak_rss_mb|cov: " "$log" | tail -3
done
exit $status
