#!/usr/bin/env python3
"""Counts the outcomes recorded by `ctest --output-junit` runs.

usage: junit_summary.py RECORD.xml...

Prints one line per run ("native: 120 passed, 0 failed, 0 skipped", named after
the file) and then the closing "N passed, N failed" line over all runs, with
", N skipped" when some were skipped. Exits 1 when a record cannot be read.
"""
import os
import sys
import xml.etree.ElementTree as ElementTree


def outcome(case):
    """passed, failed or skipped, as CTest decided it.

    A test CTest did not run (its program missing, a fixture it needs failed)
    is a failure, unless it skipped itself on purpose (SKIP_RETURN_CODE,
    SKIP_REGULAR_EXPRESSION) or is disabled.
    """
    status = case.get("status")
    if status == "run":
        return "passed"
    if status == "disabled":
        return "skipped"
    skipped = case.find("skipped")
    if status == "notrun" and skipped is not None and skipped.get("message", "").startswith("SKIP_"):
        return "skipped"
    return "failed"


def main(records):
    total = {"passed": 0, "failed": 0, "skipped": 0}
    readable = True
    for record in records:
        run = os.path.splitext(os.path.basename(record))[0]
        try:
            cases = ElementTree.parse(record).getroot().iter("testcase")
            counts = {"passed": 0, "failed": 0, "skipped": 0}
            for case in cases:
                counts[outcome(case)] += 1
        except (OSError, ElementTree.ParseError) as error:
            print(f"{run}: no test record ({error})")
            readable = False
            continue
        print(f"{run}: {counts['passed']} passed, {counts['failed']} failed, {counts['skipped']} skipped")
        for key in total:
            total[key] += counts[key]
    line = f"{total['passed']} passed, {total['failed']} failed"
    if total["skipped"]:
        line += f", {total['skipped']} skipped"
    print(line)
    return 0 if readable else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
