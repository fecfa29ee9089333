#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# Writes the service worker for the page's folder: the list of the files it
# keeps offline (those in its subfolders too, as paths under it) and a
# version that is a hash of them all, so any change to the bundle gives the
# worker a new cache. Leaves the file alone when nothing changed.
#   offline_bundle.py TEMPLATE FOLDER
import hashlib
import json
import os
import sys

template, folder = sys.argv[1], sys.argv[2]
out = os.path.join(folder, "service_worker.js")
names = []
for at, dirs, files in os.walk(folder):
    dirs[:] = sorted(d for d in dirs if not d.startswith("."))
    for n in files:
        path = os.path.relpath(os.path.join(at, n), folder).replace(os.sep, "/")
        if path != "service_worker.js" and not n.startswith("."):
            names.append(path)
names.sort()
digest = hashlib.sha256()
for n in names:
    digest.update(n.encode() + b"\0")
    with open(os.path.join(folder, n), "rb") as f:
        digest.update(hashlib.sha256(f.read()).digest())
with open(template, encoding="utf-8") as f:
    text = f.read()
text = text.replace("@VERSION@", digest.hexdigest()[:16]).replace("@FILES@", ", ".join(json.dumps(n) for n in names))
old = open(out, encoding="utf-8").read() if os.path.exists(out) else None
if old != text:
    with open(out, "w", encoding="utf-8") as f:
        f.write(text)
