// A rectangle on the screen in pixels from the top left, corners inclusive of
// the first and exclusive of the second; what the screens' highlight quads
// and text boxes are placed with.
#pragma once

struct ScreenRect {
  int x0;
  int y0;
  int x1;
  int y1;
  bool operator==(const ScreenRect& other) const {
    return x0 == other.x0 && y0 == other.y0 && x1 == other.x1 && y1 == other.y1;
  }
};
