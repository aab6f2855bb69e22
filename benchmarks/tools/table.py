#!/usr/bin/env python3
"""Prints the table of the benchmark results: case, N, time, floor, ratio,
goal, status. Times are the least of the repetitions, in milliseconds.

Usage: table.py HOST_JSON WINE_TSV [TOOL_TSV]
"""
import json
import sys

INIT_GOAL_MS = 1.0  # host page initialisation, N = 255
APPLY_GOAL_MS = 20.0  # host Apply, N = 255
APPLY_2040_GOAL_MS = 100.0  # host Apply, all changed, N = 2,040
INIT_GROWTH_GOAL = 10.0  # page initialisation, N = 2,040 over N = 255
TOOL_GOAL_MS = 1000.0  # vexaro apply on 5,000 Layout values
FLOOR_GOAL = 1.10  # Wine figure over its floor
INI_GOAL = 1.00  # host INI functions over Wine's kernel32


def host_minimums(path):
    """(benchmark name, N) -> least time in ms."""
    with open(path) as f:
        data = json.load(f)
    result = {}
    for b in data.get("benchmarks", []):
        if b.get("aggregate_name") != "min" or b.get("error_occurred"):
            continue
        name = b["run_name"].split("/")
        n = next(int(p[2:]) for p in name if p.startswith("N:"))
        scale = {"ns": 1e-6, "us": 1e-3, "ms": 1.0, "s": 1e3}[b.get("time_unit", "ns")]
        result[("/".join(p for p in name if not p.startswith("N:") and p != "manual_time"), n)] = (
            b["real_time"] * scale)
    return result


def wine_results(path):
    """case -> (N, min, floor min or None)."""
    result = {}
    with open(path) as f:
        for line in f:
            fields = line.rstrip("\n").split("\t")
            if not fields or fields[0] != "RESULT":
                continue
            floor = float(fields[5]) if len(fields) > 5 else None
            result[fields[1]] = (int(fields[2]), float(fields[3]), floor)
    return result


def fmt(ms):
    return "-" if ms is None else ("%.3f" % ms if ms < 10 else "%.1f" % ms)


def main():
    host = host_minimums(sys.argv[1])
    wine = wine_results(sys.argv[2])
    rows = []

    def add(case, n, time, floor=None, ratio=None, goal="-", passed=None):
        status = "-" if passed is None else ("met" if passed else "MISSED")
        rows.append((case, str(n), fmt(time), fmt(floor),
                     "-" if ratio is None else "%.2f" % ratio, goal, status))

    for bench, case, goal_ms in (("BM_PageInit", "host page initialisation", INIT_GOAL_MS),
                                 ("BM_Apply", "host Apply", APPLY_GOAL_MS),
                                 ("BM_ApplyAllChanged", "host Apply, all changed", APPLY_GOAL_MS)):
        for n in (16, 64, 255, 1024, 2040):
            t = host.get((bench, n))
            if t is None:
                continue
            if n == 255:
                add(case, n, t, goal="< %g ms" % goal_ms, passed=t < goal_ms)
            elif n == 2040 and bench == "BM_ApplyAllChanged":
                add(case, n, t, goal="< %g ms" % APPLY_2040_GOAL_MS,
                    passed=t < APPLY_2040_GOAL_MS)
            else:
                add(case, n, t)
        if bench == "BM_PageInit" and host.get((bench, 255)) and host.get((bench, 2040)):
            growth = host[(bench, 2040)] / host[(bench, 255)]
            rows.append(("host page initialisation, growth 255 -> 2040", "-", "-", "-",
                         "x%.1f" % growth, "<= x%g" % INIT_GROWTH_GOAL,
                         "met" if growth <= INIT_GROWTH_GOAL else "MISSED"))

    for key, case in (("wine-page-init", "Wine page initialisation"),
                      ("wine-apply", "Wine Apply"),
                      ("wine-apply-all-changed", "Wine Apply, all changed")):
        if key in wine:
            n, t, floor = wine[key]
            ratio = t / floor if floor else None
            add(case, n, t, floor, ratio, "<= %.2f x floor" % FLOOR_GOAL,
                ratio is not None and ratio <= FLOOR_GOAL)

    for bench, key, case in (("BM_IniApply/unchanged", "wine-ini-apply",
                              "host INI vs Wine kernel32, Apply"),
                             ("BM_IniApply/changed", "wine-ini-apply-all-changed",
                              "host INI vs Wine kernel32, Apply all changed")):
        t = host.get((bench, 255))
        if t is None or key not in wine:
            continue
        floor = wine[key][1]
        ratio = t / floor
        add(case, 255, t, floor, ratio, "<= %.2f x Wine" % INI_GOAL, ratio <= INI_GOAL)

    tool = wine_results(sys.argv[3]) if len(sys.argv) > 3 else {}
    if "tool-apply" in tool:
        n, t, _ = tool["tool-apply"]
        add("vexaro apply, every check box on", n, t, goal="< %g ms" % TOOL_GOAL_MS,
            passed=t < TOOL_GOAL_MS)

    header = ("case", "N", "time ms", "floor ms", "ratio", "goal", "status")
    widths = [max(len(r[i]) for r in rows + [header]) for i in range(len(header))]
    line = lambda r: "  ".join(c.ljust(w) if i == 0 else c.rjust(w)
                               for i, (c, w) in enumerate(zip(r, widths)))
    print(line(header))
    print("  ".join("-" * w for w in widths))
    for r in rows:
        print(line(r))


if __name__ == "__main__":
    main()
