// What makes a stored (solved) level a puzzle again at every start: the
// random turn and mirror of the whole board, then the shuffle that rolls
// every word's cubes through up to ten random legal moves. A shuffle step is
// an ordinary roll onto free floor and a roll back restores square and faces,
// so the shuffled level can always be solved; the recorded steps, played
// backwards, are that solution (the demonstration uses them). The shuffle
// itself is Puzzle::MixLevel.
#pragma once

#include <vector>

struct Board;

// Shuffle picks, in the order they are offered.
enum ShufflePick : int { kPickNorth = 0, kPickSouth = 1, kPickWest = 2, kPickEast = 3 };
// The roll direction of a pick, and the direction that takes it back.
int PickDirection(int pick);
int ReplayDirection(int pick);

struct ShuffleStep {
  int cube;  // cube list index
  int pick;  // ShufflePick
};

// Every step of the last recorded shuffle, in the order they were made; no
// limit on cubes or steps. Playing the steps from the last to the first, each
// in its ReplayDirection, always rolls every cube home.
struct ShuffleRecord {
  std::vector<ShuffleStep> steps;

  void Clear() { steps.clear(); }
  // Cube c's own steps, oldest first (for a replay cube by cube).
  int MoveCount(int cube) const;
  int Move(int cube, int k) const;  // -1 when there is no such step
};

// The first levels teach: at the default difficulty the deal of level 1 is
// at most three rolls from its solution and the deal of level 2 at most six,
// so neither can need the four-roll loop that turns a letter in place. The
// limit for a level start (index from 0), 0 for the ordinary shuffle.
int GentleDealMoves(int levelIndex, int difficulty);

// The eight variations of a board: any combination of these transforms,
// applied in this order.
enum VariationBits : int { kVaryRotate = 1, kVaryFlip = 2, kVaryMirror = 4 };
constexpr int kVariationCount = 8;
// Applies the transforms of the variant. When the result no longer spells a
// word the stored level spelled (a reversed word crossing another), the
// board is put back as it was.
void ApplyVariation(Board& board, int variant);
// Each transform with probability one half (three draws), then as
// ApplyVariation.
void VaryLevel(Board& board);
// A quarter turn clockwise: width and height swap.
void RotateBoard(Board& board);
// Rows upside down.
void FlipBoardVertically(Board& board);
// Columns left to right.
void MirrorBoard(Board& board);
// True when every word lies on the board and the letter grid spells it there.
bool WordsReadable(const Board& board);
