// glyphox-artview: looks at the generated art the way the game shows it, with
// the real engine: a small board of a theme (background, floor, border,
// walls, letter cubes, arrows) or the menu backdrop with the title.
//
//   glyphox-artview GFX_DIR THEME OUT.bmp [--spin DEG] [--tilt DEG] [--zoom Z]
//                   [--size WxH] [--time FRAMES]
//   glyphox-artview GFX_DIR menu OUT.bmp [--size WxH] [--time FRAMES]
//
// GFX_DIR is the game's data/gfx/ (its parent must hold the fonts). --time
// sets the animation clock (frame units) for the morphing objects.
#include <GL/gl.h>
#include <GL/glu.h>
#include <SDL.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "app/Display.h"
#include "config/ORBConfigFile.h"
#include "config/Settings.h"
#include "engine3d/GLContext.h"
#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "tools/artgen/Glyphs.h"
#include "tools/artgen/MenuScene.h"
#include "tools/artgen/Raster.h"

namespace {

constexpr float kSquare = 0.0625f;
constexpr double kPi = 3.14159265358979323846;

// A sample board: '#' wall, '.' floor, letters are cubes standing on squares
// whose solution letter is shown on the floor ('a'..'z' floor letters only).
const char* const kBoard[] = {
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
constexpr int kRows = sizeof kBoard / sizeof kBoard[0];

bool IsWall(int x, int y) {
  if (y < 0 || y >= kRows || x < 0 || x >= static_cast<int>(std::strlen(kBoard[y]))) return false;
  return kBoard[y][x] == '#';
}

// The wall shape of a square from its wall neighbours.
int WallShape(int x, int y) {
  static const int kShapeByMask[16] = {0, 11, 10, 2, 8, 6, 4, 12, 9, 7, 5, 13, 1, 15, 14, 3};
  int mask = (IsWall(x - 1, y) ? 8 : 0) | (IsWall(x + 1, y) ? 4 : 0) | (IsWall(x, y + 1) ? 2 : 0) | (IsWall(x, y - 1) ? 1 : 0);
  return kShapeByMask[mask];
}

const char* const kWallFiles[16] = {
    "mur_Blocf.3do",  "mur_Blocdgo.3do", "mur_Blochbo.3do", "mur_Blocco.3do",  "mur_Blocdbo.3do", "mur_Blocbgo.3do",
    "mur_Blochdo.3do", "mur_Blochgo.3do", "mur_Blocdo.3do",  "mur_Blocgo.3do",  "mur_Blocbo.3do",  "mur_Blocho.3do",
    "mur_Blocgf.3do", "mur_Blocdf.3do",  "mur_Blochf.3do",  "mur_Blocbf.3do"};

struct Options {
  std::string gfx, theme, output;
  float spin = 20.0f, tilt = -55.0f, zoom = 0.0f, time = 0.0f;
  int width = 800, height = 600;
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

float ReadSingle(ORBConfigFile& ini, const char* key) {
  ORBString value;
  float f = 0;
  if (ini.GetValue(key, value)) std::sscanf(value.c_str(), "%f", &f);
  return f;
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
  std::vector<std::unique_ptr<Material>> looks;
  Texture border, echec;
  float reflect = 0, shadowStrength = 0, letterColour[3] = {1, 1, 1};
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

int RenderBoard(const Options& o) {
  const std::string themeDir = o.gfx + "/theme" + o.theme + "/";
  const std::string objects = themeDir + "3d/", textures = themeDir + "texture/";
  ORBConfigFile ini;
  if (!ini.Load((themeDir + "theme.ini").c_str())) {
    std::fprintf(stderr, "glyphox-artview: no %stheme.ini\n", themeDir.c_str());
    return 1;
  }
  BoardScene scene;
  float l0p[4] = {0, 0, 0, 0}, l0a[4] = {0, 0, 0, 1}, l0d[4] = {1, 1, 1, 1};
  float l1p[4] = {0, 0, 0, 0}, l1a[4] = {0, 0, 0, 1}, l1d[4] = {1, 1, 1, 1};
  ReadTriple(ini, "Light0_Position", l0p);
  ReadTriple(ini, "Light0_Ambient", l0a);
  ReadTriple(ini, "Light0_Diffuse", l0d);
  ReadTriple(ini, "Light1_Position", l1p);
  ReadTriple(ini, "Light1_Ambient", l1a);
  ReadTriple(ini, "Light1_Diffuse", l1d);
  ReadTriple(ini, "GroundLetterColor", scene.letterColour);
  scene.shadowStrength = ReadSingle(ini, "ShadowStrength");
  const float globalAmbient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
  glLightModelfv(GL_LIGHT_MODEL_AMBIENT, globalAmbient);
  glLightfv(GL_LIGHT0, GL_AMBIENT, l0a);
  glLightfv(GL_LIGHT0, GL_DIFFUSE, l0d);
  glLightfv(GL_LIGHT1, GL_AMBIENT, l1a);
  glLightfv(GL_LIGHT1, GL_DIFFUSE, l1d);
  glEnable(GL_LIGHT0);
  glEnable(GL_LIGHT1);
  glEnable(GL_LIGHTING);

  for (int k = 0; k < 16; ++k) {
    scene.walls[k].reset(new Objet3D);
    if (!LoadObject(*scene.walls[k], objects, textures, kWallFiles[k])) return 1;
    const float zero[3] = {0, 0, 0}, s[3] = {kSquare, kSquare, kSquare};
    scene.walls[k]->Transform(zero, s);
    scene.walls[k]->BuildDisplayList();
  }
  if (!LoadObject(scene.arrow, objects, textures, "fleche.3do") ||
      !LoadObject(scene.arrowTarget, objects, textures, "flechemorph.3do"))
    return 1;
  {
    const float zero[3] = {0, 0, 0}, s[3] = {kSquare, kSquare, kSquare};
    scene.arrow.Transform(zero, s);
    scene.arrowTarget.Transform(zero, s);
    scene.arrowWork.CopyFrom(scene.arrow);
    scene.arrowWork.MorphSetup(&scene.arrow, &scene.arrowTarget);
    scene.arrowWork.Morph(static_cast<float>((std::cos(o.time * kPi * 0.03125) + 1.0) * 0.5));
  }
  Material* arrowOff = GetOrCreateMaterial("preview_arrow_off");
  arrowOff->SetEnvironmentTextureFromFile((textures + "flecheof.png").c_str());
  arrowOff->ambient[0] = arrowOff->ambient[1] = arrowOff->ambient[2] = 0.8f;
  arrowOff->flags = kMaterialEnvironment;
  g_settings.mipMapping = 0;
  if (!LoadObject(scene.background, objects, textures, "fond.3do")) return 1;
  g_settings.mipMapping = 1;
  scene.background.BuildDisplayList();
  if (!LoadObject(scene.floor, objects, textures, "sol.3do")) return 1;
  Material* floorMaterial = scene.floor.FirstMesh()->material;
  floorMaterial->flags |= kMaterialBlended;
  floorMaterial->blendMode = 5;
  floorMaterial->opacity = 1.0f;
  if (scene.border.Load((textures + "bordure.png").c_str())) {
    scene.border.wrapT = GL_CLAMP_TO_EDGE;
    scene.border.Upload();
  }
  if (scene.echec.Load((textures + "echec.png").c_str())) scene.echec.Upload();

  if (!LoadObject(scene.cube, o.gfx + "/3d/", o.gfx + "/2d/", "cube.3do")) return 1;
  scene.cube.Fit(1, 1, 1);
  {
    const float zero[3] = {0, 0, 0}, s[3] = {kSquare, kSquare, kSquare};
    scene.cube.Transform(zero, s);
  }
  artgen::Font font;
  font.Open(o.gfx + "/../DejaVuSans-Bold.ttf");
  ImagePixels face;
  ReadImagePixels((textures + "objet.png").c_str(), face);

  const int width = static_cast<int>(std::strlen(kBoard[0])), height = kRows;
  float zoom = o.zoom > 0 ? o.zoom : std::max(width, height) * 0.09f;
  glClearColor(0, 0, 0, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  Perspective(o.width, o.height);
  glLoadIdentity();
  glTranslatef(0, 0, -zoom);
  glRotatef(o.tilt, -1, 0, 0);
  glRotatef(o.spin, 0, -1, 0);
  double modelviewCamera[16];

  // Background.
  glPushMatrix();
  glRotatef(o.time * 0.02f, 0, 1, 0);
  glCallList(static_cast<GLuint>(scene.background.displayList));
  glPopMatrix();

  glPushMatrix();
  glTranslatef((0.5f - width / 2.0f) * kSquare, 0, (0.5f - height / 2.0f) * kSquare);
  glLightfv(GL_LIGHT0, GL_POSITION, l0p);
  glLightfv(GL_LIGHT1, GL_POSITION, l1p);
  glGetDoublev(GL_MODELVIEW_MATRIX, modelviewCamera);

  // Floor, with the letter squares under the cubes' solution places.
  floorMaterial->Apply();
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (!(kBoard[y][x] >= 'A' && kBoard[y][x] <= 'Z'))
        DrawTile((x - 0.5f) * kSquare, (y - 0.5f) * kSquare, (x + 0.5f) * kSquare, (y + 0.5f) * kSquare);
  if (scene.echec.HasName()) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(scene.echec.glName));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (kBoard[y][x] >= 'A' && kBoard[y][x] <= 'Z')
        DrawTile((x - 0.5f) * kSquare, (y - 0.5f) * kSquare, (x + 0.5f) * kSquare, (y + 0.5f) * kSquare);
  floorMaterial->End();

  // Walls.
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

  // Cubes, each with its letter on every face.
  Material* cubeMaterial = scene.cube.FirstMesh()->material;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      char letter = kBoard[y][x];
      if (!(letter >= 'A' && letter <= 'Z')) continue;
      std::unique_ptr<Material> look(new Material("preview_cube_look"));
      look->CopyValues(*cubeMaterial);
      Texture* atlas = new Texture;
      atlas->Create(64, 512, 24);
      for (int f = 0; f < 8; ++f) {
        ImagePixels tile = face;
        if (f < 6 && !tile.bytes.empty()) BakeLetter(tile, font, letter, scene.letterColour);
        for (int row = 0; row < 64 && !tile.bytes.empty(); ++row)
          std::memcpy(&atlas->pixels[(f * 64 + row) * 64 * 3], &tile.bytes[row * 64 * tile.bytesPerPixel], 64 * 3);
      }
      look->SetBaseTexture(atlas);
      scene.cube.FirstMesh()->material = look.get();
      glPushMatrix();
      glTranslatef(x * kSquare, kSquare * 0.5f, y * kSquare);
      scene.cube.Draw();
      glPopMatrix();
      scene.looks.push_back(std::move(look));
    }
  scene.cube.FirstMesh()->material = cubeMaterial;

  // Arrows round the cube "P".
  Mesh3D* arrowMesh = scene.arrowWork.FirstMesh();
  Material* own = arrowMesh->material;
  arrowMesh->material = arrowOff;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      if (kBoard[y][x] != 'P') continue;
      const int neighbours[4][3] = {{0, -1, -90}, {1, 0, 180}, {0, 1, 90}, {-1, 0, 0}};
      for (const auto& n : neighbours) {
        int ax = x + n[0], ay = y + n[1];
        if (IsWall(ax, ay) || kBoard[ay][ax] != '.') continue;
        glPushMatrix();
        glTranslatef(ax * kSquare, 0.3f * kSquare, ay * kSquare);
        glRotatef(static_cast<float>(n[2]), 0, 1, 0);
        scene.arrowWork.SphereMap(modelviewCamera);
        scene.arrowWork.Draw();
        glPopMatrix();
      }
    }
  arrowMesh->material = own;

  // Border of the board slab.
  glDisable(GL_LIGHTING);
  glColor4f(1, 1, 1, 1);
  glEnable(GL_TEXTURE_2D);
  if (scene.border.HasName()) glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(scene.border.glName));
  glDisable(GL_CULL_FACE);
  const float s = kSquare, W = width * s - s / 2, H = height * s - s / 2, L = -s / 2;
  glBegin(GL_QUADS);
  glTexCoord2f(0, 0); glVertex3f(L, 0, L); glTexCoord2f(height, 0); glVertex3f(L, 0, H);
  glTexCoord2f(height, 1); glVertex3f(L, -s, H); glTexCoord2f(0, 1); glVertex3f(L, -s, L);
  glTexCoord2f(0, 0); glVertex3f(W, 0, H); glTexCoord2f(height, 0); glVertex3f(W, 0, L);
  glTexCoord2f(height, 1); glVertex3f(W, -s, L); glTexCoord2f(0, 1); glVertex3f(W, -s, H);
  glTexCoord2f(0, 0); glVertex3f(L, 0, H); glTexCoord2f(width, 0); glVertex3f(W, 0, H);
  glTexCoord2f(width, 1); glVertex3f(W, -s, H); glTexCoord2f(0, 1); glVertex3f(L, -s, H);
  glTexCoord2f(0, 0); glVertex3f(W, 0, L); glTexCoord2f(width, 0); glVertex3f(L, 0, L);
  glTexCoord2f(width, 1); glVertex3f(L, -s, L); glTexCoord2f(0, 1); glVertex3f(W, -s, L);
  glEnd();
  glEnable(GL_CULL_FACE);
  glEnable(GL_LIGHTING);
  glPopMatrix();
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
                 "                       [--size WxH] [--time FRAMES]\n");
    return 2;
  }
  setenv("SDL_VIDEODRIVER", "x11", 0);
  g_settings.windowed = 1;
  if (SDL_Init(SDL_INIT_VIDEO) != 0 || !OpenDisplay(options.width, options.height)) {
    std::fprintf(stderr, "glyphox-artview: cannot open a window (%s)\n", SDL_GetError());
    SDL_Quit();
    return 1;
  }
  int status = options.theme == "menu" ? RenderMenu(options) : RenderBoard(options);
  ClearMaterials();
  CloseDisplay();
  SDL_Quit();
  return status;
}
