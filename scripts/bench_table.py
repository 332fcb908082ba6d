#!/usr/bin/env python3
"""Turns Google Benchmark JSON of ours/... and peer/... pairs into one table of ratios."""
import json
import sys
from collections import OrderedDict


def main(path):
    with open(path) as f:
        runs = json.load(f)["benchmarks"]
    ours = OrderedDict()
    peers = {}
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
    rows = [("operation", "size", "ours (us)", "peer", "peer (us)", "peer / ours")]
    for key, ours_us in ours.items():
        for peer, peer_us in peers.get(key, [("-", None)]):
            ratio = f"{peer_us / ours_us:.2f}" if peer_us else "-"
            rows.append((key[0], key[1], f"{ours_us:.2f}", peer, f"{peer_us:.2f}" if peer_us else "-", ratio))
    for key in peers:
        if key not in ours:
            for peer, peer_us in peers[key]:
                rows.append((key[0], key[1], "-", peer, f"{peer_us:.2f}", "-"))
    widths = [max(len(r[i]) for r in rows) for i in range(len(rows[0]))]
    for i, r in enumerate(rows):
        print("| " + " | ".join(c.ljust(w) for c, w in zip(r, widths)) + " |")
        if i == 0:
            print("|" + "|".join("-" * (w + 2) for w in widths) + "|")


if __name__ == "__main__":
    main(sys.argv[1])
