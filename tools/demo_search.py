#!/usr/bin/env python3
"""Makes demos/complete.txt, a recorded game from the title to the closing
screen, by a beam search over headless runs of the built game.

    bash scripts/build.sh build
    python3 tools/demo_search.py [--build build] [--out demos/complete.txt]
                                 [--beam 4] [--jobs 2] [--hold 40]
                                 [-v] [--trace best_so_far.txt]

It takes some 10 to 20 minutes on two cores; -v shows its progress, --trace
keeps the best recording so far for a look with --screenshot.

The route is the stage designer's: a list of steps in the two worlds
(switches to press, places to reach, world swaps, the goal). The search
grows the recording a short move at a time: each candidate move (running,
jumping, wall jumps, waiting, a slash) is appended to a recording of the
beam, the whole recording is replayed headless from the title, and the
state dump is scored: steps done, distance to the step's target, hit points
kept, flips spent. The best few recordings go on. The game is the same on
every run, so replaying a recording always reaches the same state.

Switch cells and the goal are looked up in the stage files of the game
folder, so moved switches are found again; a new route needs a new ROUTE.
The result is replayed once more to the end (the game must leave by
itself) before it is written.
"""

import argparse
import concurrent.futures
import itertools
import json
import os
import shutil
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CELL = 32
STAND = 25  # a character standing on cell row r has y = 32 r - 25
GOAL, PRESSED = 52, 150

# The designer's route: ("press", world, switch value), ("goto", world,
# column), ("clear", world, first column, last column): beat the throwers
# there, since a character left standing in the other world is a target for
# them; ("swap", world to go to), ("goal", world).
ROUTE = [
    ("press", 0, 125),  # A: switch a opens world B's gate 1
    ("goto", 0, 46),  # before A's gate 1
    ("clear", 0, 36, 47),
    ("goto", 0, 46),
    ("swap", 1),
    ("press", 1, 101),  # B: switch x opens A's gate 1
    ("goto", 1, 58),  # B: into the shaft
    ("press", 1, 127),  # up the shaft to switch z, which opens B's gate 2
    ("goto", 1, 108),  # before B's hidden doorway
    ("clear", 1, 90, 109),
    ("goto", 1, 108),
    ("swap", 0),
    ("goto", 0, 72),  # A: into the shaft
    ("press", 0, 102),  # up the shaft to switch c, which opens A's gate 2
    ("goto", 0, 92),  # down through gate 2
    ("press", 0, 126),  # switch b clears B's doorway
    ("goto", 0, 118),  # before A's gate 3
    ("clear", 0, 105, 119),
    ("goto", 0, 118),
    ("swap", 1),
    ("press", 1, 103),  # B: switch y opens A's gate 3
    ("swap", 0),
    ("goal", 0),
]
STAGES = ["stage/fai_kansei.txt", "stage/Magic1234.txt"]


def Moves():
    """Candidate moves, each a list of (keys, flips): those for a character
    on the ground, and those for one in the air."""
    ground, air = [[((), 6)], [(("Z",), 1), ((), 12)]], [[((), 2)]]
    for d in ("RIGHT", "LEFT"):
        back = "LEFT" if d == "RIGHT" else "RIGHT"
        ground += [[((d,), 6)], [((d,), 18)]]
        for k in (4, 8, 12, 18):  # jumps
            ground.append([((d, "Z"), 1), ((d,), k)])
        ground.append([((d, "Z"), 1), ((back,), 6)])  # up onto a step behind
        ground.append([((d, "C"), 1), ((), 8)])  # face that way and sweep
        air += [[((d,), 2)], [((d,), 6)]]
        # A wall jump off a wall on the side of d: keep pressing towards it
        # until it is touched, press away to cling, jump away.
        for k in (0, 2, 4):
            for m in (6, 12):
                air.append(([((d,), k)] if k else []) + [((back,), 1), ((back, "Z"), 1), ((back,), m)])
    return ground, air


SWAP_MOVES = [[((), 2), (("SPACE",), 1), ((), 18)], [((), 6)]]
DEATH_MOVES = [[(("Y",), 2), ((), 4)]]


class Stage:
    def __init__(self, path):
        nums = [int(t) for t in open(path).read().replace(",", " ").split()]
        self.width, self.height = nums[0], nums[1]
        self.cells = nums[2:]

    def Find(self, value):
        i = self.cells.index(value)
        return i % self.width, i // self.width - (self.height - 15)


class Game:
    def __init__(self, build, jobs):
        # Work on a copy, so that a rebuild during the search changes nothing.
        self.tmp = tempfile.mkdtemp(prefix="demo_search_")
        self.exe = os.path.join(self.tmp, "twinworlds")
        self.dir = os.path.join(self.tmp, "game")
        shutil.copy2(os.path.join(build, "twinworlds"), self.exe)
        shutil.copytree(os.path.join(build, "game"), self.dir)
        self.pool = concurrent.futures.ThreadPoolExecutor(max_workers=jobs)
        self.runs = 0
        self.names = itertools.count()

    def Run(self, segments, frames):
        name = os.path.join(self.tmp, "r%d" % next(self.names))
        with open(name + ".txt", "w") as f:
            f.write(InputText(segments))
        r = subprocess.run([self.exe, "--headless", "--input", name + ".txt", "--frames", str(frames),
                            "--dump-state", name + ".json"], cwd=self.dir, capture_output=True)
        self.runs += 1
        try:
            with open(name + ".json") as f:
                state = json.load(f)
        except (OSError, ValueError):
            state = None
        for ext in (".txt", ".json"):
            try:
                os.remove(name + ext)
            except OSError:
                pass
        return r.returncode, state

    def RunMany(self, jobs):
        return list(self.pool.map(lambda j: self.Run(*j), jobs))


def Compact(segments):
    out = []
    for keys, n in segments:
        keys = tuple(sorted(keys))
        if out and out[-1][0] == keys:
            out[-1] = (keys, out[-1][1] + n)
        elif n > 0:
            out.append((keys, n))
    return out


def InputText(segments, comment=""):
    lines = ["twinworlds-input 1"] + [("# " + c).rstrip() for c in comment.splitlines()]
    flip = 0
    for keys, n in Compact(segments):
        lines.append(" ".join([str(flip)] + list(keys)))
        flip += n
    return "\n".join(lines) + "\n"


def Flips(segments):
    return sum(n for _, n in segments)


class Route:
    def __init__(self, game_dir):
        self.stages = [Stage(os.path.join(game_dir, s)) for s in STAGES]
        self.steps = []
        for step in ROUTE:
            kind, world = step[0], step[1]
            if kind == "press":
                col, row = self.stages[world].Find(step[2])
                self.steps.append(dict(kind=kind, world=world, col=col, row=row))
            elif kind == "goal":
                col, row = self.stages[world].Find(GOAL)
                self.steps.append(dict(kind=kind, world=world, col=col, row=row))
            elif kind == "goto":
                self.steps.append(dict(kind=kind, world=world, col=step[2]))
            elif kind == "clear":
                self.steps.append(dict(kind=kind, world=world, first=step[2] * CELL, last=step[3] * CELL + CELL))
            else:
                self.steps.append(dict(kind=kind, world=world))

    @staticmethod
    def Cell(state, world, col, row):
        m = state["worlds"][world]["map"]
        return m["cells"][(row + m["height"] - 15) * m["width"] + col]

    @staticmethod
    def Throwers(s, state):
        return [e for e in state["worlds"][s["world"]]["enemies"]
                if e["kind"] == 302 and e["dead"] == 0 and s["first"] <= e["x"] < s["last"]]

    def Done(self, step, state):
        s = self.steps[step]
        if s["kind"] == "swap":
            return state["gameMode"] == s["world"]
        p = state["worlds"][s["world"]]["player"]
        if state["gameMode"] != s["world"] or p["dead"]:
            return False
        if s["kind"] == "press":
            return self.Cell(state, s["world"], s["col"], s["row"]) == PRESSED
        if s["kind"] == "clear":
            return not self.Throwers(s, state)
        if s["kind"] == "goal":
            return (p["air"] == 0 and p["x"] // CELL == s["col"] and p["y"] == s["row"] * CELL - STAND)
        return (abs(p["x"] - (s["col"] * CELL + CELL // 2)) <= 12 and p["air"] == 0 and p["hurt"] == 0)

    def Distance(self, step, state):
        s = self.steps[step]
        if s["kind"] == "swap":
            return 0
        p = state["worlds"][s["world"]]["player"]
        if s["kind"] == "clear":
            left = self.Throwers(s, state)
            if not left:
                return 0
            # Stand a slash's reach from the nearest, and wear them down.
            near = min(abs(abs(e["x"] - p["x"]) - 60) + abs(e["y"] - p["y"]) for e in left)
            return near + 20 * sum(e["hp"] for e in left)
        dx = abs(p["x"] - (s["col"] * CELL + CELL // 2))
        if s["kind"] == "goto":
            return dx
        dy = p["y"] - (s["row"] * CELL - STAND)
        return dx + 3 * max(dy, 0) + max(-dy, 0)


class Node:
    def __init__(self, segments, state, step, score, deaths=0):
        self.segments, self.state, self.step, self.score, self.deaths = segments, state, step, score, deaths


def Dead(state):
    return any(w["player"]["dead"] for w in state["worlds"])


def Score(route, step, state, flips, deaths):
    # A death costs more than the hit points its continue gives back.
    p = state["worlds"][state["gameMode"]]["player"]
    return (step * 1e6 - route.Distance(min(step, len(route.steps) - 1), state) + 8 * p["hp"] - 2 * flips
            - 1000 * deaths)


def Search(game, route, beam, verbose, trace):
    start = [((), 1), (("RETURN",), 1)]
    _, state = game.Run(start, Flips(start))
    nodes = [Node(start, state, 0, 0.0)]
    ground_moves, air_moves = Moves()
    began = time.time()
    best, stale = None, 0
    while True:
        width = beam * (4 if stale >= 10 else 1)  # wider while no progress is made
        jobs, meta = [], []
        for node in nodes:
            s = route.steps[node.step]
            p = node.state["worlds"][max(0, min(1, node.state["gameMode"]))]["player"]
            if p["dead"] == 2:
                options = DEATH_MOVES
            elif s["kind"] == "swap":
                options = SWAP_MOVES
            else:
                options = air_moves if p["air"] else ground_moves
            # Enter cuts a switch scene short; it may still run when its
            # step is done.
            enter = "press" in (s["kind"], route.steps[node.step - 1]["kind"] if node.step else "")
            for move in options:
                if enter:
                    move = [(keys + ("RETURN",), n) for keys, n in move]
                segs = node.segments + move
                jobs.append((segs, Flips(segs)))
                meta.append((node, segs))
        results = game.RunMany(jobs)
        children = {}
        for (node, segs), (code, state) in zip(meta, results):
            if state is None or state.get("gameMode") not in (0, 1):
                continue
            step = node.step
            while step < len(route.steps) and route.Done(step, state):
                step += 1
            if step == len(route.steps):
                return Node(segs, state, step, 0.0)
            # Each continue after a death plays SeLvup (no skill is bought here).
            deaths = state["sounds"]["SeLvup"] + Dead(state)
            score = Score(route, step, state, Flips(segs), deaths)
            p = state["worlds"][state["gameMode"]]["player"]
            key = (step, state["gameMode"], p["x"], p["y"], p["air"], p["hp"], p["vy"], p["dead"])
            if key not in children or children[key].score < score:
                children[key] = Node(segs, state, step, score, deaths)
        if not children:
            sys.exit("demo_search: every candidate failed to run")
        nodes = sorted(children.values(), key=lambda n: -n.score)[:width]
        progress = max(n.step * 1e6 - route.Distance(n.step, n.state) for n in nodes)
        if best is None or progress > best:
            best, stale = progress, 0
        else:
            stale += 1
        if trace:
            with open(trace, "w") as f:
                f.write(InputText(nodes[0].segments))
        if verbose:
            b = nodes[0]
            p = b.state["worlds"][b.state["gameMode"]]["player"]
            print("%6.0fs step %2d/%d flips %5d world %d x %5d y %4d hp %3d deaths %d runs %d%s" % (
                time.time() - began, b.step, len(route.steps), Flips(b.segments), b.state["gameMode"],
                p["x"], p["y"], p["hp"], b.deaths, game.runs, " wide" if width > beam else ""), flush=True)


def main():
    ap = argparse.ArgumentParser(description="Make the demo that plays the whole game.")
    ap.add_argument("--build", default=os.path.join(ROOT, "build"))
    ap.add_argument("--out", default=os.path.join(ROOT, "demos", "complete.txt"))
    ap.add_argument("--beam", type=int, default=4)
    ap.add_argument("--jobs", type=int, default=2)
    ap.add_argument("--hold", type=int, default=40, help="flips the closing screen stays up before Enter")
    ap.add_argument("-v", "--verbose", action="store_true")
    ap.add_argument("--trace", help="keep the best recording so far in this file")
    args = ap.parse_args()

    try:
        commit = subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"], capture_output=True,
                                text=True).stdout.strip()
    except OSError:
        commit = "?"
    game = Game(os.path.abspath(args.build), args.jobs)
    try:
        Make(game, args, commit)
    finally:
        shutil.rmtree(game.tmp, ignore_errors=True)


def Make(game, args, commit):
    route = Route(game.dir)
    best = Search(game, route, args.beam, args.verbose, args.trace)
    segments = best.segments + [((), args.hold), (("RETURN",), 2)]
    limit = Flips(segments) + 1000
    code, state = game.Run(segments, limit)
    if code != 0 or state is None or state["flips"] >= limit:
        sys.exit("demo_search: the recording does not end the game by itself (exit %s)" % code)
    frames = state["frames"]
    comment = ("The whole game: the title, both worlds by the designer's route, the goal and\n"
               "Enter on the closing screen: %d flips, %d frames of play (%.0f s of game time).\n"
               "Made by a beam search over headless runs of the game built from %s:\n"
               "    python3 tools/demo_search.py\n"
               "Play it back: cd build/game && ../twinworlds --window --input ../../demos/complete.txt"
               % (state["flips"], frames, frames * 0.03, commit))
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "w") as f:
        f.write(InputText(segments, comment))
    print("demo_search: %s: %d flips, %d frames, %d runs" % (args.out, state["flips"], frames, game.runs))


if __name__ == "__main__":
    main()
