// The scenery round the board ("fond.3do"): one display list for all of it
// but the sky, and the sky apart, drawn only where the view can reach it.
#pragma once

class Mesh3D;
class Objet3D;
class SceneView;

// A flat, opaque disc round the y axis: whatever lies beyond it, seen from
// above, is hidden. A radius of 0: the scenery has none.
struct GroundDisc {
  float y = 0;
  float radius = 0;
};

// The disc that the ground and haze meshes (render/ThemeKeys.h) tile
// together: all their corners at one height, none blended, and their
// triangles' area that of the polygon their outer rim draws, so there is no
// hole. The radius is the rim's nearest approach to the axis.
GroundDisc FindGroundDisc(const Objet3D& background);

struct Scenery {
  Mesh3D* sky = nullptr;  // the background's own mesh, its shape in a list of its own
  GroundDisc ground;
};

// Compiles the background's display list without its sky and the sky's own;
// the GL context is current.
Scenery PrepareScenery(Objet3D& background);

// Draws the background turned by spin degrees about the vertical; the sky
// only when leaveOutHidden is off or view, as the modelview matrix now
// stands, may see past the ground.
void DrawScenery(Objet3D& background, const Scenery& scenery, SceneView& view, float spin, bool leaveOutHidden);
