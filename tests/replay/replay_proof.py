#!/usr/bin/env python3
# SPDX-License-Identifier: MIT
# The replay proof of a refactor: the same input files must give the same
# state dump and the same last picture before and after it.
#
#   replay_proof.py record GAME BASELINE [--count N]   before the change
#   replay_proof.py check  GAME BASELINE [--count N]   after it
#
# GAME is the built twinworlds (run from its game folder, build/game). The
# input files are every file in demos/ and N seeded random games (a player's
# mix of runs, jumps, attacks, switches, both menus, spawns and continues,
# 3,000 to 8,000 flips each), made again from their seeds on every run.
# BASELINE is a text file of one line per input: name, the state dump's
# SHA-256 and the picture's (its pixels, not the PNG's bytes, so another
# zlib does not matter). A dump that differs only in the maps' cells is
# reported apart: a run that ends inside a switch scene may show its gates
# either way; the picture must still match.
#
# tests/replay/baseline.txt holds the figures of every file as the game
# stands; record it again only when the game is meant to change (new
# stages, new rules, a new demo).
import argparse
import hashlib
import json
import os
import random
import struct
import subprocess
import sys
import tempfile
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))


def random_game(seed):
    """The text of an input file: a seeded player's mix, as the soak plays."""
    rng = random.Random(seed)
    length = rng.randint(3000, 8000)
    lines = [(0, ()), (3, ("RETURN",)), (5, ())]
    flip = 5
    runs = ("LEFT", "RIGHT")
    menu_steps = 0
    while flip < length:
        if menu_steps > 0:
            menu_steps -= 1
            keys = ("CONTROL",) if menu_steps == 0 else (rng.choice(("LEFT", "RIGHT", "UP", "DOWN", "RETURN", "Y")),)
            hold = 2
        else:
            choice = rng.randrange(20)
            if choice < 4:
                keys, hold = (rng.choice(runs),), 5 + rng.randrange(60)
            elif choice < 6:
                keys, hold = (rng.choice(runs), "Z"), 3 + rng.randrange(20)
            elif choice == 6:
                keys, hold = ("Z",), 1 + rng.randrange(15)
            elif choice == 7:
                keys, hold = ("X",), 2 + rng.randrange(8)
            elif choice == 8:
                keys, hold = ("C",), 2 + rng.randrange(8)
            elif choice == 9:
                keys, hold = ("UP", "X"), 2 + rng.randrange(8)
            elif choice == 10:
                keys, hold = ("DOWN", "X"), 2 + rng.randrange(12)
            elif choice == 11:
                keys, hold = (), 5 + rng.randrange(30)
            elif choice == 12:
                keys, hold = ("SPACE",), 2 + rng.randrange(3)
            elif choice == 13:
                menu_steps = 5 + rng.randrange(40)
                keys, hold = ("CONTROL",), 2
            elif choice == 14:
                # The pause menu, left again with F1 a moment later.
                lines.append((flip, ("ESCAPE",)))
                lines.append((flip + 2, ()))
                flip += 3 + rng.randrange(30)
                keys, hold = ("F1",), 2
            elif choice == 15:
                keys, hold = ("BACK", rng.choice(runs)), 10 + rng.randrange(60)
            elif choice == 16:
                keys, hold = ("Y",), 2
            elif choice == 17:
                keys, hold = ("RETURN",), 2
            else:
                keys, hold = (rng.choice(runs), "X"), 2 + rng.randrange(10)
        lines.append((flip, tuple(sorted(set(keys)))))
        # A key let go between two plans, so every plan is a fresh press.
        lines.append((flip + hold, ()))
        flip += hold + 1
    text = "twinworlds-input 1\n# replay proof, seed %d\n" % seed
    last = -1
    for f, keys in lines:
        if f <= last:
            continue
        text += " ".join([str(f)] + list(keys)) + "\n"
        last = f
    return text


def png_pixels(path):
    """The decoded rows of an 8-bit RGB PNG, as the game writes them."""
    data = open(path, "rb").read()
    pos, idat, width, height = 8, b"", 0, 0
    while pos < len(data):
        size, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + size]
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            idat += body
        pos += 12 + size
    raw = zlib.decompress(idat)
    stride = width * 3
    rows, prev = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        row = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = row[i - 3] if i >= 3 else 0
            b = prev[i]
            c = prev[i - 3] if i >= 3 else 0
            if kind == 1:
                row[i] = (row[i] + a) & 0xFF
            elif kind == 2:
                row[i] = (row[i] + b) & 0xFF
            elif kind == 3:
                row[i] = (row[i] + (a + b) // 2) & 0xFF
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                row[i] = (row[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 0xFF
        rows.append(bytes(row))
        prev = row
    return b"".join(rows)


def inputs(count):
    """(name, text) of every input file of the proof."""
    out = []
    demos = os.path.join(ROOT, "demos")
    for name in sorted(os.listdir(demos)):
        if name.endswith(".txt"):
            out.append(("demos/" + name, open(os.path.join(demos, name)).read()))
    for seed in range(1, count + 1):
        out.append(("seed%02d" % seed, random_game(seed)))
    return out


def run(game, name, text, work):
    path = os.path.join(work, name.replace("/", "_"))
    with open(path, "w") as f:
        f.write(text)
    dump, picture = path + ".json", path + ".png"
    # The baseline's pictures are the Japanese game's, whatever the locale.
    subprocess.run([game, "--headless", "--lang", "ja", "--input", path, "--dump-state", dump, "--screenshot", picture],
                   check=True, cwd=os.path.dirname(game) + "/game", stdout=subprocess.DEVNULL)
    state = json.load(open(dump))
    without_cells = json.loads(json.dumps(state))
    for w in without_cells.get("worlds", []):
        w.get("map", {}).pop("cells", None)
    sha = lambda b: hashlib.sha256(b).hexdigest()
    return (sha(open(dump, "rb").read()), sha(png_pixels(picture)),
            sha(json.dumps(without_cells, sort_keys=True).encode()))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=("record", "check"))
    parser.add_argument("game")
    parser.add_argument("baseline")
    parser.add_argument("--count", type=int, default=50, help="seeded random games (default 50)")
    args = parser.parse_args()
    game = os.path.abspath(args.game)
    with tempfile.TemporaryDirectory() as work:
        results = {name: run(game, name, text, work) for name, text in inputs(args.count)}
    if args.mode == "record":
        with open(args.baseline, "w") as f:
            for name, r in results.items():
                f.write("%s %s %s %s\n" % (name, *r))
        print("replay proof: recorded %d files" % len(results))
        return 0
    expected = {}
    for line in open(args.baseline):
        name, *hashes = line.split()
        expected[name] = hashes
    identical = scene = failed = 0
    for name, r in results.items():
        if name not in expected:
            continue
        dump, picture, rest = expected[name]
        if r[0] == dump and r[1] == picture:
            identical += 1
        elif r[1] == picture and r[2] == rest:
            scene += 1
            print("%s: the maps' cells differ (a run that ends in a switch scene)" % name)
        else:
            failed += 1
            print("%s: %s differs" % (name, "the picture" if r[1] != picture else "the state"))
    print("replay proof: %d identical, %d differ only in the maps' cells, %d differ" % (identical, scene, failed))
    print("%d passed, %d failed" % (identical + scene, failed))
    return 1 if failed or identical + scene == 0 else 0


if __name__ == "__main__":
    sys.exit(main())
