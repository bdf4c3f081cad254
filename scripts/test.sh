#!/usr/bin/env bash
# Sets up, builds and runs every test: the normal build first, for quick feedback; then the whole
# suite again in build-asan/ under AddressSanitizer and UndefinedBehaviorSanitizer, where any
# report fails the test that made it; then a short run of every fuzz target (scripts/fuzz.sh).
# Both runs have a throw-away PostgreSQL cluster (scripts/postgres.sh), so the PostgreSQL cases
# run too; it is removed at the end, whatever the outcome.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
postgres_env=$("$root/scripts/postgres.sh" start)
eval "$postgres_env"
trap '"$root/scripts/postgres.sh" stop "$JEX_TEST_POSTGRES_DIR"' EXIT
ctest --test-dir "$root/build" --output-on-failure -j"$(nproc)"

"$root/scripts/build.sh" "$root/build-asan" -DJEX_SANITIZE=ON -DJEX_BUILD_BENCH=OFF
export ASAN_OPTIONS=detect_leaks=1:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$root/build-asan" --output-on-failure -j"$(nproc)"

"$root/scripts/fuzz.sh" 20
