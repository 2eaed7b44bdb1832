// The intro animation: the emblem's objects with their glow materials, the
// spin, hold and fade, and its screen.
#include "intro/Intro.h"

#include <GL/gl.h>

#include <algorithm>
#include <memory>

#include "config/Settings.h"
#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "intro/Emblem.h"
#include "render/Renderer.h"

namespace {

const char* const kMaterialNames[kEmblemParts] = {"LOGO1", "LOGO2", "LOGO3"};
constexpr float kSpinStep = 5.0f;  // degrees per frame unit
constexpr float kHoldStep = 0.005f;
constexpr float kFadeStep = 0.01f;
constexpr float kViewDistance = 3.0f;
constexpr float kSphereMapTurn = 30.0f;

Texture* GlowTexture(const float colour[3]) {
  auto texture = std::make_unique<Texture>();
  if (!texture->Create(kGlowSize, kGlowSize, 24)) return nullptr;
  texture->pixels = MakeGlowTexture(colour[0], colour[1], colour[2]);
  return texture.release();
}

// One part's object: every vertex of the mesh with y turned up, and the
// triangles of the part wound the engine's way.
bool BuildPart(Objet3D& object, int part, const EmblemMesh& mesh) {
  int faces = static_cast<int>(std::count_if(mesh.triangles.begin(), mesh.triangles.end(),
                                             [part](const EmblemTriangle& t) { return t.part == part; }));
  Material* material = object.AddMaterialReference(kMaterialNames[part]);
  material->flags = kMaterialEnvironment;
  material->opacity = 1.0f;
  std::fill_n(material->ambient, 3, 1.0f);
  std::fill_n(material->diffuse, 3, 1.0f);
  if (!material->environmentTexture) material->SetEnvironmentTexture(GlowTexture(g_settings.logoColors[part]));

  Mesh3D* m = object.AddMesh();
  m->name = kMaterialNames[part];
  m->materialName = kMaterialNames[part];
  m->material = material;
  const int vertices = static_cast<int>(mesh.vertices.size());
  if (!m->AllocateArrays(vertices, faces)) return false;
  for (int v = 0; v < vertices; ++v) {
    m->positions[v * 3] = mesh.vertices[v].x;
    m->positions[v * 3 + 1] = -mesh.vertices[v].y;
    m->positions[v * 3 + 2] = mesh.vertices[v].z;
  }
  int face = 0;
  for (const EmblemTriangle& t : mesh.triangles) {
    if (t.part != part) continue;
    m->faces[face * 3] = static_cast<uint32_t>(t.corners[0]);
    m->faces[face * 3 + 1] = static_cast<uint32_t>(t.corners[2]);
    m->faces[face * 3 + 2] = static_cast<uint32_t>(t.corners[1]);
    ++face;
  }
  object.vertexTotal += vertices;
  object.faceTotal += faces;
  return m->PrepareNormals() != 0;
}

}  // namespace

std::vector<uint8_t> MakeGlowTexture(float r, float g, float b) {
  std::vector<uint8_t> rgb(static_cast<size_t>(kGlowSize) * kGlowSize * 3);
  const float colour[3] = {r, g, b};
  for (int j = 0; j < kGlowSize; ++j) {
    for (int i = 0; i < kGlowSize; ++i) {
      int x = i - kGlowSize / 2, y = j - kGlowSize / 2;
      int q = (x * x + y * y) / 12;
      int brightness = 255 - std::min(q, 255);
      int core = brightness;
      for (int k = 0; k < 4; ++k) core = core * core / 256;
      for (int c = 0; c < 3; ++c)
        rgb[(static_cast<size_t>(j) * kGlowSize + i) * 3 + c] =
            static_cast<uint8_t>(std::min(static_cast<int>(static_cast<float>(brightness) * colour[c]) + core, 255));
    }
  }
  return rgb;
}

Emblem::Emblem() = default;
Emblem::~Emblem() { Release(); }

int Emblem::SetUp() {
  Release();
  CList<SHAPE> outlines;
  BuildOutlines(kEmblemTable, EmblemTableRows(), outlines);
  EmblemMesh mesh = BuildTubeMesh(outlines);
  int ok = 1;
  for (int part = 0; part < kEmblemParts; ++part) {
    parts[part] = std::make_unique<Objet3D>();
    parts[part]->name = kMaterialNames[part];
    if (!BuildPart(*parts[part], part, mesh)) ok = 0;
  }
  return ok;
}

void Emblem::Release() {
  for (auto& object : parts) {
    if (object) object->Free();
    object.reset();
  }
}

void IntroEvent(IntroAnimation& state, const SDL_Event& event) {
  if (event.type == SDL_KEYUP) state.skipped = true;
}

void AdvanceIntro(IntroAnimation& state, float f) {
  ++state.frames;
  if (state.phase == kIntroSpin) {
    state.angle -= kSpinStep * f;
    state.distance -= kSpinStep * f / 360.0f;
    if (state.angle <= 0.0f) {
      state.timer = 1.0f;
      state.phase = kIntroHold;
    }
  } else if (state.phase == kIntroHold) {
    state.timer -= kHoldStep * f;
    if (state.timer <= 0.0f) {
      state.timer = 1.0f;
      state.phase = kIntroFade;
    }
  } else {
    state.timer -= kFadeStep * f;
    if (state.timer <= 0.0f) state.finished = true;
  }
  if (state.skipped) state.finished = true;
}

void DrawIntro(const IntroAnimation& state, const Emblem& emblem, const Renderer& renderer) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  renderer.SetBoardProjection();
  glLoadIdentity();
  glTranslatef(0.0f, 0.0f, -kViewDistance);
  glTranslatef(0.0f, 0.0f, state.distance);
  if (state.phase == kIntroSpin) glRotatef(state.angle, 0.0f, 1.0f, 0.0f);
  // The glow is mapped as if seen from a little aside, so that the tubes'
  // highlights sit off their centre lines.
  glPushMatrix();
  glRotatef(kSphereMapTurn, 0.0f, 1.0f, 0.0f);
  glRotatef(kSphereMapTurn, 0.0f, 0.0f, 1.0f);
  double turned[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, turned);
  glPopMatrix();
  for (auto& object : emblem.parts) {
    if (!object) continue;
    object->SphereMap(turned);
    object->Draw();
  }
  if (state.phase == kIntroFade) renderer.overlay.DrawBlackOverlay(1.0f - state.timer);
}

void IntroScreen::Enter() {
  glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  // Without its emblem the screen ends at once: the start goes on.
  if (!m_emblem.SetUp()) Flow().Pop();
}

void IntroScreen::Update(const FrameTime& time, const Pointer&) {
  AdvanceIntro(m_state, time.delta);
  if (m_state.finished) Flow().Pop();
}

void IntroScreen::Leave() {
  m_emblem.Release();
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}
