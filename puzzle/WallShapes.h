// The sixteen wall shapes: towards which neighbours a wall square continues.
// The one table of them for the rules, the renderer, the art generator and
// the tests; the sixteen wall pieces of a theme are loaded in this order
// (render/ThemeKeys.h names their files).
#pragma once

#include <cstdint>

constexpr int kWallShapeCount = 16;

enum WallShape : int {
  kWallAlone = 0,        // nowhere
  kWallHorizontal = 1,   // West, East
  kWallVertical = 2,     // North, South
  kWallInside = 3,       // all four
  kWallSouthEast = 4,
  kWallSouthWest = 5,
  kWallNorthEast = 6,
  kWallNorthWest = 7,
  kWallEastOpen = 8,     // East only
  kWallWestOpen = 9,
  kWallSouthOpen = 10,
  kWallNorthOpen = 11,
  kWallWestClose = 12,   // North, South, East
  kWallEastClose = 13,   // North, South, West
  kWallNorthClose = 14,  // West, East, South
  kWallSouthClose = 15,  // West, East, North
};

// Sides as bits, 1 << direction (North 0, East 1, South 2, West 3).
enum WallSide : int { kSideNorth = 1, kSideEast = 2, kSideSouth = 4, kSideWest = 8 };

// The sides each shape continues towards.
constexpr uint8_t kWallShapeSides[kWallShapeCount] = {
    0,                                              // alone
    kSideWest | kSideEast,                          // horizontal
    kSideNorth | kSideSouth,                        // vertical
    kSideNorth | kSideSouth | kSideEast | kSideWest,  // inside
    kSideSouth | kSideEast,                         // south_east
    kSideSouth | kSideWest,                         // south_west
    kSideNorth | kSideEast,                         // north_east
    kSideNorth | kSideWest,                         // north_west
    kSideEast,                                      // east_open
    kSideWest,                                      // west_open
    kSideSouth,                                     // south_open
    kSideNorth,                                     // north_open
    kSideNorth | kSideSouth | kSideEast,            // west_close
    kSideNorth | kSideSouth | kSideWest,            // east_close
    kSideWest | kSideEast | kSideSouth,             // north_close
    kSideWest | kSideEast | kSideNorth,             // south_close
};

constexpr const char* kWallShapeNames[kWallShapeCount] = {
    "alone",      "horizontal", "vertical",  "inside",     "south_east", "south_west",  "north_east",  "north_west",
    "east_open",  "west_open",  "south_open", "north_open", "west_close", "east_close", "north_close", "south_close"};

// The shape of a wall square whose wall neighbours lie on the given sides.
constexpr int WallShapeForSides(int sides) {
  for (int shape = 0; shape < kWallShapeCount; ++shape)
    if (kWallShapeSides[shape] == (sides & 15)) return shape;
  return kWallAlone;
}
