// The board camera, the view frustum and picking: which arrow or cube lies
// under the pointer, by a ray cast through the scene.
#pragma once

#include "engine3d/GLContext.h"

class Objet3D;
class SceneLists;
class Puzzle;

// The matrices and frustum planes last captured (OpenGL column order).
struct ViewRecord {
  double modelview[16];
  double projection[16];
  float planes[6][4];  // a, b, c, d; inside is a x + b y + c z + d > 0
};

// max(width, height) x 0.09: the zoom of the level-start view.
float CameraDistanceFor(int width, int height);

struct CameraPose {
  float spin;  // degrees
  float tilt;  // degrees
  float zoom;  // world units
  int close;   // 1 in the close view: the pan applies
  float pan[3];
};

// Modelview := the orbiting camera (the caller clamps the angles).
void PlaceCamera(const CameraPose& pose);
void PlaceMenuCamera();

struct Ray {
  float origin[3];
  float direction[3];
};
struct RayHit {
  float distance = 1000000.0f;
  int face = -1;
  int mesh = -1;
};

bool RayHitsBox(const Ray& ray, const float low[3], const float high[3]);
// One-sided: only triangles wound as the models' outer faces count, and
// only in front of the ray's origin.
bool RayHitsTriangle(const Ray& ray, const float* p0, const float* p1, const float* p2, float& distance);
// Box of the given size centred on position, then (precise) every triangle.
bool RayHitsObject(const Ray& ray, const float position[3], const float box[3], Objet3D& object, bool precise,
                   RayHit& hit);

// The view of one screen: its size, the projection, where the board's centre
// sits, and the matrices and frustum last captured.
class SceneView {
 public:
  SceneView(int width, int height) : m_width(width), m_height(height) {}

  int Width() const { return m_width; }
  int Height() const { return m_height; }
  const ViewRecord& Record() const { return m_view; }
  const float* BoardOffset() const { return m_boardOffset; }
  // The board's centre at the origin: set at each level start.
  void SetBoardOffset(int boardWidth, int boardHeight);

  // Viewport and perspective of the whole screen.
  void SetProjection() const;
  void CaptureMatrices();
  // Captures the matrices and takes the frustum planes from them.
  void ExtractFrustum();
  bool BoxInFrustum(const float low[3], const float high[3]) const;
  // The box round square (c, r): half width in squares, height from low to
  // high (world units).
  bool SquareInFrustum(int c, int r, float half, float low, float high) const;
  // The ray through the pixel, in the space of the matrices last captured.
  Ray PickRay(int mouseX, int mouseY) const;
  // Where a board-space point lands on the screen (y from the top) with the
  // matrices last captured, the board offset added. False when it cannot.
  bool ProjectBoardPoint(float x, float y, float z, int& px, int& py) const;
  // The window rectangle {x, y from the bottom, width, height} that the
  // rectangle from (x0, z0) to (x1, z1) on y = 0 covers with the matrices
  // last captured (no offset added), a pixel wider each way and kept to the
  // screen: the whole screen when a corner lies behind the eye, false when
  // none of it shows.
  bool FloorRectangleOnScreen(float x0, float z0, float x1, float z1, int rect[4]) const;

  Perspective projection;

 private:
  int m_width;
  int m_height;
  ViewRecord m_view = {};
  float m_boardOffset[3] = {0, 0, 0};
};

enum PickKind { kPickNothing = -1, kPickArrow = 0, kPickCube = 1 };
struct PickResult {
  int kind = kPickNothing;
  int index = -1;
};

// Near and visible flags of every cube and wall piece; the board offset must
// be applied to the modelview matrix.
void CullScene(SceneView& view, SceneLists& lists, const Puzzle& puzzle);
// What lies under the pixel (camera placed, board offset not applied); the
// arrows are tested against the arrow model when there is one.
bool PickScene(SceneView& view, SceneLists& lists, const Puzzle& puzzle, Objet3D* arrow, int mouseX, int mouseY,
               PickResult& result);
