#!/usr/bin/env python3
"""Prints the README table of the level sets: per set and per ten levels, the
board sizes, word counts, word lengths and cubes, and the levels that bring
inner walls, static letter blocks, crossing words and words sharing a row.

Usage: summary.py [LEVELS_DIR]
"""

import os
import sys

SETS = (("French", "french.txt"), ("English", "english.txt"), ("Spanish", "spanish.txt"), ("German", "german.txt"))


def read_levels(path):
    levels, cur, rows = [], None, False
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.split(";")[0].strip()
            if not line:
                continue
            if line.startswith("level"):
                cur, rows = {"rows": [], "words": []}, False
            elif line == "board":
                rows = True
            elif line == "end":
                levels.append(cur)
                rows = False
            elif line.startswith("word "):
                rows = False
                text, x, y, d = line.split()[1:5]
                cur["words"].append((text, int(x), int(y), d))
            elif rows:
                cur["rows"].append(line)
    return levels


def facts(level):
    rows = level["rows"]
    h, w = len(rows), len(rows[0])
    inner = [rows[y][x] for y in range(1, h - 1) for x in range(1, w - 1)]
    cells = {}
    for text, x, y, d in level["words"]:
        for i in range(len(text)):
            c = (x + i, y) if d == "h" else (x, y + i)
            cells[c] = cells.get(c, 0) + 1
    lines = [(d, y if d == "h" else x) for _, x, y, d in level["words"]]
    return {
        "size": (w, h),
        "words": len(level["words"]),
        "lengths": [len(t) for t, *_ in level["words"]],
        "cubes": sum(ch.isupper() for row in rows for ch in row),
        "walls": "#" in inner,
        "static": any(ch.islower() for row in rows for ch in row),
        "cross": any(n > 1 for n in cells.values()),
        "row": len(set(lines)) < len(lines),
    }


def span(values, fmt=str):
    lo, hi = min(values), max(values)
    return fmt(lo) if lo == hi else f"{fmt(lo)}-{fmt(hi)}"


def main():
    folder = sys.argv[1] if len(sys.argv) > 1 else os.path.join(os.path.dirname(__file__), "..", "..", "levels")
    out = []
    for name, file in SETS:
        levels = [facts(lv) for lv in read_levels(os.path.join(folder, file))]
        first = {k: next((i + 1 for i, f in enumerate(levels) if f[k]), None) for k in ("walls", "static", "cross", "row")}
        statics = [str(i + 1) for i, f in enumerate(levels) if f["static"]]
        out.append(f"### {name} ({len(levels)} levels)\n")
        out.append("| Levels | Boards | Words | Letters per word | Cubes |")
        out.append("|---|---|---|---|---|")
        for k in range(0, len(levels), 10):
            group = levels[k:k + 10]
            sizes = sorted({f["size"] for f in group}, key=lambda s: s[0] * s[1])
            boards = f"{sizes[0][0]}x{sizes[0][1]}" + ("" if len(sizes) == 1 else f" to {sizes[-1][0]}x{sizes[-1][1]}")
            out.append(f"| {k + 1}-{k + len(group)} | {boards} | {span([f['words'] for f in group])} | "
                       f"{span([n for f in group for n in f['lengths']])} | {span([f['cubes'] for f in group])} |")
        out.append("")
        out.append(f"Inner walls from level {first['walls']}; words sharing a row from level {first['row']}; "
                   f"crossing words from level {first['cross']}; static letter blocks from level {first['static']} "
                   f"(levels {', '.join(statics)}).\n")
    print("\n".join(out).rstrip())


if __name__ == "__main__":
    main()
