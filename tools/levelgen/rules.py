"""A model of the game's board rules, for proposing levels offline.

It mirrors what the puzzle library does at a level start (the eight board
layouts, the word check on the solved arrangement, the cube faces and the
random shuffle) closely enough to reject bad candidates early. The shipped
levels are verified by the test suite against the real library; this model
only has to agree with it on what matters for a level author.
"""

import random

CUBE = 20
FLOOR = 22
SYMMETRIC = set("HINOSXZ")

# Face turn tables: values of the turn index for faces pointing up/down,
# East/West and North/South.
TOP, EAST_WEST, NORTH_SOUTH = 0, 1, 2
TURNS = {TOP: (0, 1, 2, 3), EAST_WEST: (10, 0, 20, 2), NORTH_SOUTH: (10, 1, 20, 3)}
NORTH, EAST, SOUTH, WEST = 0, 1, 2, 3


class Board:
    """Cell codes, letters and words of one level in one layout."""

    def __init__(self, width, height, cells, letters, words):
        self.w = width
        self.h = height
        self.cells = [row[:] for row in cells]      # cells[y][x]: 0..15 wall, 20 cube, 22 floor
        self.letters = [row[:] for row in letters]  # '' where no letter
        self.words = [list(wd) for wd in words]     # [text, x, y, dir]; dir 1 across, 0 down

    def copy(self):
        return Board(self.w, self.h, self.cells, self.letters, self.words)

    def is_static(self, x, y, solution):
        return self.cells[y][x] <= 15 and solution[y][x] != ''


def _rewrite(board, word):
    text, x, y, d = word
    for i, ch in enumerate(text):
        if d == 1:
            board.letters[y][x + i] = ch
        else:
            board.letters[y + i][x] = ch


def rotate(b):
    w, h = b.w, b.h
    cells = [[b.cells[h - 1 - c][r] for c in range(h)] for r in range(w)]
    letters = [[b.letters[h - 1 - c][r] for c in range(h)] for r in range(w)]
    nb = Board(h, w, cells, letters, [])
    for text, x, y, d in b.words:
        n = len(text)
        if d == 1:
            nb.words.append([text, h - y - 1, x, 0])
        else:
            wd = [text, h - n - y, x, 1]
            nb.words.append(wd)
            _rewrite(nb, wd)
    return nb


def flip(b):
    w, h = b.w, b.h
    nb = Board(w, h, b.cells[::-1], b.letters[::-1], [])
    for text, x, y, d in b.words:
        n = len(text)
        if d == 1:
            nb.words.append([text, x, h - y - 1, 1])
        else:
            wd = [text, x, h - n - y, 0]
            nb.words.append(wd)
            _rewrite(nb, wd)
    return nb


def mirror(b):
    w, h = b.w, b.h
    nb = Board(w, h, [r[::-1] for r in b.cells], [r[::-1] for r in b.letters], [])
    for text, x, y, d in b.words:
        n = len(text)
        if d == 1:
            wd = [text, w - x - n, y, 1]
            nb.words.append(wd)
            _rewrite(nb, wd)
        else:
            nb.words.append([text, w - x - 1, y, 0])
    return nb


def layout(b, k):
    """Layout k (0..7): bit 0 turns, bit 1 flips, bit 2 mirrors, in that order."""
    if k & 1:
        b = rotate(b)
    if k & 2:
        b = flip(b)
    if k & 4:
        b = mirror(b)
    return b


class Cube:
    """Faces of one letter cube and their turns, as the game rolls them."""

    def __init__(self, letters, static=False):
        self.letters = list(letters)
        self.static = static
        self.upper, self.north, self.east = 0, 4, 3
        self.tab = [TOP, NORTH_SOUTH, EAST_WEST, EAST_WEST, NORTH_SOUTH, TOP]
        self.idx = [0, 0, 0, 0, 2, 2]

    def value(self, f):
        return TURNS[self.tab[f]][self.idx[f]]

    def turn(self, f, delta):
        self.idx[f] = (self.idx[f] + delta) % 4

    def roll(self, direction):
        U, N, E = self.upper, self.north, self.east
        D, S, W = 5 - U, 5 - N, 5 - E
        if direction == NORTH:
            for f in (U, D):
                if self.value(f) in (0, 2):
                    self.turn(f, 2)
                self.tab[f] = NORTH_SOUTH
            for f in (N, S):
                self.tab[f] = TOP
            self.turn(E, 1)
            self.turn(W, 1)
            self.north, self.upper = U, S
        elif direction == EAST:
            for f in (U, D):
                self.turn(f, 1)
                self.tab[f] = EAST_WEST
            for f in (E, W):
                self.turn(f, 1 if self.value(f) in (10, 20) else -1)
                self.tab[f] = TOP
            self.turn(N, 1)
            self.turn(S, 1)
            self.east, self.upper = U, W
        elif direction == SOUTH:
            for f in (U, D):
                self.tab[f] = NORTH_SOUTH
            for f in (N, S):
                if self.value(f) in (10, 20):
                    self.turn(f, 2)
                self.tab[f] = TOP
            self.turn(E, -1)
            self.turn(W, -1)
            self.upper, self.north = N, D
        else:
            for f in (U, D):
                self.turn(f, 1 if self.value(f) in (0, 2) else -1)
                self.tab[f] = EAST_WEST
            for f in (E, W):
                self.turn(f, -1)
                self.tab[f] = TOP
            self.turn(N, -1)
            self.turn(S, -1)
            self.upper, self.east = E, D

    def top(self):
        return self.letters[self.upper]

    def upright(self):
        t = self.value(self.upper)
        return t in (0, 2) if self.top() in SYMMETRIC else t == 0


class Play:
    """A board with cubes on it: the running state of a level."""

    def __init__(self, board, difficulty=0, rng=None):
        self.b = board.copy()
        self.solution = [row[:] for row in board.letters]
        self.cubes = {}
        spare = [c for c in "ABCDEFGHIJKLMNOPQRSTUVWXYZ"
                 if c not in "".join(w[0] for w in board.words)]
        for y in range(board.h):
            for x in range(board.w):
                ch = board.letters[y][x]
                if not ch:
                    continue
                static = board.cells[y][x] != CUBE
                faces = [ch] * 6
                if not static and difficulty == 1:
                    for f in (1, 3, 5):
                        faces[f] = spare[rng.randrange(len(spare))]
                elif not static and difficulty == 2:
                    for f in range(1, 6):
                        faces[f] = spare[rng.randrange(len(spare))]
                self.cubes[(x, y)] = Cube(faces, static)

    def static(self, x, y):
        return self.b.cells[y][x] <= 15 and self.solution[y][x] != ''

    def find_anchor(self, letter):
        for y in range(self.b.h):
            for x in range(self.b.w):
                if self.b.cells[y][x] == CUBE and self.b.letters[y][x] == letter:
                    return x, y
                if self.static(x, y):
                    return x, y
        return None

    def _shows(self, x, y, ch):
        """1 static, 2 right cube, 0 wrong or empty."""
        if not (0 <= x < self.b.w and 0 <= y < self.b.h):
            return 0
        if self.static(x, y):
            return 1
        if self.b.cells[y][x] != CUBE:
            return 0
        c = self.cubes[(x, y)]
        return 2 if c.top() == ch and c.upright() else 0

    def spelled(self, text):
        a = self.find_anchor(text[0])
        if a is None:
            return True
        x, y = a
        if not self.static(x, y):
            c = self.cubes[(x, y)]
            if c.top() != text[0] or not c.upright():
                return False
        if all(self._shows(x + i, y, text[i]) for i in range(1, len(text))):
            return True
        return all(self._shows(x, y + i, text[i]) for i in range(1, len(text)))

    def formed(self):
        return sum(1 for w in self.b.words if self.spelled(w[0]))

    def solved(self):
        return self.formed() == len(self.b.words)

    def move(self, x, y, direction):
        nx, ny = x + (0, 1, 0, -1)[direction], y + (-1, 0, 1, 0)[direction]
        c = self.cubes.pop((x, y))
        ch = self.b.letters[y][x]
        self.b.cells[y][x] = FLOOR
        self.b.letters[y][x] = ''
        c.roll(direction)
        self.b.cells[ny][nx] = CUBE
        self.b.letters[ny][nx] = ch
        self.cubes[(nx, ny)] = c
        return nx, ny

    def mix(self, rng):
        """Ten random legal rolls for the cube on every word square, never straight back."""
        moved = 0
        picks = ((0, NORTH, 0, -1), (1, SOUTH, 0, 1), (2, WEST, -1, 0), (3, EAST, 1, 0))
        back = {0: 1, 1: 0, 2: 3, 3: 2}
        for text, x0, y0, d in self.b.words:
            for i in range(len(text)):
                x, y = (x0 + i, y0) if d == 1 else (x0, y0 + i)
                if self.b.cells[y][x] != CUBE:
                    continue
                prev = None
                for _ in range(10):
                    allowed = []
                    for pick, direction, dx, dy in picks:
                        nx, ny = x + dx, y + dy
                        if prev is not None and back[pick] == prev:
                            continue
                        if 0 <= nx < self.b.w and 0 <= ny < self.b.h and self.b.cells[ny][nx] == FLOOR:
                            allowed.append((pick, direction))
                    if not allowed:
                        continue
                    pick, direction = allowed[rng.randrange(len(allowed))]
                    prev = pick
                    x, y = self.move(x, y, direction)
                    moved += 1
        return moved


def readable(board):
    """Every word's letters stand on its squares (a word rewritten in reading
    order must not overwrite the letter of a word crossing it)."""
    for text, x, y, d in board.words:
        for i, ch in enumerate(text):
            if (board.letters[y][x + i] if d == 1 else board.letters[y + i][x]) != ch:
                return False
    return True


def solved_in_all_layouts(board):
    """Every word spelled by the solved arrangement, and readable on the
    squares it stands on, in each of the eight layouts."""
    for k in range(8):
        b = layout(board, k)
        if not readable(b) or not Play(b).solved():
            return False
    return True


def shuffle_failures(board, seeds=100, difficulty=0):
    """How many seeds leave the level solved after the variation and the shuffle."""
    bad = 0
    for seed in range(seeds):
        rng = random.Random(seed * 7919 + difficulty)
        p = Play(layout(board, rng.randrange(8)), difficulty, rng)
        p.mix(rng)
        if p.solved():
            bad += 1
    return bad
