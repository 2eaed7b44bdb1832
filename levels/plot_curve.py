#!/usr/bin/python3
"""Draws the difficulty curve from the table "glyphox-level curve" prints.

    levels/plot_curve.py curve.tsv curve.png

One line per level set: the par of every level (the solver's length from the
start "glyphox-level play --seed 1" deals), hollow where the solver found no
answer within its budget and the lower bound stands instead. Prints the
levels whose par falls below the trend of their group of four (a level whose
par is less than the one before it in its group) for the authors to reshape
or reorder.
"""
import csv
import sys

import matplotlib

matplotlib.use("Agg")
import matplotlib.pyplot as plt  # noqa: E402


def read_rows(path):
    with open(path, newline="", encoding="utf-8") as f:
        return list(csv.DictReader(f, delimiter="\t"))


def falls(levels):
    """(level, par, previous par) where par drops within a group of four."""
    out = []
    for i in range(1, len(levels)):
        (number, par), (before, par_before) = levels[i], levels[i - 1]
        if (number - 1) // 4 == (before - 1) // 4 and par >= 0 and par_before >= 0 and par < par_before:
            out.append((number, par, par_before))
    return out


def main():
    if len(sys.argv) != 3:
        sys.exit("usage: plot_curve.py CURVE.tsv CURVE.png")
    rows = read_rows(sys.argv[1])
    sets = []
    for row in rows:
        if row["set"] not in sets:
            sets.append(row["set"])
    fig, ax = plt.subplots(figsize=(10, 5.5), dpi=100)
    fell = 0
    for name in sets:
        mine = [r for r in rows if r["set"] == name]
        numbers = [int(r["level"]) for r in mine]
        pars = [int(r["par"]) for r in mine]
        bounds = [int(r["lower_bound"]) for r in mine]
        # Without an answer the lower bound is what is known.
        shown = [p if p >= 0 else b for p, b in zip(pars, bounds)]
        line, = ax.plot(numbers, shown, label=name, linewidth=1.2)
        solved = [(n, p) for n, p in zip(numbers, pars) if p >= 0]
        unsolved = [(n, b) for n, p, b in zip(numbers, pars, bounds) if p < 0]
        ax.plot([n for n, _ in solved], [p for _, p in solved], "o", color=line.get_color(), markersize=3)
        ax.plot([n for n, _ in unsolved], [b for _, b in unsolved], "o", markerfacecolor="none",
                color=line.get_color(), markersize=5)
        for number, par, before in falls(list(zip(numbers, pars))):
            print(f"{name} level {number}: par {par} below level {number - 1}'s {before} in its group of four")
            fell += 1
    if not fell:
        print("no level's par falls below the one before it in its group of four")
    ax.set_xlabel("level")
    ax.set_ylabel("par (moves); hollow: lower bound, no answer found")
    ax.set_title("Par of every level at the default difficulty, seed 1")
    ax.grid(True, alpha=0.3)
    ax.legend()
    fig.tight_layout()
    fig.savefig(sys.argv[2])


if __name__ == "__main__":
    main()
