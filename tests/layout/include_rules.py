#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# What may include what: the platform's tiers, and the game over them.
# Prints each include that breaks a rule and exits 1; run from anywhere.
#
#   the root headers (platform/*.h)     only the standard library (and each other)
#   files/ audio/ picture/              the root headers
#   input/                              also files/
#   settings/                           also input/
#   shell/                              any shared folder, never win32/ or a backend
#   win32/                              the shared folders, never a backend
#   backends/NAME/                      the root headers and the shared folders'
#                                       public headers, never win32/, shell/ or
#                                       another backend
#   stage/ player/ enemy/ gfx/ sound/ growth/   platform/win32/'s public headers
#   app/ editor/                        also platform/shell/
#   editor/                             only app/ (which opens it), the tools
#                                       (the map viewer draws its marks) and
#                                       the tests include it: play never needs it
#   tools/ tests/                       public headers; private ones only
#                                       through tests/support/
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
GAME = ("app", "stage", "player", "enemy", "gfx", "sound", "growth", "editor")
SHARED = ("files", "audio", "picture", "input", "settings", "shell")
# Headers for their own folder only: the records behind the stand-ins'
# handles, the window's queue, and a backend's own parts.
PRIVATE = ("platform/win32/records.h", "platform/win32/window_queue.h", "platform/win32/key_sample.h")


def tier(path):
    """The tier of a file under platform/: 'root', a shared folder, 'win32' or 'backends/NAME'."""
    parts = path.split("/")
    if len(parts) == 2:
        return "root"
    if parts[1] == "backends":
        return "backends/" + parts[2]
    return parts[1]


def private(header):
    return header in PRIVATE or header.startswith("platform/backends/")


def allowed(source, header):
    """None when `source` may include `header` (both relative to the checkout); else why not."""
    if not header.startswith("platform/"):
        top = source.split("/")[0]
        if source.startswith("platform/"):
            return "the platform includes no game or tool header"
        if top in GAME and header.split("/")[0] not in GAME:
            return "a game folder includes only the game's and platform/win32/'s headers"
        if top in GAME and top not in ("app", "editor") and header.startswith("editor/"):
            return "play includes nothing of the editor's: app/ opens it"
        return None
    to = tier(header)
    top = source.split("/")[0]
    if top in GAME:
        if to == "win32" and not private(header):
            return None
        if top in ("app", "editor") and to == "shell":
            return None
        return "the game includes only platform/win32/*.h" + (" and platform/shell/" if top in ("app", "editor") else "")
    if top in ("tools", "tests"):
        if private(header) and not source.startswith("tests/support/"):
            return "a private header, only through tests/support/"
        return None
    frm = tier(source)
    if to == frm:
        return None
    if to == "root":
        return None
    if frm == "root":
        return "the root headers include only the standard library"
    if frm in ("files", "audio", "picture"):
        return frm + "/ includes only the root headers"
    if frm == "input":
        return None if to == "files" else "input/ includes only the root headers and files/"
    if frm == "settings":
        return None if to in ("files", "input") else "settings/ includes only the root headers, files/ and input/"
    if frm == "shell":
        return None if to in SHARED else "shell/ includes no win32/ and no backend"
    if frm == "win32":
        return None if to in SHARED else "win32/ includes no backend"
    if frm.startswith("backends/"):
        if to in SHARED and to != "shell" and not private(header):
            return None
        return "a backend includes only the root headers and the shared folders' public headers"
    return "no rule lets " + frm + " include " + to


def main():
    faults = 0
    checked = 0
    for top in ("platform",) + GAME + ("tools", "tests"):
        for folder, dirs, files in os.walk(os.path.join(ROOT, top)):
            dirs[:] = [d for d in dirs if d not in ("node_modules", "corpus")]
            for name in files:
                if not name.endswith((".cpp", ".h")):
                    continue
                path = os.path.join(folder, name)
                source = os.path.relpath(path, ROOT)
                for number, line in enumerate(open(path, encoding="utf-8", errors="replace"), 1):
                    m = re.match(r'\s*#\s*include\s+"([^"]+)"', line)
                    if not m:
                        continue
                    checked += 1
                    why = allowed(source, m.group(1))
                    if why:
                        faults += 1
                        print("%s:%d: includes %s: %s" % (source, number, m.group(1), why))
    print("include rules: %d includes checked, %d break a rule" % (checked, faults))
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
