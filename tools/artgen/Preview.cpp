// glyphox-artview: looks at the generated art the way the game shows it, with
// the real engine: a small board of a theme (background, floor, border,
// walls, letter cubes, arrows) or the menu backdrop with the title.
//
//   glyphox-artview GFX_DIR THEME OUT.bmp [--spin DEG] [--tilt DEG] [--zoom Z]
//                   [--size WxH] [--time FRAMES] [--bench SECONDS]
//   glyphox-artview GFX_DIR menu OUT.bmp [--size WxH] [--time FRAMES]
//
// GFX_DIR is the game's data/gfx/ (its parent must hold the fonts). --time
// sets the animation clock (frame units) for the morphing objects. --bench
// draws a 30 x 30 board of about 300 wall pieces and 200 cubes for that many
// seconds and prints the frame rate.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Display.h"
#include "config/ORBConfigFile.h"
#include "engine3d/GLContext.h"
#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "render/ThemeKeys.h"
#include "tools/artgen/Glyphs.h"
#include "tools/artgen/MenuScene.h"
#include "tools/artgen/Raster.h"

namespace {

constexpr float kSquare = 0.0625f;
constexpr double kPi = 3.14159265358979323846;

// A board: '#' wall, '.' floor, a capital letter a cube (its square gets
// the ground-letter tile, as if the letter belonged there).
std::vector<std::string> g_board = {
    "##########",
    "#..G...#.#",
    "#.####.#.#",
    "#.#..L.Y.#",
    "#...#.##.#",
    "##.P#...H#",
    "#...#.#O.#",
    "#.X.....##",
    "##########",
};

// The largest board the game allows, about 300 wall pieces and 200 cubes,
// for measuring frame rates.
void UseBenchmarkBoard() {
  g_board.assign(30, std::string(30, '.'));
  for (int y = 0; y < 30; ++y)
    for (int x = 0; x < 30; ++x) {
      bool border = x == 0 || y == 0 || x == 29 || y == 29;
      bool inner = (y % 6 == 3 && x % 7 != 5) || (x % 9 == 4 && y % 5 != 1);
      if (border || inner) g_board[y][x] = '#';
    }
  int cubes = 0;
  for (int y = 1; y < 29 && cubes < 200; ++y)
    for (int x = 1; x < 29 && cubes < 200; ++x)
      if (g_board[y][x] == '.' && (x + 2 * y) % 3 == 0) {
        g_board[y][x] = static_cast<char>('A' + cubes % 26);
        ++cubes;
      }
}

int Rows() { return static_cast<int>(g_board.size()); }
int Columns() { return static_cast<int>(g_board[0].size()); }
char At(int x, int y) { return g_board[y][x]; }
bool IsCube(int x, int y) { return At(x, y) >= 'A' && At(x, y) <= 'Z'; }

bool IsWall(int x, int y) {
  if (y < 0 || y >= Rows() || x < 0 || x >= Columns()) return false;
  return At(x, y) == '#';
}

// The wall shape of a square from its wall neighbours.
int WallShape(int x, int y) {
  return WallShapeForSides((IsWall(x - 1, y) ? kSideWest : 0) | (IsWall(x + 1, y) ? kSideEast : 0) |
                           (IsWall(x, y + 1) ? kSideSouth : 0) | (IsWall(x, y - 1) ? kSideNorth : 0));
}

struct Options {
  std::string gfx, theme, output;
  float spin = 20.0f, tilt = -55.0f, zoom = 0.0f, time = 0.0f;
  int width = 800, height = 600;
  float benchSeconds = 0.0f;
};

bool Parse(int argc, char** argv, Options& o) {
  if (argc < 4) return false;
  o.gfx = argv[1];
  o.theme = argv[2];
  o.output = argv[3];
  for (int i = 4; i + 1 < argc; i += 2) {
    std::string key = argv[i];
    const char* value = argv[i + 1];
    if (key == "--spin") o.spin = std::strtof(value, nullptr);
    else if (key == "--tilt") o.tilt = std::strtof(value, nullptr);
    else if (key == "--zoom") o.zoom = std::strtof(value, nullptr);
    else if (key == "--time") o.time = std::strtof(value, nullptr);
    else if (key == "--bench") o.benchSeconds = std::strtof(value, nullptr);
    else if (key == "--size") {
      if (std::sscanf(value, "%dx%d", &o.width, &o.height) != 2) return false;
    } else {
      return false;
    }
  }
  return true;
}

bool ReadTriple(ORBConfigFile& ini, const char* key, float out[3]) {
  ORBString value;
  return ini.GetValue(key, value) && std::sscanf(value.c_str(), "%f,%f,%f", &out[0], &out[1], &out[2]) == 3;
}

void Perspective(int width, int height) {
  glViewport(0, 0, width, height);
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  gluPerspective(45.0, static_cast<double>(width) / height, 0.01, 1000.0);
  glMatrixMode(GL_MODELVIEW);
}

bool LoadObject(Objet3D& object, const std::string& dir, const std::string& textures, const char* name) {
  Objet3D::SetObjectDirectory(dir.c_str());
  Objet3D::SetTextureDirectory(textures.c_str());
  if (object.Load(name)) return true;
  std::fprintf(stderr, "glyphox-artview: cannot load %s%s\n", dir.c_str(), name);
  return false;
}

// The letter image as the game bakes it, roughly: the tinted glyph half
// mixed into the tile, a dark rim around it.
void BakeLetter(ImagePixels& tile, const artgen::Font& font, char letter, const float tint[3]) {
  artgen::Raster mask(64, 64, artgen::Color{0, 0, 0, 0});
  font.Draw(mask, static_cast<unsigned>(letter), 44, 32, 32, 0.0, artgen::Color{1, 1, 1, 1});
  for (int y = 0; y < 64; ++y) {
    for (int x = 0; x < 64; ++x) {
      double a = mask.At(x, y).a, rim = 0;
      for (int dy = -2; dy <= 2; ++dy)
        for (int dx = -2; dx <= 2; ++dx)
          if (x + dx >= 0 && y + dy >= 0 && x + dx < 64 && y + dy < 64) rim = std::fmax(rim, mask.At(x + dx, y + dy).a);
      uint8_t* p = &tile.bytes[(y * 64 + x) * tile.bytesPerPixel];
      for (int c = 0; c < 3; ++c) {
        double bg = p[c];
        double letterColour = (255.0 * tint[c] * a + bg) * 0.5;
        double out = a > 0 ? letterColour * a + bg * 0.5 * (1 - a) : bg * (1.0 - 0.5 * rim);
        p[c] = static_cast<uint8_t>(std::fmin(255.0, out));
      }
    }
  }
}

struct BoardScene {
  std::unique_ptr<Objet3D> walls[16];
  Objet3D arrow, arrowTarget, arrowWork, background, floor, cube;
  Material* floorMaterial = nullptr;
  Material* arrowOff = nullptr;
  std::unique_ptr<Material> looks[26];  // the cube's look for each letter
  Texture border, echec;
  float light0[4] = {0, 0, 0, 0}, light1[4] = {0, 0, 0, 0};
};

void DrawTile(float x0, float z0, float x1, float z1) {
  glBegin(GL_TRIANGLE_STRIP);
  glNormal3f(0, 1, 0);
  glTexCoord2f(0, 0);
  glVertex3f(x0, 0, z0);
  glTexCoord2f(1, 0);
  glVertex3f(x1, 0, z0);
  glTexCoord2f(0, 1);
  glVertex3f(x0, 0, z1);
  glTexCoord2f(1, 1);
  glVertex3f(x1, 0, z1);
  glEnd();
}

// Loads a theme as the game's theme loader does, and the cube with one look
// per letter of the alphabet.
bool LoadScene(const Options& o, BoardScene& scene) {
  const std::string themeDir = o.gfx + "/theme" + o.theme + "/";
  const std::string objects = themeDir + "3d/", textures = themeDir + "texture/";
  ORBConfigFile ini;
  if (!ini.Load((themeDir + kThemeIniFile).c_str())) {
    std::fprintf(stderr, "glyphox-artview: no %stheme.ini\n", themeDir.c_str());
    return false;
  }
  float l0a[4] = {0, 0, 0, 1}, l0d[4] = {1, 1, 1, 1}, l1a[4] = {0, 0, 0, 1}, l1d[4] = {1, 1, 1, 1};
  float letterColour[3] = {1, 1, 1};
  ReadTriple(ini, kThemeKeys[kKeyLight0Position], scene.light0);
  ReadTriple(ini, kThemeKeys[kKeyLight0Ambient], l0a);
  ReadTriple(ini, kThemeKeys[kKeyLight0Diffuse], l0d);
  ReadTriple(ini, kThemeKeys[kKeyLight1Position], scene.light1);
  ReadTriple(ini, kThemeKeys[kKeyLight1Ambient], l1a);
  ReadTriple(ini, kThemeKeys[kKeyLight1Diffuse], l1d);
  ReadTriple(ini, kThemeKeys[kKeyGroundLetterColor], letterColour);
  const float globalAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient);
  glLightfv(GL_LIGHT0, GL_AMBIENT, l0a);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, l0d);
  glLightfv(GL_LIGHT1, GL_AMBIENT, l1a);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, l1d);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);

  const float zero[3] = {0, 0, 0}, s[3] = {kSquare, kSquare, kSquare};
  for (int k = 0; k < 16; ++k) {
    scene.walls[k].reset(new Objet3D);
    if (!LoadObject(*scene.walls[k], objects, textures, kWallPieceFiles[k])) return false;
    scene.walls[k]->Transform(zero, s);
    scene.walls[k]->BuildDisplayList();
  }
  if (!LoadObject(scene.arrow, objects, textures, kArrowModel) ||
      !LoadObject(scene.arrowTarget, objects, textures, kArrowMorphModel))
    return false;
  scene.arrow.Transform(zero, s);
  scene.arrowTarget.Transform(zero, s);
  scene.arrowWork.CopyFrom(scene.arrow);
  scene.arrowWork.MorphSetup(&scene.arrow, &scene.arrowTarget);
  scene.arrowOff = GetOrCreateMaterial("preview_arrow_off");
  scene.arrowOff->SetEnvironmentTextureFromFile((textures + kArrowOffTexture).c_str());
  scene.arrowOff->ambient[0] = scene.arrowOff->ambient[1] = scene.arrowOff->ambient[2] = 0.8f;
  scene.arrowOff->flags = kMaterialEnvironment;
  SetMipmapping(false);
  bool background = LoadObject(scene.background, objects, textures, kBackgroundModel);
  SetMipmapping(true);
  if (!background) return false;
  scene.background.BuildDisplayList();
  if (!LoadObject(scene.floor, objects, textures, kFloorModel)) return false;
  scene.floorMaterial = scene.floor.FirstMesh()->material;
  scene.floorMaterial->flags |= kMaterialBlended;
  scene.floorMaterial->blendMode = 5;
  scene.floorMaterial->opacity = 1.0f;
  if (scene.border.Load((textures + kBorderTexture).c_str())) {
    scene.border.wrapT = GL_CLAMP_TO_EDGE;
    scene.border.Upload();
  }
  if (scene.echec.Load((textures + kGroundTileTexture).c_str())) scene.echec.Upload();

  if (!LoadObject(scene.cube, o.gfx + "/3d/", o.gfx + "/2d/", "cube.3do")) return false;
  scene.cube.Fit(1, 1, 1);
  scene.cube.Transform(zero, s);
  artgen::Font font;
  font.Open(o.gfx + "/../DejaVuSans-Bold.ttf");
  ImagePixels face;
  if (!ReadImagePixels((textures + kCubeFaceTexture).c_str(), face) || face.width != 64 || face.height != 64) return false;
  for (int letter = 0; letter < 26; ++letter) {
    scene.looks[letter].reset(new Material("preview_cube_look"));
    scene.looks[letter]->CopyValues(*scene.cube.FirstMesh()->material);
    Texture* atlas = new Texture;
    atlas->Create(64, 512, 24);
    for (int f = 0; f < 8; ++f) {
      ImagePixels tile = face;
      if (f < 6) BakeLetter(tile, font, static_cast<char>('A' + letter), letterColour);
      for (int row = 0; row < 64; ++row)
        std::memcpy(&atlas->pixels[(f * 64 + row) * 64 * 3], &tile.bytes[row * 64 * tile.bytesPerPixel], 64 * 3);
    }
    scene.looks[letter]->SetBaseTexture(atlas);
  }
  return true;
}

// One frame of the board, in the order the game draws it (without the
// mirror image and shadows).
void DrawFrame(const Options& o, BoardScene& scene, float time) {
  const int width = Columns(), height = Rows();
  const float zoom = o.zoom > 0 ? o.zoom : std::max(width, height) * 0.09f;
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Perspective(o.width, o.height);
  glLoadIdentity();
  glTranslatef(0, 0, -zoom);
  glRotatef(o.tilt, -1, 0, 0);
  glRotatef(o.spin, 0, -1, 0);

  glPushMatrix();
  glRotatef(time * 0.02f, 0, 1, 0);
  glCallList(static_cast<GLuint>(scene.background.displayList));
  glPopMatrix();

  glPushMatrix();
  scene.arrowWork.Morph(static_cast<float>((std::cos(time * kPi * 0.03125) + 1.0) * 0.5));
  glTranslatef((0.5f - width / 2.0f) * kSquare, 0, (0.5f - height / 2.0f) * kSquare);
  glLightfv(GL_LIGHT0, GL_POSITION, scene.light0);
  glLightfv(GL_LIGHT1, GL_POSITION, scene.light1);
  double boardView[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, boardView);

  // Floor: plain squares, then the ground-letter squares.
  scene.floorMaterial->Apply();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (!IsCube(x, y)) DrawTile((x - 0.5f) * kSquare, (y - 0.5f) * kSquare, (x + 0.5f) * kSquare, (y + 0.5f) * kSquare);
  if (scene.echec.HasName()) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(scene.echec.glName));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (IsCube(x, y)) DrawTile((x - 0.5f) * kSquare, (y - 0.5f) * kSquare, (x + 0.5f) * kSquare, (y + 0.5f) * kSquare);
  scene.floorMaterial->End();

  glEnable(GL_DEPTH_TEST);
  glDisable(GL_BLEND);
  glEnable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (IsWall(x, y)) {
        glPushMatrix();
        glTranslatef(x * kSquare, 0, y * kSquare);
        glCallList(static_cast<GLuint>(scene.walls[WallShape(x, y)]->displayList));
        glPopMatrix();
      }

  Mesh3D* cubeMesh = scene.cube.FirstMesh();
  Material* cubeMaterial = cubeMesh->material;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (!IsCube(x, y)) continue;
      cubeMesh->material = scene.looks[At(x, y) - 'A'].get();
      glPushMatrix();
      glTranslatef(x * kSquare, kSquare * 0.5f, y * kSquare);
      scene.cube.Draw();
      glPopMatrix();
    }
  cubeMesh->material = cubeMaterial;

  // Arrows round every "P".
  Mesh3D* arrowMesh = scene.arrowWork.FirstMesh();
  Material* own = arrowMesh->material;
  arrowMesh->material = scene.arrowOff;
  const int neighbours[4][3] = {{0, -1, -90}, {1, 0, 180}, {0, 1, 90}, {-1, 0, 0}};
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (At(x, y) != 'P') continue;
      for (const auto& n : neighbours) {
        int ax = x + n[0], ay = y + n[1];
        if (ax < 0 || ay < 0 || ax >= width || ay >= height || At(ax, ay) != '.') continue;
        glPushMatrix();
        glTranslatef(ax * kSquare, 0.3f * kSquare, ay * kSquare);
        glRotatef(static_cast<float>(n[2]), 0, 1, 0);
        scene.arrowWork.SphereMap(boardView);
        scene.arrowWork.Draw();
        glPopMatrix();
      }
    }
  arrowMesh->material = own;

  // The border of the board's slab.
  glDisable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  if (scene.border.HasName()) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(scene.border.glName));
  glDisable(GL_CULL_FACE);
  const float s = kSquare, W = width * s - s / 2, H = height * s - s / 2, L = -s / 2;
  const float w = static_cast<float>(width), h = static_cast<float>(height);
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0); glVertex3f(L, 0, L); glTexCoord2f(h, 0); glVertex3f(L, 0, H);
  glTexCoord2f(h, 1); glVertex3f(L, -s, H); glTexCoord2f(0, 1); glVertex3f(L, -s, L);
  glTexCoord2f(0, 0); glVertex3f(W, 0, H); glTexCoord2f(h, 0); glVertex3f(W, 0, L);
  glTexCoord2f(h, 1); glVertex3f(W, -s, L); glTexCoord2f(0, 1); glVertex3f(W, -s, H);
  glTexCoord2f(0, 0); glVertex3f(L, 0, H); glTexCoord2f(w, 0); glVertex3f(W, 0, H);
  glTexCoord2f(w, 1); glVertex3f(W, -s, H); glTexCoord2f(0, 1); glVertex3f(L, -s, H);
  glTexCoord2f(0, 0); glVertex3f(W, 0, L); glTexCoord2f(w, 0); glVertex3f(L, 0, L);
  glTexCoord2f(w, 1); glVertex3f(L, -s, L); glTexCoord2f(0, 1); glVertex3f(W, -s, L);
  glEnd();
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);  // models are wound clockwise seen from outside
  glEnable(GL_LIGHTING);
  glPopMatrix();
}

int RenderBoard(const Options& o) {
  if (o.benchSeconds > 0) UseBenchmarkBoard();
  BoardScene scene;
  if (!LoadScene(o, scene)) return 1;
  if (o.benchSeconds > 0) {
    int walls = 0, cubes = 0;
    for (int y = 0; y < Rows(); ++y)
      for (int x = 0; x < Columns(); ++x) {
        walls += IsWall(x, y) ? 1 : 0;
        cubes += IsCube(x, y) ? 1 : 0;
      }
    int frames = 0;
    auto start = std::chrono::steady_clock::now();
    double elapsed = 0;
    while (elapsed < o.benchSeconds) {
      DrawFrame(o, scene, static_cast<float>(frames));
      PresentFrame();
      ++frames;
      elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    }
    std::printf("theme %s, %dx%d board, %d wall pieces, %d cubes, %dx%d pixels: %.1f frames/s\n", o.theme.c_str(),
                Columns(), Rows(), walls, cubes, o.width, o.height, frames / elapsed);
  }
  DrawFrame(o, scene, o.time);
  glFinish();
  return SaveScreenshot(o.output.c_str()) ? 0 : 1;
}

int RenderMenu(const Options& o) {
  artgen::MenuScene menu;
  if (!menu.Load(o.gfx + "/2d/")) {
    std::fprintf(stderr, "glyphox-artview: cannot load the menu objects from %s/2d/\n", o.gfx.c_str());
    return 1;
  }
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Perspective(o.width, o.height);
  artgen::PlaceMenuCameraAndLight();
  menu.DrawBackdrop(o.time);
  menu.DrawTitle(o.time);
  glFinish();
  return SaveScreenshot(o.output.c_str()) ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!Parse(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: glyphox-artview GFX_DIR THEME|menu OUT.bmp [--spin DEG] [--tilt DEG] [--zoom Z]\n"
                 "                       [--size WxH] [--time FRAMES] [--bench SECONDS]\n");
    return 2;
  }
  if (!OpenToolWindow("glyphox-artview", options.width, options.height)) return 1;
  int status = options.theme == "menu" ? RenderMenu(options) : RenderBoard(options);
  ClearMaterials();
  CloseToolWindow();
  return status;
}
