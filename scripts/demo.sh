#!/usr/bin/env bash
# Sets up, builds and runs the demo.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
exec "$root/build/host/jexdemo" --db "$root/build/demo.db" "$@"
