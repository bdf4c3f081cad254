#!/usr/bin/env bash
# The demo without a display: it must say so, load the demo order, print the rows the control
# shows and leave a screenshot that is more than an empty picture.
set -euo pipefail
demo=$1
data=$(mktemp -d)
trap 'rm -rf "$data"' EXIT
output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$demo" --data "$data")
echo "$output"
grep -q "offscreen" <<<"$output"
grep -q "^Issues of order PO1001:" <<<"$output"
grep -q "^Group | Type | Status | Priority" <<<"$output"
grep -q "^Called Harbor Point" <<<"$output"
[ "$(grep -c "^Center \| " <<<"$output")" -ge 1 ]
[ -f "$data/demo.db" ]
size=$(stat -c %s "$data/demo-screenshot.png")
[ "$size" -gt 20000 ] || { echo "screenshot too small: $size bytes"; exit 1; }
# A second run reuses the database it made.
env -u DISPLAY -u WAYLAND_DISPLAY "$demo" --data "$data" --order PO1002 | grep -q "^Issues of order PO1002:"
