#!/usr/bin/env python3
"""Makes demos/complete.txt, a recorded game from the title to the closing
screen, by a beam search over headless runs of the built game.

    bash scripts/build.sh build
    python3 tools/demo_search.py [--build build] [--out demos/complete.txt]
                                 [--beam 4] [--jobs 2] [--hold 40]
                                 [-v] [--trace best_so_far.txt]
                                 [--resume best_so_far.txt] [--patience 150]

-v shows its progress, --trace keeps the best recording so far (for a look
with --screenshot, or to go on from it with --resume after a change further
on in the stages).

The route is the stage designer's: a list of steps in the two worlds
(switches to press, places to reach, world swaps, the goal). The search
grows the recording a short move at a time: each candidate move (running,
jumping, wall jumps, waiting, a slash) is appended to a recording of the
beam and played by a fork of the parked game that stands at the end of that
recording (twinworlds-demo-runner), and the state it reaches is scored:
steps done, distance to the step's target, hit points kept (one is worth
eighty flips), enemies within reach, flips spent, deaths (never worth it). The best few
recordings go on. The game is the same on every run, so a fork reaches the
state that replaying its recording from the title reaches; the result is
proven so with the real game (below). With the default beam of 4 the
whole game takes some 15 minutes of two busy cores.

Switch cells and the goal are looked up in the stage files of the game
folder, so moved switches are found again; a new route needs a new ROUTE.
The result is replayed once more to the end (the game must leave by
itself) before it is written; one that does not leave is kept beside --out
with the suffix .unfinished, for a look.
"""

import argparse
import itertools
import json
import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CELL = 32
STAND = 25  # a character standing on cell row r has y = 32 r - 25
GOAL, PRESSED = 52, 150

# The designer's route: ("press", world, switch value), ("goto", world,
# column), ("reach", world, column, row stood on), ("clear", world, first column, last column): beat the throwers
# there, since a character left standing in the other world is a target for
# them; ("swap", world to go to), ("goal", world).
ROUTE = [
    ("press", 0, 125),  # A: switch a opens world B's gate 1
    ("goto", 0, 146),  # A: in the tunnel before gate 1
    ("swap", 1),
    ("goto", 1, 60),  # B: over the slabs of the long pit
    ("goto", 1, 108),  # B: into shaft 1
    ("press", 1, 101),  # up to switch x, which opens A's gate 1
    ("goto", 1, 138),  # in the tunnel before the hidden doorway
    ("swap", 0),
    ("clear", 0, 140, 152),  # A: a thrower that walked into the open tunnel
    ("goto", 0, 138),  # back off the tunnel's roof, if a fight went up there
    ("reach", 0, 146, 14),  # into the tunnel before gate 1
    ("goto", 0, 207),  # into shaft 1
    ("press", 0, 102),  # up to switch c, which opens gate 2
    ("press", 0, 126),  # switch b clears B's doorway
    ("goto", 0, 300),  # in the tunnel before gate 3
    ("swap", 1),
    ("goto", 1, 161),  # B: under the low ceilings
    ("goto", 1, 186),  # over the deep pit
    ("press", 1, 129),  # switch z opens gate 2
    ("press", 1, 103),  # over the stairs of slabs to switch y: A's gate 3
    ("clear", 1, 274, 292),
    ("goto", 1, 280),  # before gate 3, where its wall keeps random enemies away
    ("swap", 0),
    ("goto", 0, 341),  # A: past the optional shaft, into shaft 2
    ("press", 0, 127),  # up to switch d, which opens B's gate 3
    ("goto", 0, 388),  # over the spike field
    ("clear", 0, 400, 420),
    ("goto", 0, 418),  # in the tunnel before gate 4
    ("swap", 1),
    ("goto", 1, 305),  # B: into shaft 3
    ("reach", 1, 315, 5),  # on its high ledge (row 5)
    ("goto", 1, 355),  # over the spike run, down to the far end
    ("clear", 1, 410, 440),
    ("goto", 1, 462),  # past the pit and its thrower, before the keep
    ("goto", 1, 467),  # under the pillar, into the shaft
    ("reach", 1, 475, 6),  # up the shaft by the pillar, onto the keep
    ("goto", 1, 505),  # down off the keep
    ("goto", 1, 539),  # under the second tower's pillar, into its shaft
    ("reach", 1, 545, 4),  # up onto the tower
    ("press", 1, 104),  # switch u at the far end opens A's gate 4
    ("swap", 0),
    ("goto", 0, 412),  # A: back off the tunnel's roof
    ("reach", 0, 418, 14),  # A: down off the tunnel's roof, into it before gate 4
    ("goto", 0, 447),  # through gate 4, under the pillar of the ruined stair
    ("reach", 0, 451, 5),  # up onto the ruin
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
        ground.append([((d, "X"), 1), ((), 8)])  # or slash
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
    """Headless games parked at flips, in twinworlds-demo-runner processes:
    a candidate move is tried by a fork of the recording it extends, so a
    try costs the flips of the move, not of the whole recording."""

    def __init__(self, build, jobs):
        # Work on a copy, so that a rebuild during the search changes nothing.
        self.tmp = tempfile.mkdtemp(prefix="demo_search_")
        self.exe = os.path.join(self.tmp, "twinworlds")
        self.dir = os.path.join(self.tmp, "game")
        shutil.copy2(os.path.join(build, "twinworlds"), self.exe)
        shutil.copy2(os.path.join(build, "twinworlds-demo-runner"), os.path.join(self.tmp, "runner"))
        shutil.copytree(os.path.join(build, "game"), self.dir)
        self.jobs = jobs
        self.runs = 0
        self.names = itertools.count(1)
        self.nodes = {}
        os.mkfifo(os.path.join(self.tmp, "replies"))
        self.replies = os.open(os.path.join(self.tmp, "replies"), os.O_RDWR)
        self.pending = b""
        self.root = self._Fifo(0)
        self.server = subprocess.Popen([os.path.join(self.tmp, "runner"), self.tmp], cwd=self.dir)

    def _Fifo(self, node):
        path = os.path.join(self.tmp, "n%d" % node)
        os.mkfifo(path)
        self.nodes[node] = os.open(path, os.O_RDWR)
        return node

    def _Send(self, node, text):
        os.write(self.nodes[node], (text + "\n").encode())

    @staticmethod
    def Keys(segments):
        return " ".join("%d:%s" % (n, "+".join(keys)) for keys, n in segments if n > 0)

    def Spawn(self, node, segments):
        """A new parked game: node's, after these flips."""
        child = self._Fifo(next(self.names))
        self._Send(node, "spawn %d %s" % (child, self.Keys(segments)))
        return child

    def Quit(self, node):
        self._Send(node, "quit")
        os.close(self.nodes.pop(node))
        os.remove(os.path.join(self.tmp, "n%d" % node))

    def _Reply(self):
        while b"\n" not in self.pending:
            self.pending += os.read(self.replies, 4096)
        line, self.pending = self.pending.split(b"\n", 1)
        return line.decode()

    def RunMany(self, jobs):
        """States after each (node, segments), `jobs` forks at a time."""
        results, tags, sent = [None] * len(jobs), {}, 0
        for _ in range(len(jobs)):
            while sent < len(jobs) and len(tags) < self.jobs:
                node, segments = jobs[sent]
                tag = "t%d" % next(self.names)
                tags[tag] = sent
                self._Send(node, "eval %s %s" % (tag, self.Keys(segments)))
                sent += 1
            tag = self._Reply()
            path = os.path.join(self.tmp, tag + ".json")
            try:
                with open(path) as f:
                    results[tags.pop(tag)] = json.load(f)
                os.remove(path)
            except (OSError, ValueError):
                results[tags.pop(tag)] = None
            self.runs += 1
        return results

    def Replay(self, segments, frames):
        """The real game from the title with the whole recording: the proof."""
        name = os.path.join(self.tmp, "replay")
        with open(name + ".txt", "w") as f:
            f.write(InputText(segments))
        r = subprocess.run([self.exe, "--headless", "--input", name + ".txt", "--frames", str(frames),
                            "--dump-state", name + ".json"], cwd=self.dir, capture_output=True)
        try:
            with open(name + ".json") as f:
                return r.returncode, json.load(f)
        except (OSError, ValueError):
            return r.returncode, None

    def Close(self):
        for node in list(self.nodes):
            self.Quit(node)
        try:
            self.server.wait(timeout=5)
        except subprocess.TimeoutExpired:
            self.server.kill()


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
            elif kind == "reach":
                row = step[3] - (self.stages[world].height - 15)
                self.steps.append(dict(kind=kind, world=world, col=step[2], row=row))
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
            # Standing on two cells, the character lands on the left one: the
            # left edge of its box must be on the goal.
            return (p["air"] == 0 and (p["x"] + p["boxLeft"]) // CELL == s["col"]
                    and p["y"] == s["row"] * CELL - STAND)
        if s["kind"] == "reach":
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
    def __init__(self, segments, state, step, score, deaths=0, server=None, low=None):
        self.segments, self.state, self.step, self.score, self.deaths = segments, state, step, score, deaths
        self.server = server  # the parked game that stands at the end of segments
        self.low = low  # (hit points, flip, world, column) where they were lowest


def Dead(state):
    return any(w["player"]["dead"] for w in state["worlds"])


def Score(route, step, state, flips, deaths):
    # A death costs more than the hit points its continue gives back; a hit
    # point is worth eighty flips, so the search goes round what hurts when
    # it can, and fights its way through when it cannot.
    p = state["worlds"][state["gameMode"]]["player"]
    return (step * 1e6 - route.Distance(min(step, len(route.steps) - 1), state) + 160 * p["hp"] - 2 * flips
            - 12 * NearHp(state) - 100000 * deaths)


def NearHp(state):
    """Hit points of the enemies within a slash or two of the active
    character: beating what stands in the way is progress too."""
    world = state["worlds"][max(0, min(1, state["gameMode"]))]
    p = world["player"]
    return sum(e["hp"] for e in world["enemies"]
               if e["dead"] == 0 and abs(e["x"] - p["x"]) <= 160 and abs(e["y"] - p["y"]) <= 64)


def Lowest(low, state, flips):
    world = max(0, min(1, state["gameMode"]))
    p = state["worlds"][world]["player"]
    here = (min(w["player"]["hp"] for w in state["worlds"]), flips, world, p["x"] // CELL)
    return here if low is None or here[0] < low[0] else low


def ReadRecording(path):
    """The segments of a recording written by --trace (its last line says
    where it ends)."""
    lines, end = [], None
    for line in open(path):
        if line.startswith("# end "):
            end = int(line.split()[2])
        line = line.split("#")[0].split()
        if line and line[0].isdigit():
            lines.append((int(line[0]), tuple(line[1:])))
    if end is None:
        sys.exit("demo_search: %s: no '# end' line" % path)
    return [(keys, (lines[i + 1][0] if i + 1 < len(lines) else end) - flip) for i, (flip, keys) in enumerate(lines)]


def LowestAlong(game, segments, every=10):
    """Where the hit points were lowest along a whole recording (a resumed
    search saw only its own part): it is played once more in steps."""
    flat = []
    for keys, n in segments:
        flat += [keys] * n
    node, low, flip = game.root, None, 1
    while flip < len(flat):
        part = Compact([(k, 1) for k in flat[flip:flip + every]])
        [state] = game.RunMany([(node, part)])
        flip += sum(n for _, n in part)
        if state:
            low = Lowest(low, state, flip)
        child = game.Spawn(node, part)
        if node != game.root:
            game.Quit(node)
        node = child
    if node != game.root:
        game.Quit(node)
    return low


def Search(game, route, beam, verbose, trace, resume=None, first_step=0, patience=150):
    # The runner parks its first game at flip 1: the first flip has no keys.
    start = ReadRecording(resume) if resume else [((), 1), (("RETURN",), 1)]
    rest = Compact(start)
    rest = [(rest[0][0], rest[0][1] - 1)] + rest[1:]
    [state] = game.RunMany([(game.root, rest)])
    nodes = [Node(start, state, first_step, 0.0, 0, game.Spawn(game.root, rest), None)]
    ground_moves, air_moves = Moves()
    began = time.time()
    best, stale = None, 0
    while True:
        width = beam * (4 if stale >= 10 else 1)  # wider while no progress is made
        if stale > patience:
            sys.exit("demo_search: no progress at step %d; the best so far is in --trace" % nodes[0].step)
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
                jobs.append((node.server, move))
                meta.append((node, move))
        results = game.RunMany(jobs)
        children = {}
        for (node, move), state in zip(meta, results):
            if state is None or state.get("gameMode") not in (0, 1):
                continue
            segs = node.segments + move
            step = node.step
            while step < len(route.steps) and route.Done(step, state):
                step += 1
            low = Lowest(node.low, state, Flips(segs))
            if step == len(route.steps):
                for n in nodes:
                    game.Quit(n.server)
                return Node(segs, state, step, 0.0, node.deaths, None, low)
            # Each continue after a death plays SeLvup (no skill is bought here).
            deaths = state["sounds"]["SeLvup"] + Dead(state)
            score = Score(route, step, state, Flips(segs), deaths)
            p = state["worlds"][state["gameMode"]]["player"]
            key = (step, state["gameMode"], p["x"], p["y"], p["air"], p["hp"], p["vy"], p["dead"])
            if key not in children or children[key].score < score:
                children[key] = Node(segs, state, step, score, deaths, (node.server, move), low)
        if not children:
            sys.exit("demo_search: every candidate failed to run")
        chosen = sorted(children.values(), key=lambda n: -n.score)[:width]
        for n in chosen:
            parent, move = n.server
            n.server = game.Spawn(parent, move)
        for n in nodes:
            game.Quit(n.server)
        nodes = chosen
        progress = max(n.step * 1e6 - route.Distance(n.step, n.state) for n in nodes)
        if best is None or progress > best:
            best, stale = progress, 0
        else:
            stale += 1
        if trace:
            with open(trace, "w") as f:
                f.write(InputText(nodes[0].segments, "step %d\nend %d" % (nodes[0].step, Flips(nodes[0].segments))))
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
    ap.add_argument("--resume", metavar="TRACE", help="go on from a recording kept by --trace")
    ap.add_argument("--patience", type=int, default=150, help="rounds without progress before giving up")
    args = ap.parse_args()

    try:
        commit = subprocess.run(["git", "-C", ROOT, "rev-parse", "--short", "HEAD"], capture_output=True,
                                text=True).stdout.strip()
    except OSError:
        commit = "?"
    game = Game(os.path.abspath(args.build), args.jobs)
    signal.signal(signal.SIGTERM, lambda *_: sys.exit("demo_search: stopped"))
    try:
        Make(game, args, commit)
    finally:
        game.Close()
        shutil.rmtree(game.tmp, ignore_errors=True)


def Make(game, args, commit):
    route = Route(game.dir)
    first = 0
    if args.resume:
        first = next(int(l.split()[2]) for l in open(args.resume) if l.startswith("# step "))
    best = Search(game, route, args.beam, args.verbose, args.trace, args.resume, first, args.patience)
    segments = best.segments + [((), args.hold), (("RETURN",), 2)]
    limit = Flips(segments) + 1000
    code, state = game.Replay(segments, limit)
    if code != 0 or state is None or state["flips"] >= limit:
        kept = args.out + ".unfinished"
        with open(kept, "w") as f:
            f.write(InputText(segments, "did not end the game by itself"))
        sys.exit("demo_search: the recording does not end the game by itself (exit %s); it is in %s" % (code, kept))
    frames = state["frames"]
    hp = min(w["player"]["hp"] for w in best.state["worlds"])
    low, at, world, column = LowestAlong(game, best.segments) if args.resume else best.low
    comment = ("The whole game: the title, both worlds by the designer's route, the goal and\n"
               "Enter on the closing screen: %d flips, %d frames of play (%.0f s of game time).\n"
               "Deaths: %d. It ends with %d hit points; the fewest were %d, at flip %d in\n"
               "world %s near column %d.\n"
               "Made by a beam search (beam %d) over headless runs of the game built from %s:\n"
               "    python3 tools/demo_search.py --beam %d\n"
               "Play it back: cd build/game && ../twinworlds --window --input ../../demos/complete.txt"
               % (state["flips"], frames, frames * 0.03, best.deaths, hp, low, at, "AB"[world], column,
                  args.beam, commit, args.beam))
    os.makedirs(os.path.dirname(os.path.abspath(args.out)), exist_ok=True)
    with open(args.out, "w") as f:
        f.write(InputText(segments, comment))
    print("demo_search: %s: %d flips, %d frames, %d runs, %d deaths, %d hit points at the end, %d at the lowest"
          " (flip %d, world %s, column %d)" % (args.out, state["flips"], frames, game.runs, best.deaths, hp, low, at,
                                                "AB"[world], column))


if __name__ == "__main__":
    main()
