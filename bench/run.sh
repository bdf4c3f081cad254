#!/usr/bin/env bash
# Builds the benchmarks (Release, in build-bench/), generates the orders, measures every figure
# beside its floor and prints one table. About six minutes on two cores.
#   bench/run.sh [Google Benchmark flags, e.g. --benchmark_filter=LoadData]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$root/build-bench
work=$build/bench-run

# What the measurements need beyond the project's packages: GNU time for the peak memory and
# python3 for the table.
"$root/scripts/setup.sh" time python3

echo "== building (Release) in $build"
generator=()
command -v ninja >/dev/null && generator=(-G Ninja)
[ -f "$build/CMakeCache.txt" ] && generator=()
cmake -S "$root" -B "$build" "${generator[@]}" -DCMAKE_BUILD_TYPE=Release -DJEX_BUILD_BENCH=ON \
  -DJEX_BUILD_TESTS=OFF -DJEX_BUILD_QT=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" --target jex_bench jexhost jexdiscussions-server

echo "== generating the orders"
rm -rf "$work"
mkdir -p "$work"
orders=$work/orders.db
server=$build/server/jexdiscussions-server
"$server" --db "$orders" --generate POSMALL --issues 5 --comments 20
"$server" --db "$orders" --generate POLARGE --issues 200 --comments 5000
"$server" --db "$orders" --generate POMAXIMAL --issues 1000 --comments 32000

echo "== peak memory of jexhost holding the maximal order"
"$server" --db "$orders" --port 0 >"$work/server.out" 2>&1 &
server_pid=$!
trap 'kill "$server_pid" 2>/dev/null || true' EXIT
for _ in $(seq 100); do
  grep -q listening "$work/server.out" && break
  sleep 0.1
done
base=$(sed -n 's/^listening on \(http:[^ ]*\)$/\1/p' "$work/server.out")
[ -n "$base" ] || { echo "the server did not start: $(cat "$work/server.out")" >&2; exit 1; }
curl -sf -o "$work/maximal.xml" "$base/PODiscussion.asp?OrderID=POMAXIMAL"

host_rss() {  # script file -> max resident set size in KiB; the answers go to <script>.out
  /usr/bin/time -v -o "$1.time" "$build/host/jexhost" <"$1" >"$1.out"
  sed -n 's/^[[:space:]]*Maximum resident set size (kbytes): //p' "$1.time"
}
cat >"$work/idle.jsonl" <<EOF
{"op":"create"}
{"op":"release"}
EOF
cat >"$work/maximal.jsonl" <<EOF
{"op":"create"}
{"op":"put","name":"UserName","value":"Bench User|900|1"}
{"op":"call","name":"LoadData","args":["$base","POMAXIMAL"]}
{"op":"member","name":"NextCommentSequence"}
{"op":"messages"}
{"op":"release"}
EOF
idle_kib=$(host_rss "$work/idle.jsonl")
peak_kib=$(host_rss "$work/maximal.jsonl")
sed -n 4p "$work/maximal.jsonl.out" | grep -q '"value":32001' ||
  { echo "jexhost did not load the maximal order:" >&2; cat "$work/maximal.jsonl.out" >&2; exit 1; }
kill "$server_pid"
wait "$server_pid" 2>/dev/null || true
trap - EXIT
cat >"$work/memory.json" <<EOF
{"peak_rss_kib": $peak_kib, "idle_rss_kib": $idle_kib, "document_bytes": $(stat -c %s "$work/maximal.xml")}
EOF

echo "== running the benchmarks (console output in $work/bench.txt)"
# Interleaved repetitions, so that a figure and its floor see the same background load.
"$build/bench/jex_bench" --db "$orders" --scratch "$work" --benchmark_enable_random_interleaving=true \
  --benchmark_out="$work/bench.json" --benchmark_out_format=json "$@" >"$work/bench.txt" 2>&1 ||
  { tail -n 20 "$work/bench.txt" >&2; exit 1; }

echo
python3 "$root/bench/report.py" "$work/bench.json" "$work/memory.json"
