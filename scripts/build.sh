#!/usr/bin/env bash
# Configures and builds into build/ (or the directory given as $1, with extra CMake args after it).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=${1:-$root/build}
shift || true
"$root/scripts/setup.sh"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f "$dir/CMakeCache.txt" ] || cmake -S "$root" -B "$dir" "${generator[@]}" "$@"
cmake --build "$dir" -j"$(nproc)"
