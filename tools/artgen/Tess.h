// Polygon triangulation through the GLU tessellator (no GL context needed):
// contours with holes and collinear points, as glyph outlines and wall caps
// have them.
#pragma once

#include <vector>

namespace artgen {

struct Point2 {
  double x = 0, y = 0;
};

using Contour = std::vector<Point2>;

struct Triangulation {
  std::vector<Point2> points;  // the contour points in order, then any the tessellator added
  std::vector<int> triangles;  // three indices each, counter-clockwise in (x, y)
};

// Triangulates the region inside the contours with the non-zero winding rule.
// Returns false when the tessellator reports an error.
bool Triangulate(const std::vector<Contour>& contours, Triangulation& out);

double SignedArea(const Contour& contour);

}  // namespace artgen
