// Frames per second of the engine's drawing paths: 200 lit, textured cubes at
// 1024 x 768, drawn through display lists and through the direct path, with
// smooth (vertex-array) and flat (face-by-face) cubes. Prints figures; it
// asserts nothing. Starts its own virtual display when DISPLAY is unset.
//
//   build/bench/engine3d_bench [seconds per case, default 3]
#include <GL/gl.h>
#include <SDL.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "platform/Display.h"
#include "engine3d/Objet3D.h"
#include "tests/engine3d/ModelFixtures.h"
#include "tests/support/TestFiles.h"
#include "tests/support/VirtualDisplay.h"

namespace {

constexpr int kWidth = 1024, kHeight = 768;
constexpr int kColumns = 20, kRows = 10;  // 200 cubes

void SetUpScene() {
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glFrustum(-0.08, 0.08, -0.06, 0.06, 0.1, 100.0);
  glMatrixMode(GL_MODELVIEW);
  const GLfloat ambient[4] = {0.5f, 0.5f, 0.5f, 1}, white[4] = {1, 1, 1, 1}, blue[4] = {0.2f, 0.2f, 0.5f, 1};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, blue);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
}

// One frame: every cube turned a little more than the last.
void DrawFrame(Objet3D& cube, bool listed, int frame) {
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  glLoadIdentity();
  glTranslatef(0, 0, -12);
  const GLfloat key[4] = {2, 2, 2, 0}, fill[4] = {-2, 1, 0, 0};
  glLightfv(GL_LIGHT0, GL_POSITION, key);
  glLightfv(GL_LIGHT1, GL_POSITION, fill);
  for (int r = 0; r < kRows; ++r)
    for (int c = 0; c < kColumns; ++c) {
      glPushMatrix();
      glTranslatef((c - kColumns / 2 + 0.5f) * 0.9f, (r - kRows / 2 + 0.5f) * 0.9f, 0);
      glRotatef(static_cast<float>(frame + r * kColumns + c), 1, 1, 0);
      if (listed)
        glCallList(static_cast<GLuint>(cube.displayList));
      else
        cube.Draw();
      glPopMatrix();
    }
  PresentFrame();
}

double FramesPerSecond(Objet3D& cube, bool listed, double seconds) {
  for (int i = 0; i < 10; ++i) DrawFrame(cube, listed, i);  // warm up
  glFinish();
  const auto start = std::chrono::steady_clock::now();
  int frames = 0;
  double elapsed = 0;
  while (elapsed < seconds) {
    DrawFrame(cube, listed, frames++);
    glFinish();
    elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  }
  return frames / elapsed;
}

bool LoadCube(const testsupport::TempDir& dir, const char* name, int shading, Objet3D& cube) {
  std::vector<uint8_t> checker;
  for (int y = 0; y < 64; ++y)
    for (int x = 0; x < 64; ++x) {
      const uint8_t v = ((x / 8 + y / 8) % 2) ? 230 : 60;
      checker.insert(checker.end(), {v, static_cast<uint8_t>(v / 2), 40});
    }
  if (!fixtures::WritePng(dir / "checker.png", 64, 64, 3, checker)) return false;
  fixtures::MaterialSpec spec;
  spec.name = name;
  spec.shading = shading;
  spec.base = "checker.png";
  ModelFileData model;
  model.meshes.push_back(fixtures::Cube("cube", name, 0.3f));
  model.materials.push_back(fixtures::Material(spec));
  const std::string file = std::string(name) + ".3do";
  if (!WriteModelFile((dir / file).c_str(), model)) return false;
  if (!cube.Load(file.c_str())) return false;
  cube.BuildDisplayList();
  return cube.displayList != -1;
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 3.0;
  testsupport::VirtualDisplay display;
  if (!std::getenv("DISPLAY") && !display.Start(kWidth, kHeight)) {
    std::fprintf(stderr, "engine3d_bench: cannot start a virtual display\n");
    return 1;
  }
  setenv("SDL_VIDEODRIVER", "x11", 0);
  SetMipmapping(true);
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !OpenDisplay(kWidth, kHeight)) {
    std::fprintf(stderr, "engine3d_bench: cannot open a %dx%d window\n", kWidth, kHeight);
    return 1;
  }
  int status = 0;
  {
    testsupport::TempDir dir;
    Objet3D::SetObjectDirectory((dir.Path() + "/").c_str());
    Objet3D::SetTextureDirectory((dir.Path() + "/").c_str());
    Objet3D smooth, flat;
    if (!LoadCube(dir, "Smooth", 2, smooth) || !LoadCube(dir, "Flat", 1, flat)) {
      std::fprintf(stderr, "engine3d_bench: cannot build the cube\n");
      status = 1;
    } else {
      SetUpScene();
      std::printf("%d lit textured cubes at %dx%d, %.1f s per case\n", kColumns * kRows, kWidth, kHeight, seconds);
      std::printf("smooth (vertex arrays), display list: %7.1f fps\n", FramesPerSecond(smooth, true, seconds));
      std::printf("smooth (vertex arrays), direct:       %7.1f fps\n", FramesPerSecond(smooth, false, seconds));
      std::printf("flat (face by face),    display list: %7.1f fps\n", FramesPerSecond(flat, true, seconds));
      std::printf("flat (face by face),    direct:       %7.1f fps\n", FramesPerSecond(flat, false, seconds));
    }
  }
  ClearMaterials();
  CloseDisplay();
  SDL_Quit();
  return status;
}
