#!/usr/bin/env python3
"""Prints the table of figures, floors and ratios from jex_bench's JSON output and the memory
measurement of bench/run.sh.

    report.py <bench.json> <memory.json>
"""
import json
import sys

MIB = 1024 * 1024


def medians(path):
    """Benchmark name (without /real_time, /repeats:N, /threads:N) -> its median run, or its only
    run."""
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    found = {}
    for run in runs:
        parts = run.get("run_name", run["name"]).split("/")
        name = "/".join(p for p in parts if p != "real_time" and ":" not in p)
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        if run.get("run_type") == "aggregate" or name not in found:
            found[name] = run
    return found


def milliseconds(run):
    scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[run["time_unit"]]
    return run["real_time"] * scale


class Table:
    def __init__(self, runs):
        self.runs = runs
        self.rows = []

    def time_row(self, figure, measured, floor, target=None, floor_label=""):
        """A row of two timed benchmarks: ratio = measured / floor, lower is better."""
        m, f = self.runs.get(measured), self.runs.get(floor)
        if m is None or f is None:
            self.rows.append((figure, "not run", "", "", "", ""))
            return None
        ratio = milliseconds(m) / milliseconds(f)
        self.rows.append((figure, f"{milliseconds(m):.2f} ms",
                          f"{milliseconds(f):.2f} ms {floor_label}".strip(), f"{ratio:.2f}",
                          f"<= {target}" if target else "", verdict(ratio, target)))
        return ratio

    def rate_row(self, figure, measured, floor, floor_label):
        """A row of two rates: ratio = floor / measured, so above 1 means slower than the floor."""
        m, f = self.runs.get(measured), self.runs.get(floor)
        if m is None or f is None:
            self.rows.append((figure, "not run", "", "", "", ""))
            return
        rate, floor_rate = m["items_per_second"], f["items_per_second"]
        self.rows.append((figure, f"{rate:.1f} /s", f"{floor_rate:.1f} /s {floor_label}",
                          f"{floor_rate / rate:.2f}", "", ""))

    def row(self, *cells):
        self.rows.append(cells)

    def print(self):
        header = ("Figure", "Measured", "Floor", "Ratio", "Target", "")
        widths = [max(len(str(r[i])) for r in self.rows + [header]) for i in range(6)]
        line = lambda cells: "  ".join(str(c).ljust(w) for c, w in zip(cells, widths)).rstrip()
        print(line(header))
        print("  ".join("-" * w for w in widths).rstrip())
        for r in self.rows:
            print(line(r))


def verdict(ratio, target):
    if target is None or ratio is None:
        return ""
    return "ok" if ratio <= target else "OFF TARGET"


def main():
    runs = medians(sys.argv[1])
    with open(sys.argv[2]) as f:
        memory = json.load(f)
    table = Table(runs)

    for order in ("small", "large", "maximal"):
        table.time_row(f"1 LoadData {order}", f"LoadData/{order}", f"LoadFloor/{order}",
                       None if order == "small" else 2, "(GET+parse)")
    click = {}
    for order in ("large", "maximal"):
        click[order] = table.time_row(f"2 Issue click {order}", f"IssueClick/{order}",
                                      f"IssueClickFloor/{order}", 3, "(table walk)")
    if None not in click.values():
        growth = click["maximal"] / click["large"]
        table.row("2 Click ratio, maximal / large", "", "", f"{growth:.2f}", "<= 1.25 (no growth)",
                  verdict(growth, 1.25))
    table.time_row("3 FormatData+urlEncode 2x vs 1x", "FormatUrlEncode/2x", "FormatUrlEncode/1x",
                   2.2, "(1x)")
    table.time_row("4 SaveData 1x end to end", "SaveData/1x", "SaveFloor/1x", 2, "(direct SQL)")
    table.time_row("4 Server's part, 1x POST", "ServerSave/1x", "SaveFloor/1x", 2, "(direct SQL)")
    table.rate_row("5 Server loads, large, 2 clients", "ServerLoads/large",
                   "ServerLoadsFloor/large", "(in-process)")
    table.rate_row("5 Server saves, small, 2 clients", "ServerSaves/small",
                   "ServerSavesFloor/small", "(in-process)")

    peak = memory["peak_rss_kib"] * 1024
    document = memory["document_bytes"]
    limit = 4 * document + 16 * MIB
    table.row("6 jexhost peak RSS, maximal", f"{peak / MIB:.1f} MiB",
              f"{document / MIB:.1f} MiB (document)", f"{peak / document:.2f}",
              f"<= 4 x doc + 16 MiB = {limit / MIB:.1f} MiB", "ok" if peak <= limit else "OFF TARGET")
    table.print()
    print(f"\njexhost idle (create, release): {memory['idle_rss_kib'] / 1024:.1f} MiB peak RSS."
          " Times are medians of 5 runs, real time.")


if __name__ == "__main__":
    main()
