#!/usr/bin/env python3
"""How long Orca held each key press, read from its debug log: for the last
N key presses of each application, the median and worst of Orca's own
processing time, and of the part of it that went into cutting short what it
was still saying ("Interrupting presentation" up to Orca's next step).

Usage: orca_key_times.py ORCA_LOG N
"""
import re
import statistics
import sys

STAMP = re.compile(r"^(\d\d):(\d\d):(\d\d\.\d+) - ")


def at(line):
    m = STAMP.match(line)
    return int(m.group(1)) * 3600 + int(m.group(2)) * 60 + float(m.group(3)) if m else None


def presses(lines):
    """(application, total ms, interruption ms) for each key press."""
    i = 0
    while i < len(lines):
        if lines[i].startswith("vvvvv PROCESS ATSPI_KEY_PRESSED_EVENT"):
            app, total, cut = "?", 0.0, 0.0
            i += 1
            while i < len(lines) and not lines[i].startswith("^^^^^"):
                line = lines[i]
                if "HOST_APP:" in line:
                    app = line.split("HOST_APP:")[1].strip()
                elif "TOTAL PROCESSING TIME" in line:
                    total = float(line.split()[-1]) * 1000
                elif "Interrupting presentation" in line:
                    nxt = next((at(l) for l in lines[i + 1:] if at(l) is not None), None)
                    if nxt is not None:
                        cut = (nxt - at(line)) * 1000
                i += 1
            yield app, total, cut
        i += 1


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__.split("Usage: ")[1])
    lines = open(sys.argv[1], encoding="utf-8", errors="replace").read().split("\n")
    n = int(sys.argv[2])
    by_app = {}
    for app, total, cut in presses(lines):
        by_app.setdefault(app, []).append((total, cut))
    for app, values in by_app.items():
        values = values[-n:]
        total = sorted(v[0] for v in values)
        cut = sorted(v[1] for v in values)
        print("Orca on %s, %d key presses: held %.1f ms median, %.1f worst; of it, cutting its speech short %.1f median, %.1f worst"
              % (app, len(values), statistics.median(total), total[-1], statistics.median(cut), cut[-1]))


main()
