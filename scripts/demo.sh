#!/usr/bin/env bash
# Sets up, builds and runs the demo: the discussion server on the demo database and a window
# hosting the discussion widget (offscreen, with a screenshot and the shown rows, when there is
# no display).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/build.sh" "$root/build"
exec "$root/build/qt/jexdiscussions-demo" "$@"
