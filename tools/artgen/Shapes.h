// Solid shapes shared by the generators: bevelled extrusions of 2D outlines
// (arrows, letters), boxes, spheres and discs.
#pragma once

#include <functional>
#include <vector>

#include "tools/artgen/Mesh.h"
#include "tools/artgen/Tess.h"

namespace artgen {

// Maps a point of the shape's own frame (X, Y in the outline's plane, Z the
// extrusion axis towards the front) into model space. Must keep handedness.
using Placement = std::function<Vec3(double X, double Y, double Z)>;
// Texture coordinates of a point of the shape's own frame.
using Mapping = std::function<void(double X, double Y, double Z, double& u, double& v)>;

struct Extrusion {
  double front = 0.1;   // Z of the front face
  double back = -0.1;   // Z of the back face
  double bevel = 0.02;  // inset of both faces, and depth of the bevels
  bool backFace = true;
};

// Extrudes the region inside the contours (non-zero winding; holes wound
// against their outline) with bevelled front and back edges.
void ExtrudeOutline(MeshBuilder& mesh, const std::vector<Contour>& contours, const Extrusion& shape,
                    const Placement& place, const Mapping& map);

// Box with bevelled edges, centred at c, half sizes h, rotated by the columns
// of (ax, ay, az) (unit, right-handed). Faces map the whole texture [u0,u1] x [v0,v1].
void BevelBox(MeshBuilder& mesh, Vec3 c, Vec3 h, double bevel, Vec3 ax, Vec3 ay, Vec3 az, double u0, double v0,
              double u1, double v1);

// Sphere (or its inside, for skies) of `rings` x `segments` quads with
// equirectangular texture coordinates: u around from 0 to uRepeat, v from 0
// at the top to 1 at the bottom. `scale` stretches it per axis.
void Sphere(MeshBuilder& mesh, Vec3 centre, Vec3 scale, int rings, int segments, bool inside, double uRepeat,
            double vTop = 0.0, double vBottom = 1.0, double latTop = 90.0, double latBottom = -90.0);

// Horizontal disc facing up at height y, in `rings` rings of `segments`
// segments, planar texture coordinates repeating every `tile` units.
void Disc(MeshBuilder& mesh, double y, double radius, int rings, int segments, double tile);

// Surface of revolution about the vertical axis through `base`: the profile
// runs from the bottom up as (radius, height) pairs; u goes round from 0 to
// uRepeat, v runs down the profile from vTop to vBottom.
void Lathe(MeshBuilder& mesh, Vec3 base, const std::vector<Point2>& profile, int segments, double uRepeat,
           double vTop, double vBottom, double twist = 0.0);

// Makes every contour run counter-clockwise (outlines) or clockwise (holes)
// from the signed area of the contours that contain it.
void OrientContours(std::vector<Contour>& contours);

}  // namespace artgen
