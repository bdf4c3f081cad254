#!/usr/bin/env bash
# Builds the fuzz targets into build-fuzz/ (clang, libFuzzer, ASan + UBSan) and runs each of them
# for the given number of seconds (20 by default) from its seeds in tests/fuzz/corpus/<target>.
# Fails on the first target that crashes, hangs, leaks or runs out of memory; the input that did
# it is kept in build-fuzz/artifacts/.
#   scripts/fuzz.sh [seconds]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-20}
build=$root/build-fuzz
"$root/scripts/setup.sh"
# A report names where it happened; the first one ends the run.
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] ||
  CC=clang CXX=clang++ cmake -S "$root" -B "$build" "${generator[@]}" -DJEX_FUZZ=ON \
    -DJEX_BUILD_QT=OFF -DJEX_BUILD_TESTS=OFF -DJEX_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_targets -j"$(nproc)"

mkdir -p "$build/artifacts"
for seeds in "$root"/tests/fuzz/corpus/*/; do
  target=$(basename "$seeds")
  # New inputs go to the first directory, so that the seeds in the repository stay as they are.
  mkdir -p "$build/corpus/$target"
  dictionary=()
  [ -f "$root/tests/fuzz/$target.dict" ] && dictionary=(-dict="$root/tests/fuzz/$target.dict")
  log=$build/$target.log
  if ! "$build/tests/fuzz/$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/artifacts/$target-" "${dictionary[@]}" \
    "$build/corpus/$target" "$seeds" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "fuzz: $target failed (log: $log)"
    exit 1
  fi
  echo "fuzz: $target: $(grep -E '^Done [0-9]+ runs' "$log" || tail -n 1 "$log")"
done
