#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
"""Checks the list of functions Asyncify instruments against the call graph.

    asyncify_check.py WASM-OPT GAME.wasm web/asyncify_functions.txt STAMP

GAME.wasm is the game linked without optimisation and with its functions'
names; wasm-opt prints its call graph. Every function that calls
emscripten_sleep must be listed, and so must every direct caller of a listed
function: a function missing from the list would be on the stack, not
instrumented, when the game waits. (What the graph cannot show, calls
through pointers, the list names at its own entries: the backend's waits and
the window procedure.) On success, touches STAMP.
"""
import pathlib
import re
import subprocess
import sys

Wait = 'emscripten_sleep'


def unescape(name):
    return re.sub(r'\\([0-9a-f]{2})', lambda m: chr(int(m.group(1), 16)), name)


def main():
    if len(sys.argv) != 5:
        sys.exit(__doc__)
    wasm_opt, graph, listing, stamp = sys.argv[1:]
    dot = subprocess.run([wasm_opt, '--all-features', graph, '--print-call-graph', '-o', '/dev/null'],
                         check=True, capture_output=True, text=True).stdout
    callers, functions = {}, set()
    for line in dot.splitlines():
        m = re.match(r'\s*"(.*)" -> "(.*)"; // call', line)
        if m:
            callers.setdefault(unescape(m.group(2)), set()).add(unescape(m.group(1)))
        m = re.match(r'\s*"([^"]*)" \[', line)
        if m:
            functions.add(unescape(m.group(1)))
    if Wait not in callers:
        sys.exit(f'{graph}: nothing calls {Wait}; is this the game\'s call graph?')
    listed = {line.strip() for line in open(listing) if line.strip() and not line.startswith('#')}
    for name in sorted(listed - functions):
        print(f'{listing}: "{name}" names no function of the game', file=sys.stderr)
    missing = {}
    for name in sorted(listed | callers[Wait]):
        if name == Wait:
            continue
        if name not in listed:
            missing[name] = Wait
        for caller in callers.get(name, ()):
            if caller not in listed:
                missing.setdefault(caller, name)
    if missing or listed - functions:
        for name, callee in sorted(missing.items()):
            print(f'{listing}: missing "{name}", which calls {callee}', file=sys.stderr)
        sys.exit(1)
    pathlib.Path(stamp).touch()


if __name__ == '__main__':
    main()
