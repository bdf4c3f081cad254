#!/usr/bin/env bash
# Checks the installed package from a host project's side: installs the build in <build-dir>
# into a temporary prefix, builds examples/embed_widget against it and starts it with --smoke.
#   scripts/check_package.sh <build-dir>
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:?usage: check_package.sh <build-dir>}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cache() { sed -n "s/^$1:[A-Z]*=//p" "$build/CMakeCache.txt"; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null

# The libraries are static: the host compiles with the same compiler and, for a sanitized
# build, links the same sanitizer runtimes.
args=(-DCMAKE_PREFIX_PATH="$work/prefix" -DCMAKE_CXX_COMPILER="$(cache CMAKE_CXX_COMPILER)")
if [ "$(cache JEX_SANITIZE)" = ON ]; then
    args+=(-DCMAKE_EXE_LINKER_FLAGS=-fsanitize=address,undefined)
    # Qt's platform start-up keeps allocations until exit; they are not ours to report.
    export ASAN_OPTIONS=detect_leaks=0
fi
command -v ninja >/dev/null && args+=(-G Ninja)

cmake -S "$root/examples/embed_widget" -B "$work/example" "${args[@]}" >/dev/null
cmake --build "$work/example" -j2
QT_QPA_PLATFORM=offscreen "$work/example/embed_widget" --smoke
echo "package check passed"
