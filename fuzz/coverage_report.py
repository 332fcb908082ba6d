#!/usr/bin/env python3
"""Prints the fuzzer's coverage report and fails when an export of the list was never run.

Usage: coverage_report.py REPORT EXPORT_NAMES
REPORT has one line per harness entry: name calls succeeded failed skipped."""
import sys


def main(report_path, names_path):
    counts = {}
    with open(report_path) as report:
        for line in report:
            name, calls, succeeded, failed, skipped = line.split()
            counts[name] = (int(calls), int(succeeded), int(failed), int(skipped))
    with open(names_path) as names_file:
        names = [n.strip() for n in names_file if n.strip()]

    print(f"{'export':58} {'calls':>8} {'succeeded':>10} {'failed':>8} {'skipped':>8}")
    unreached = []
    for name in names:
        calls, succeeded, failed, skipped = counts.get(name, (0, 0, 0, 0))
        print(f"{name:58} {calls:8} {succeeded:10} {failed:8} {skipped:8}")
        if calls - skipped <= 0:
            unreached.append(name)
    extra = sorted(set(counts) - set(names))
    reached = len(names) - len(unreached)
    print(f"\n{reached} of {len(names)} exports reached; "
          f"{sum(1 for n in names if counts.get(n, (0, 0))[1] > 0)} with at least one successful call")
    if extra:
        print("harness entries that are not exports: " + ", ".join(extra))
    if unreached:
        print("not reached: " + ", ".join(unreached))
    return 1 if unreached or extra else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
