#!/usr/bin/python3
"""Reorders the levels of each set within its groups of four by par, so that
par rises steadily within every group.

    levels/order_by_par.py curve.tsv [LEVELS-DIR]

Reads the par of every level from the table "glyphox-level curve" prints
(levels/curve.sh makes it) and rewrites LEVELS-DIR/<set>.txt (default: the
folder of this script) with each group's levels sorted by par, ties and
levels without an answer (par -1, last) in their old order. A level keeps
its board, words and access code; the number after "level" follows the new
place, and a "record" line keeps its first place, under which the high
scores and saved games know it. Some places hold levels for what the game does with them and are
never crossed:
  - levels 1 and 2 teach (the shortest shuffles),
  - the demonstration picks from the first five,
  - inner walls come in at level 11 and static letter blocks at level 12,
    each alone.
Run levels/curve.sh again afterwards: the curve, its plot and its falls
follow the new order.
"""
import csv
import os
import sys

# A group of four is sorted only within the stretches these levels start.
FIXED_STARTS = (3, 6, 11, 12)
GROUP = 4


def stretches(count):
    """Lists of level numbers (1-based) that may be sorted among themselves."""
    out = []
    for first in range(1, count + 1, GROUP):
        part = []
        for number in range(first, min(first + GROUP, count + 1)):
            if number in FIXED_STARTS and part:
                out.append(part)
                part = []
            part.append(number)
        out.append(part)
    return out


def split_levels(text):
    """(the text before the first level, [each level's lines up to the next])."""
    lines = text.splitlines(keepends=True)
    starts = [i for i, line in enumerate(lines) if line.split(";")[0].split()[:1] == ["level"]]
    if not starts:
        sys.exit("no level in the source")
    # Comment lines right above a level are about it and move with it.
    for k, start in enumerate(starts):
        while start > (starts[k - 1] + 1 if k else 0) and lines[start - 1].lstrip().startswith(";"):
            start -= 1
        starts[k] = start
    head = "".join(lines[:starts[0]])
    blocks = [lines[a:b] for a, b in zip(starts, starts[1:] + [len(lines)])]
    return head, blocks


def keyword_line(block, keyword):
    return next((i for i, line in enumerate(block) if line.split(";")[0].split()[:1] == [keyword]), None)


def renumbered(block, old, number):
    """The block as level number, keeping its record: the high scores and
    saved games name a level by its place when the set was first published,
    which a "record" line gives once the level has moved from it."""
    out = list(block)
    at = keyword_line(out, "level")
    out[at] = f"level {number}\n"
    kept = keyword_line(out, "record")
    record = int(out[kept].split(";")[0].split()[1]) if kept is not None else old
    if kept is not None:
        del out[kept]
    if record != number:
        out.insert(at + 1, f"record {record}\n")
    return out


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit("usage: order_by_par.py CURVE.tsv [LEVELS-DIR]")
    folder = sys.argv[2] if len(sys.argv) == 3 else os.path.dirname(os.path.abspath(__file__))
    with open(sys.argv[1], newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f, delimiter="\t"))
    sets = []
    for row in rows:
        if row["set"] not in sets:
            sets.append(row["set"])
    for name in sets:
        par = {int(r["level"]): int(r["par"]) for r in rows if r["set"] == name}
        path = os.path.join(folder, name + ".txt")
        with open(path, encoding="utf-8") as f:
            head, blocks = split_levels(f.read())
        if len(blocks) != len(par):
            sys.exit(f"{path}: {len(blocks)} levels, the curve has {len(par)}")
        order = []
        for part in stretches(len(blocks)):
            order += sorted(part, key=lambda n: (par[n] < 0, par[n]))
        # The last level's block has no blank line after it; the others do.
        body = [renumbered(blocks[old - 1], old, new) for new, old in enumerate(order, 1)]
        for block in body:
            while block and not block[-1].strip():
                block.pop()
        text = head + "\n".join("".join(block) for block in body) + "\n"
        with open(path, "w", encoding="utf-8") as f:
            f.write(text)
        moved = [f"{old}->{new}" for new, old in enumerate(order, 1) if old != new]
        print(f"{name}: {len(moved)} levels moved" + (": " + " ".join(moved) if moved else ""))


if __name__ == "__main__":
    main()
