#!/usr/bin/python3
"""Runs the Orca screen reader with its debug file written line by line.

Usage: orca_logged.py --debug-file=FILE [orca options]
Orca writes its debug file through a buffer and loses the buffer's content
when it is stopped; a test that reads what Orca said needs every line as soon
as it is spoken. The file Orca opens under that name is opened line-buffered;
everything else is Orca's own start-up."""
import builtins
import sys

ORCA = "/usr/bin/orca"
debug_file = next(a.split("=", 1)[1] for a in sys.argv[1:] if a.startswith("--debug-file="))
_open = builtins.open


def _open_line_buffered(file, mode="r", *args, **kwargs):
    if file == debug_file and "w" in mode:
        return _open(file, mode, 1, encoding="utf-8")
    return _open(file, mode, *args, **kwargs)


builtins.open = _open_line_buffered
sys.argv = [ORCA] + sys.argv[1:]
with _open(ORCA) as script:
    code = compile(script.read(), ORCA, "exec")
exec(code, {"__name__": "__main__", "__file__": ORCA})
