// The list of display modes the game may use and the choice of the start size.
// The filtering is pure so that it can be tested with any system list.
#pragma once

#include <cstdio>
#include <vector>

struct DisplayMode {
  int bitsPerPixel;
  int width;
  int height;
};

struct DisplayModeList {
  std::vector<DisplayMode> modes;  // the kept modes, in the system's order
  int Count() const { return static_cast<int>(modes.size()); }
};

// Keeps the 32-bit modes of at least 640 x 480, each size once, printing
// "mode %d x %d\n" for every mode that passes the depth and size test and
// "add mode : %d x %d\n" for every mode kept.
DisplayModeList FilterDisplayModes(const std::vector<DisplayMode>& system, FILE* out);

// The start size: the wanted size when the list holds it; otherwise (after
// "mode not found\n") 800 x 600 when listed, else 640 x 480. Updates width and
// height to the chosen size.
void ChooseStartSize(const DisplayModeList& list, int& width, int& height, FILE* out);
// A window of this size fits inside one of the listed modes (and is at least
// 640 x 480); a window is then opened at that size without a mode change.
bool FitsInAWindow(const DisplayModeList& list, int width, int height);

// When the platform allows any size: the usual sizes that fit the desktop,
// smallest first (a larger "full screen" would run off the screen).
std::vector<DisplayMode> CommonSizesWithin(int desktopWidth, int desktopHeight);

// The sizes a window may take: the system's modes, the usual sizes that fit
// in the largest of them, and the window's own size (when it fits), each
// once, smallest first. The system may list only the desktop's size.
std::vector<DisplayMode> WindowSizes(const std::vector<DisplayMode>& system, int width, int height);

// The platform's list of full-screen OpenGL sizes, smallest first.
std::vector<DisplayMode> SystemDisplayModes();

// Start-up: the system's list, filtered, and the start size chosen from the
// wanted one (width and height are updated).
DisplayModeList BuildDisplayModeList(bool windowed, int& width, int& height);
