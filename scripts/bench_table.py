#!/usr/bin/env python3
"""Turns Google Benchmark JSON into tables: ours/... and peer/... pairs into one table of ratios,
build/<operation>/<build> runs (the builds benchmark) into one table of speed-ups over the generic
build. Takes one or more JSON files."""
import json
import sys
from collections import OrderedDict


def print_table(rows):
    widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
    for i, r in enumerate(rows):
        print("| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |")
        if i == 0:
            print("|" + "|".join("-" * (w + 2) for w in widths) + "|")


def pairs_table(ours, peers):
    rows = [("operation", "size", "ours (us)", "peer", "peer (us)", "peer / ours")]
    for key, ours_us in ours.items():
        for peer, peer_us in peers.get(key, [("-", None)]):
            ratio = f"{peer_us / ours_us:.2f}" if peer_us else "-"
            rows.append((key[0], key[1], f"{ours_us:.2f}", peer, f"{peer_us:.2f}" if peer_us else "-", ratio))
    for key in peers:
        if key not in ours:
            for peer, peer_us in peers[key]:
                rows.append((key[0], key[1], "-", peer, f"{peer_us:.2f}", "-"))
    print_table(rows)


def builds_table(builds):
    """builds: {operation: {build: us}}; one column pair per build that ran."""
    known = ["SSSE3", "SSE4", "AVX2", "AVX3"]
    names = []
    for times in builds.values():
        names += [b for b in times if b != "generic" and b not in names]
    names.sort(key=lambda b: known.index(b) if b in known else len(known))
    header = ["operation", "generic (us)"]
    for b in names:
        header += [f"{b} (us)", f"{b} speed-up"]
    rows = [tuple(header)]
    for operation, times in builds.items():
        generic = times.get("generic")
        row = [operation, f"{generic:.2f}" if generic else "-"]
        for b in names:
            us = times.get(b)
            row += [f"{us:.2f}" if us else "-", f"{generic / us:.2f}x" if us and generic else "-"]
        rows.append(tuple(row))
    print_table(rows)


def main(paths):
    runs = []
    for path in paths:
        with open(path) as f:
            runs += json.load(f)["benchmarks"]
    ours = OrderedDict()
    peers = {}
    builds = OrderedDict()
    for run in runs:
        if run.get("run_type") == "aggregate" and run.get("aggregate_name") != "median":
            continue
        name = run["run_name"] if "run_name" in run else run["name"]
        parts = name.split("/")
        time_us = run["real_time"] * {"ns": 1e-3, "us": 1.0, "ms": 1e3, "s": 1e6}[run["time_unit"]]
        if parts[0] == "ours" and len(parts) >= 3:
            ours[(parts[1], parts[2])] = time_us
        elif parts[0] == "peer" and len(parts) >= 4:
            peers.setdefault((parts[2], parts[3]), []).append((parts[1], time_us))
        elif parts[0] == "build" and len(parts) >= 3:
            builds.setdefault(parts[1], OrderedDict())[parts[2]] = time_us
    if ours or peers:
        pairs_table(ours, peers)
    if builds:
        if ours or peers:
            print()
        builds_table(builds)


if __name__ == "__main__":
    main(sys.argv[1:])
