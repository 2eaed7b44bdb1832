#!/usr/bin/env python3
"""Proposes the French, English, Spanish and German level sets.

Usage: levelgen.py [--out DIR] [--only fr|en|es|de]

Reads the word lists beside this file and writes DIR/french.txt,
DIR/english.txt, DIR/spanish.txt and DIR/german.txt in the level source
format. The run is
reproducible (fixed seeds). What it writes is a proposal: the committed
level sources are reviewed level by level, and the build reads only those.

Every proposed level is solved by its stored arrangement in all eight board
layouts of a level start, keeps its floor connected, gives every word cube
room to roll, and is left unsolved by the start-of-level shuffle for almost
every seed (see rules.py for the model of the game's rules).
"""

import argparse
import os
import random
import sys

import rules

HERE = os.path.dirname(os.path.abspath(__file__))
WALL = 0
# The codes are drawn in this order, so a set added at the end leaves the
# codes of the others alone.
SETS = (("fr", "french", 1789), ("en", "english", 1066), ("es", "spanish", 1492), ("de", "german", 1455))

# The difficulty curve, one entry per level: word lengths, board size with its
# outer wall, the wall layout, and a feature:
#   row     two words share a row
#   cross   two words cross on a middle letter
#   static1 / static2   one or two static letter blocks inside a single word
#   staticx two words cross on a static letter block
PLAN = [
    # 1-5: one short word in a small open room (the demonstration plays these)
    ((3,), (7, 5), "open", ""),
    ((3,), (7, 6), "open", ""),
    ((4,), (8, 6), "open", ""),
    ((4,), (8, 6), "open", ""),
    ((4,), (8, 7), "open", ""),
    # 6-10: two words
    ((3, 3), (8, 7), "open", ""),
    ((3, 4), (8, 7), "open", ""),
    ((4, 4), (9, 7), "open", ""),
    ((3, 3), (9, 7), "open", "row"),
    ((4, 5), (9, 8), "open", ""),
    # 11-20: first walls, first static block, first crossing, three words
    ((4, 5), (9, 8), "pillars2", ""),
    ((5,), (9, 7), "pillars2", "static1"),
    ((4, 5), (10, 8), "pillars3", ""),
    ((5, 5), (10, 8), "segments2", "cross"),
    ((4, 4, 4), (10, 8), "segments2", ""),
    ((4, 4), (12, 8), "segments2", "row"),
    ((7, 5), (10, 8), "segments3", "staticx"),
    ((4, 5, 5), (11, 8), "room", ""),
    ((6,), (10, 7), "room", "static2"),
    ((5, 5, 5), (11, 8), "room", "cross"),
    # 21-30: rooms and corridors
    ((4, 5, 6), (11, 8), "room", ""),
    ((4, 5, 6), (12, 9), "segments4", "row"),
    ((7, 7), (11, 9), "rooms", "staticx"),
    ((5, 5, 6), (11, 9), "rooms", ""),
    ((5, 6, 6), (12, 9), "corridor", ""),
    ((5, 5, 5), (12, 9), "rooms", "cross"),
    ((7,), (11, 8), "corridor", "static2"),
    ((5, 6, 6), (12, 9), "maze", ""),
    ((4, 5, 5, 5), (12, 9), "segments4", ""),
    ((5, 7, 6), (12, 9), "rooms", "cross"),
    # 31-40: four words, longer words
    ((5, 5, 6, 6), (12, 9), "rooms", ""),
    ((7, 7), (12, 9), "corridor", "staticx"),
    ((5, 5, 6, 6), (13, 10), "corridor", "row"),
    ((5, 6, 6, 6), (13, 9), "rooms", ""),
    ((5, 5, 4, 6), (13, 9), "maze", "cross"),
    ((8,), (12, 8), "maze", "static2"),
    ((5, 6, 6, 7), (13, 10), "rooms", ""),
    ((5, 6, 6, 7), (13, 10), "corridor", ""),
    ((7, 7, 6, 6), (13, 10), "maze", "cross"),
    ((9, 7), (13, 10), "maze", "staticx"),
    # 41-50: five words, mazes
    ((4, 5, 5, 6, 6), (13, 10), "segments4", ""),
    ((5, 5, 6, 7), (14, 10), "corridor", "row"),
    ((5, 7, 6, 6), (14, 10), "maze", "cross"),
    ((5, 5, 6, 6, 6), (14, 10), "rooms", ""),
    ((9,), (13, 9), "corridor", "static2"),
    ((6, 6, 7, 7), (14, 10), "maze", ""),
    ((5, 5, 6, 6, 7), (14, 10), "rooms", "cross"),
    ((7, 9), (14, 10), "maze", "staticx"),
    ((5, 6, 6, 6, 7), (14, 10), "maze", ""),
    ((7, 7, 6, 6), (14, 10), "rooms", "cross"),
    # 51-60: the hardest
    ((5, 5, 6, 6, 7), (14, 10), "corridor", "row"),
    ((5, 5, 6, 6, 7), (14, 10), "segments4", "cross"),
    ((5, 7, 6, 6, 7), (14, 10), "rooms", "cross"),
    ((6, 6, 6, 7, 7), (14, 10), "maze", ""),
    ((9, 9), (14, 10), "maze", "staticx"),
    ((7, 5, 6, 6, 7), (14, 10), "maze", "cross"),
    ((5, 6, 6, 7, 7), (14, 10), "maze", "row"),
    ((7, 5, 6, 6, 7), (14, 10), "segments4", "cross"),
    ((5, 6, 6, 7, 7), (14, 10), "rooms", ""),
    ((7, 7, 6, 6, 7), (14, 10), "maze", "cross"),
]


def load_words(code):
    words = []
    with open(os.path.join(HERE, f"words_{code}.txt"), encoding="utf-8") as f:
        for line in f:
            if not line.startswith("#"):
                words += line.split()
    return words


# ---------------------------------------------------------------- walls

def blank(w, h):
    g = [[rules.FLOOR] * w for _ in range(h)]
    for x in range(w):
        g[0][x] = g[h - 1][x] = WALL
    for y in range(h):
        g[y][0] = g[y][w - 1] = WALL
    return g


def walls(style, w, h, rng):
    g = blank(w, h)
    inner = [(x, y) for y in range(1, h - 1) for x in range(1, w - 1)]

    def free_around(x, y, r=1):
        return all(g[y + dy][x + dx] != WALL
                   for dy in range(-r, r + 1) for dx in range(-r, r + 1)
                   if 0 < x + dx < w - 1 and 0 < y + dy < h - 1)

    if style.startswith("pillars"):
        k = int(style[7:])
        for x, y in rng.sample(inner, len(inner)):
            if k and 2 <= x <= w - 3 and 2 <= y <= h - 3 and free_around(x, y):
                g[y][x] = WALL
                k -= 1
    elif style.startswith("segments"):
        k = int(style[8:])
        for _ in range(200):
            if not k:
                break
            n = rng.randint(2, 3)
            horiz = rng.random() < 0.5
            x, y = rng.randint(2, w - 3), rng.randint(2, h - 3)
            cells = [(x + i, y) if horiz else (x, y + i) for i in range(n)]
            if all(2 <= cx <= w - 3 and 2 <= cy <= h - 3 and free_around(cx, cy) for cx, cy in cells):
                for cx, cy in cells:
                    g[cy][cx] = WALL
                k -= 1
    elif style in ("room", "rooms"):
        vertical = w >= h
        _divide(g, w, h, vertical, rng)
        if style == "rooms":
            _divide(g, w, h, not vertical, rng, partial=True)
    elif style == "corridor":
        # Lanes at least two squares wide, joined at alternate ends: walls
        # along the rows of a wide board, down the columns of a tall one.
        along, across = (w, h) if w >= h else (h, w)

        def square(i, at):
            return (i, at) if w >= h else (at, i)

        cuts = _split(across - 2, 2, rng)
        side = rng.randint(0, 1)
        for cut in cuts:
            gap = rng.randint(1, 2)
            for i in range(1, along - 1):
                if (side and i <= gap) or (not side and i >= along - 1 - gap):
                    continue
                x, y = square(i, cut + 1)
                g[y][x] = WALL
            side ^= 1
    elif style == "maze":
        # Spurs grown from the outer wall and from each other.
        target = (w - 2) * (h - 2) // 7
        placed = 0
        for _ in range(400):
            if placed >= target:
                break
            x, y = rng.randint(1, w - 2), rng.randint(1, h - 2)
            dx, dy = rng.choice(((1, 0), (-1, 0), (0, 1), (0, -1)))
            # start next to an existing wall, grow away from it
            if g[y - dy][x - dx] != WALL or g[y][x] == WALL:
                continue
            n = rng.randint(1, 3)
            cells = []
            for i in range(n):
                cx, cy = x + dx * i, y + dy * i
                if not (1 <= cx <= w - 2 and 1 <= cy <= h - 2) or g[cy][cx] == WALL:
                    break
                # no thick walls: the squares beside the spur stay free
                if any(g[cy + dx * s][cx + dy * s] == WALL for s in (-1, 1)):
                    break
                # and the spur ends before it meets another wall
                if g[cy + dy][cx + dx] == WALL:
                    break
                cells.append((cx, cy))
            if len(cells) >= 1:
                for cx, cy in cells:
                    g[cy][cx] = WALL
                placed += len(cells)
    return g


def _split(n, lane, rng):
    """Positions of dividing walls that cut n squares into lanes >= lane wide."""
    parts = max(1, (n + 1) // (lane + 1) - 1)
    parts = min(parts, 2)
    for _ in range(100):
        cuts = sorted(rng.sample(range(lane, n - lane), parts)) if n - 2 * lane > 0 else []
        lanes = [b - a - 1 for a, b in zip([-1] + cuts, cuts + [n])]
        if cuts and all(s >= lane for s in lanes):
            return cuts
    return []


def _divide(g, w, h, vertical, rng, partial=False):
    """A wall across the board (down a column when vertical, else along a
    row), or part of one, with one or two doors."""
    across, along = (w, h) if vertical else (h, w)

    def square(i, at):  # (x, y) of square i along the wall standing at 'at'
        return (at, i) if vertical else (i, at)

    at = rng.randint(max(3, across // 3), min(across - 4, 2 * across // 3))
    span = list(range(1, along - 1))
    if partial:
        span = span[: rng.randint(len(span) // 2, len(span) - 2)] if rng.random() < 0.5 else span[rng.randint(2, len(span) // 2):]
    for i in span:
        if 1 < i < along - 2:
            for side in (at - 1, at + 1):
                x, y = square(i, side)
                if g[y][x] == WALL:
                    return
    doors = set()
    for _ in range(1 if len(span) < 6 else 2):
        d = rng.choice(span)
        doors.update({d, d + 1} if rng.random() < 0.4 else {d})
    for i in span:
        if i not in doors:
            x, y = square(i, at)
            g[y][x] = WALL


# ---------------------------------------------------------------- words

def palindromic(word, i):
    return word[i] == word[len(word) - 1 - i]


def choose_words(lengths, feature, pool, used, rng):
    """Words of the given lengths whose first letters appear in no other word.

    Returns (words, crossing) where crossing is (i, j): the shared letter at
    position i of words[0] and position j of words[1], or None.
    """
    by_len = {}
    for wd in pool:
        if wd not in used:
            by_len.setdefault(len(wd), []).append(wd)

    def compatible(wd, picked):
        return all(wd != p and wd[0] != p[0] and wd[0] not in p and p[0] not in wd for p in picked)

    def crossings(a, b):
        return [(i, j) for i in range(1, len(a) - 1) for j in range(1, len(b) - 1)
                if a[i] == b[j] and palindromic(a, i) and palindromic(b, j)]

    for _ in range(200):
        picked = []
        for k, n in enumerate(lengths):
            cands = [wd for wd in by_len.get(n, []) if compatible(wd, picked)]
            if k == 1 and feature in ("cross", "staticx"):
                cands = [wd for wd in cands if crossings(picked[0], wd)]
            if not cands:
                break
            picked.append(rng.choice(cands))
        if len(picked) < len(lengths):
            continue
        crossing = None
        if feature in ("cross", "staticx"):
            crossing = rng.choice(crossings(picked[0], picked[1]))
        return picked, crossing
    return None


def cells_of(x, y, d, n):
    return [(x + i, y) if d == 1 else (x, y + i) for i in range(n)]


def place(grid, w, h, words, crossing, feature, rng):
    """Positions (x, y, d) for each word, or None."""
    placed = []
    owner = {}

    def fits(wi, x, y, d):
        n = len(words[wi])
        cs = cells_of(x, y, d, n)
        for i, (cx, cy) in enumerate(cs):
            if not (1 <= cx <= w - 2 and 1 <= cy <= h - 2) or grid[cy][cx] == WALL:
                return False
            if (cx, cy) in owner:
                return False
            for nx, ny in ((cx + 1, cy), (cx - 1, cy), (cx, cy + 1), (cx, cy - 1)):
                if (nx, ny) in owner and not (crossing and wi == 1 and owner[(nx, ny)] == 0):
                    return False
        # nothing right before or after the word along its line
        before = (x - 1, y) if d == 1 else (x, y - 1)
        after = (x + n, y) if d == 1 else (x, y + n)
        return before not in owner and after not in owner

    def options(wi, dirs=(1, 0), line=None):
        opts = []
        for d in dirs:
            for y in range(1, h - 1):
                for x in range(1, w - 1):
                    if line is not None and (y if d == 1 else x) != line:
                        continue
                    if fits(wi, x, y, d):
                        opts.append((x, y, d))
        return opts

    def claim(wi, pos):
        placed.append(pos)
        for c in cells_of(*pos, len(words[wi])):
            owner.setdefault(c, wi)

    def unclaim(wi):
        pos = placed.pop()
        for c in cells_of(*pos, len(words[wi])):
            if owner.get(c) == wi:
                del owner[c]

    first = 0
    if crossing or feature == "row":
        # the first two words are placed as a pair
        pairs = []
        for p0 in options(0):
            claim(0, p0)
            if crossing:
                i, j = crossing
                cx, cy = cells_of(*p0, len(words[0]))[i]
                d = 1 - p0[2]
                x, y = (cx - j, cy) if d == 1 else (cx, cy - j)
                del owner[(cx, cy)]
                if fits(1, x, y, d):
                    pairs.append((p0, (x, y, d)))
                owner[(cx, cy)] = 0
            else:
                line = p0[1] if p0[2] == 1 else p0[0]
                pairs += [(p0, p1) for p1 in options(1, (p0[2],), line)]
            unclaim(0)
        if not pairs:
            return None
        p0, p1 = rng.choice(pairs)
        claim(0, p0)
        claim(1, p1)
        first = 2
    budget = [400]

    def rest(wi):
        """Depth-first over random placements of the remaining words."""
        if wi == len(words):
            return True
        opts = options(wi)
        rng.shuffle(opts)
        for pos in opts[:12]:
            budget[0] -= 1
            if budget[0] < 0:
                return False
            claim(wi, pos)
            if rest(wi + 1):
                return True
            unclaim(wi)
        return False

    return placed if rest(first) else None


def build_board(grid, w, h, words, placed, statics):
    cells = [row[:] for row in grid]
    letters = [[""] * w for _ in range(h)]
    wl = []
    for wd, (x, y, d) in zip(words, placed):
        for i, (cx, cy) in enumerate(cells_of(x, y, d, len(wd))):
            letters[cy][cx] = wd[i]
            cells[cy][cx] = rules.CUBE
        wl.append([wd, x, y, d])
    for cx, cy in statics:
        cells[cy][cx] = WALL
    return rules.Board(w, h, cells, letters, wl)


def connected(b):
    open_cells = [(x, y) for y in range(b.h) for x in range(b.w)
                  if b.cells[y][x] in (rules.FLOOR, rules.CUBE)]
    if not open_cells:
        return False
    seen = {open_cells[0]}
    stack = [open_cells[0]]
    while stack:
        x, y = stack.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if (nx, ny) not in seen and 0 <= nx < b.w and 0 <= ny < b.h \
                    and b.cells[ny][nx] in (rules.FLOOR, rules.CUBE):
                seen.add((nx, ny))
                stack.append((nx, ny))
    return len(seen) == len(open_cells)


def roomy(b):
    """Every movable cube has free floor beside it, and floor is plentiful."""
    cubes = floor = 0
    for y in range(b.h):
        for x in range(b.w):
            if b.cells[y][x] == rules.FLOOR:
                floor += 1
            if b.cells[y][x] != rules.CUBE:
                continue
            cubes += 1
            if sum(1 for wd in b.words if (x, y) in cells_of(*wd[1:3], wd[3], len(wd[0]))) > 1:
                continue  # a crossing square: its neighbours leave before it is shuffled
            if not any(b.cells[ny][nx] == rules.FLOOR
                       for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1))):
                return False
    return floor >= max(cubes * 1.15, cubes + 6)


def make_level(spec, pool, used, rng):
    lengths, (w, h), style, feature = spec
    for attempt in range(3000):
        chosen = choose_words(lengths, feature, pool, used, rng)
        if not chosen:
            return None
        words, crossing = chosen
        grid = walls(style, w, h, rng)
        placed = place(grid, w, h, words, crossing, feature, rng)
        if not placed:
            continue
        statics = []
        if feature == "staticx":
            i = crossing[0]
            statics = [cells_of(*placed[0], len(words[0]))[i]]
        elif feature.startswith("static"):
            k = int(feature[6:])
            cs = cells_of(*placed[0], len(words[0]))
            inner = list(range(1, len(words[0]) - 1))
            picks = sorted(rng.sample(inner, k))
            if k == 2 and picks[1] - picks[0] < 2:
                continue
            statics = [cs[i] for i in picks]
        b = build_board(grid, w, h, words, placed, statics)
        if not connected(b) or not roomy(b):
            continue
        if not rules.solved_in_all_layouts(b):
            continue
        if rules.shuffle_failures(b, 100, 0) > 1:
            continue
        return b
    return None


# ---------------------------------------------------------------- codes

def make_codes(count, banned, seed=20240611):
    rng = random.Random(seed)
    vowels = set("AEIOUY")
    codes = []
    while len(codes) < count:
        c = "".join(rng.choice("ABCDEFGHIJKLMNOPQRSTUVWXYZ") for _ in range(5))
        if c in codes or c in banned:
            continue
        if sum(ch in vowels for ch in c) > 1:
            continue  # too few vowels to spell a word
        if any(c.count(ch) > 2 for ch in c):
            continue
        if any(ord(c[i + 1]) - ord(c[i]) == ord(c[i + 2]) - ord(c[i + 1]) in (1, -1, 0)
               for i in range(3)):
            continue  # no runs like ABC or CBA or AAA
        codes.append(c)
    return codes


# ---------------------------------------------------------------- output

def render(b, number, code):
    lines = [f"level {number}", f"code {code}", "board"]
    solution = b.letters
    for y in range(b.h):
        row = ""
        for x in range(b.w):
            c = b.cells[y][x]
            if solution[y][x]:
                row += solution[y][x] if c == rules.CUBE else solution[y][x].lower()
            elif c == rules.FLOOR:
                row += "."
            else:
                row += "#"
        lines.append(row)
    for text, x, y, d in b.words:
        lines.append(f"word {text} {x} {y} {'h' if d == 1 else 'v'}")
    lines.append("end")
    return "\n".join(lines)


def generate(code, name, seed, codes, out):
    pool = load_words(code)
    used = set()
    blocks = []
    for n, spec in enumerate(PLAN):
        # one random stream per level, so that reworking a level leaves the
        # layouts of the others alone
        rng = random.Random(f"{seed}/{n + 1}")
        b = None
        s = spec
        while b is None:
            b = make_level(s, pool, used, rng)
            if b is None:
                lengths = list(s[0])
                if max(lengths) <= 3:
                    sys.exit(f"{name} {n + 1}: no level fits {spec}")
                k = lengths.index(max(lengths))
                lengths[k] -= 1
                s = (tuple(lengths),) + s[1:]
                print(f"{name} {n + 1}: shortening to {lengths}", file=sys.stderr)
        for wd in b.words:
            used.add(wd[0])
        blocks.append(render(b, n + 1, codes[n]))
        print(f"{name} {n + 1}: {' '.join(w[0] for w in b.words)}", file=sys.stderr)
    header = (f"; {name.capitalize()} level set: sixty levels, easiest first.\n"
              "; Proposed by tools/levelgen/levelgen.py, then reviewed level by level.\n")
    with open(os.path.join(out, f"{name}.txt"), "w", encoding="utf-8") as f:
        f.write(header + "\n" + "\n\n".join(blocks) + "\n")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", default=os.path.join(HERE, "..", "..", "levels"))
    ap.add_argument("--only")
    args = ap.parse_args()
    banned = set()
    for code, _, _ in SETS:
        banned.update(load_words(code))
    codes = make_codes(len(PLAN) * len(SETS), banned)
    for k, (code, name, seed) in enumerate(SETS):
        if args.only and args.only != code:
            continue
        generate(code, name, seed, codes[k * len(PLAN):(k + 1) * len(PLAN)], args.out)


if __name__ == "__main__":
    main()
