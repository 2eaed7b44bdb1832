// The board camera, the view frustum and picking: which arrow or cube lies
// under the pointer, by a ray cast through the scene.
#pragma once

class Objet3D;

// The matrices and frustum planes last captured (OpenGL column order).
struct ViewRecord {
  double modelview[16];
  double projection[16];
  float planes[6][4];  // a, b, c, d; inside is a x + b y + c z + d > 0
};
extern ViewRecord g_view;

// Where the board's centre sits: set by BuildLevelLists from the board size.
extern float g_boardOffset[3];
void SetBoardOffset(int width, int height);
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
// The projection for the viewport (field of view 45, near 0.01, far 1000).
void SetBoardProjection(int width, int height);

void CaptureMatrices();
void RestoreMatrices();
void ExtractFrustum();
bool BoxInFrustum(const float low[3], const float high[3]);

struct Ray {
  float origin[3];
  float direction[3];
};
struct RayHit {
  float distance = 1000000.0f;
  int face = -1;
  int mesh = -1;
};

// The ray through the pixel, in the space of the matrices last captured.
Ray PickRay(int mouseX, int mouseY);
bool RayHitsBox(const Ray& ray, const float low[3], const float high[3]);
// One-sided: only triangles wound as the models' outer faces count, and
// only in front of the ray's origin.
bool RayHitsTriangle(const Ray& ray, const float* p0, const float* p1, const float* p2, float& distance);
// Box of the given size centred on position, then (precise) every triangle.
bool RayHitsObject(const Ray& ray, const float position[3], const float box[3], Objet3D& object, bool precise,
                   RayHit& hit);

enum PickKind { kPickNothing = -1, kPickArrow = 0, kPickCube = 1 };
struct PickResult {
  int kind = kPickNothing;
  int index = -1;
};

// Near and visible flags of every cube and wall piece; the board offset must
// be applied to the modelview matrix.
void Cull();
// What lies under the pixel (camera placed, board offset not applied).
bool Pick(int mouseX, int mouseY, PickResult& result);
