#!/usr/bin/env bash
# Line and branch coverage of the library, the server and the automation host under the whole
# suite (PostgreSQL cases included): builds an instrumented copy in build-coverage/, runs every
# test there and prints gcovr's summary. The per-file table goes to build-coverage/coverage.txt.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$root/build-coverage
"$root/scripts/setup.sh" gcovr
"$root/scripts/build.sh" "$dir" -DJEX_COVERAGE=ON -DJEX_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=Debug
# Objects of sources that were moved or removed since an earlier build keep their notes, which
# gcovr would merge with the live ones: drop them with their objects.
ninja -C "$dir" -t cleandead >/dev/null
find "$dir" -name '*.gcno' | while read -r notes; do
  [ -f "${notes%.gcno}.o" ] || rm -f "$notes"
done
find "$dir" -name '*.gcda' -delete
postgres_env=$("$root/scripts/postgres.sh" start)
eval "$postgres_env"
trap '"$root/scripts/postgres.sh" stop "$JEX_TEST_POSTGRES_DIR"' EXIT
# The packaging check links the installed libraries outside this build, without the coverage
# runtime; it measures no code of its own.
ctest --test-dir "$dir" --output-on-failure -j"$(nproc)" -E "^package_example$"
# Branches the compiler adds for exceptions and for code it proved unreachable are not choices
# the source makes, so they are left out of the branch figure.
gcovr --root "$root" --object-directory "$dir" \
  --filter "$root/src/" --filter "$root/server/" --filter "$root/host/" \
  --exclude-throw-branches --exclude-unreachable-branches \
  --print-summary --output "$dir/coverage.txt"
