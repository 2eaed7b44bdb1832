// Drawing loaded models under the virtual display and reading the pixels
// back: lighting and normals, flat and smooth shading, textures, blending
// order, two-sided and unlit materials, sphere maps, and display lists
// against the direct path.
#include <GL/gl.h>
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Display.h"
#include "engine3d/GLContext.h"
#include "engine3d/Objet3D.h"
#include "tests/engine3d/ModelFixtures.h"
#include "tests/support/GLFrame.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;
using fixtures::MaterialSpec;

namespace {

constexpr int kSize = 64;

class DrawTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    SetMipmapping(false);
    ASSERT_EQ(OpenDisplay(kSize, kSize), 1);
    ClearMaterials();
    Objet3D::SetObjectDirectory((m_dir.Path() + "/").c_str());
    Objet3D::SetTextureDirectory((m_dir.Path() + "/").c_str());
    // Looking down -z at the square -1..1; one white light shining along -z
    // and no ambient light, so a lit colour is diffuse x cos(angle).
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-1, 1, -1, 1, -10, 10);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const GLfloat none[4] = {0, 0, 0, 1}, white[4] = {1, 1, 1, 1}, fromViewer[4] = {0, 0, 1, 0};
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, white);
    glLightfv(GL_LIGHT0, GL_POSITION, fromViewer);
    glEnable(GL_LIGHT0);
    Clear();
  }
  void TearDown() override {
    ClearMaterials();
    CloseDisplay();
    SDL_Quit();
  }

  static void Clear() {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  static Image Frame() { return ReadFrame(kSize, kSize); }
  // Draws through a display list (default) or directly, and reads the frame.
  static Image Drawn(Objet3D& object, bool direct = false) {
    Clear();
    if (direct) {
      object.Draw();
    } else {
      object.BuildDisplayList();
      EXPECT_NE(object.displayList, -1);
      glCallList(static_cast<GLuint>(object.displayList));
    }
    EXPECT_EQ(CheckGLErrors(), 1);
    return Frame();
  }
  void Load(Objet3D& object, const std::string& name, const ModelFileData& model) {
    ASSERT_TRUE(WriteModelFile((m_dir / name).c_str(), model));
    ASSERT_EQ(object.Load(name.c_str()), 1);
  }
  static ModelFileData Model(std::vector<ModelMesh> meshes, std::vector<MaterialSpec> specs) {
    ModelFileData model;
    model.meshes = std::move(meshes);
    for (const MaterialSpec& spec : specs) model.materials.push_back(fixtures::Material(spec));
    return model;
  }
  static MaterialSpec Spec(const char* name, float r, float g, float b) {
    MaterialSpec spec;
    spec.name = name;
    spec.ambient[0] = spec.diffuse[0] = r;
    spec.ambient[1] = spec.diffuse[1] = g;
    spec.ambient[2] = spec.diffuse[2] = b;
    return spec;
  }

  TempDir m_dir;
};

// Texture checks allow for linear filtering near texel edges.
constexpr int kFiltered = 10;

void ExpectColour(const Rgb& pixel, int r, int g, int b, int tolerance = 2) {
  EXPECT_NEAR(pixel.r, r, tolerance);
  EXPECT_NEAR(pixel.g, g, tolerance);
  EXPECT_NEAR(pixel.b, b, tolerance);
}

}  // namespace

TEST_F(DrawTest, FlatLitFacesShowTheirOutsideLitFromTheFront) {
  // One square facing the viewer, one (behind it, larger) facing away.
  ModelMesh away = fixtures::Square("away", "Red", 0.9f, -1.0f);
  for (size_t f = 0; f < away.faces.size(); f += 3) std::swap(away.faces[f + 1], away.faces[f + 2]);
  Objet3D object;
  Load(object, "flat.3do", Model({fixtures::Square("front", "Red", 0.5f), away}, {Spec("Red", 0.8f, 0.4f, 0.2f)}));
  ASSERT_EQ(object.GetMesh(0)->normalMode, kFaceNormals);
  Image frame = Drawn(object);
  ExpectColour(frame.At(32, 32), 204, 102, 51);
  // The back-facing square is culled: its only visible part stays black.
  ExpectColour(frame.At(5, 32), 0, 0, 0, 0);
  // Only the front square is lit: 32 x 32 pixels of the 64 x 64 frame.
  EXPECT_NEAR(frame.CountLit(), 32 * 32, 2 * 32 + 2);
}

TEST_F(DrawTest, SmoothShadingBlendsAcrossTheWeldedRidge) {
  MaterialSpec smooth = Spec("Smooth", 1, 1, 1);
  smooth.shading = 2;
  MaterialSpec flat = Spec("Flat", 1, 1, 1);
  Objet3D smoothRidge, flatRidge;
  Load(smoothRidge, "smooth.3do", Model({fixtures::Ridge("ridge", "Smooth", 0.8f, 0.8f)}, {smooth}));
  Load(flatRidge, "flat.3do", Model({fixtures::Ridge("ridge", "Flat", 0.8f, 0.8f)}, {flat}));
  ASSERT_EQ(smoothRidge.GetMesh(0)->normalMode, kVertexNormals);

  Image flatFrame = Drawn(flatRidge);
  // Each half tilted 45 degrees: 255 x cos 45, the same all over.
  ExpectColour(flatFrame.At(20, 32), 180, 180, 180);
  ExpectColour(flatFrame.At(30, 32), 180, 180, 180);

  Image smoothFrame = Drawn(smoothRidge);
  // Towards the ridge the welded normal turns to the viewer: brighter.
  EXPECT_GT(smoothFrame.At(31, 32).r, smoothFrame.At(9, 32).r + 40);
  EXPECT_NEAR(smoothFrame.At(31, 32).r, smoothFrame.At(33, 32).r, 3);  // no seam
}

TEST_F(DrawTest, TexturesAreUprightAndReplaceTheColourWhenUnlit) {
  // 2 x 2: red, green on top; blue, white below.
  ASSERT_TRUE(fixtures::WritePng(m_dir / "quad.png", 2, 2, 3, {255, 0, 0, 0, 255, 0, 0, 0, 255, 255, 255, 255}));
  MaterialSpec unlit = Spec("Flag", 0.1f, 0.1f, 0.1f);
  unlit.unlit = 1;
  unlit.base = "QUAD.png";
  Objet3D object;
  Load(object, "flag.3do", Model({fixtures::Square("flag", "Flag", 1.0f)}, {unlit}));
  for (bool direct : {false, true}) {
    Image frame = Drawn(object, direct);
    ExpectColour(frame.At(16, 16), 255, 0, 0, kFiltered);
    ExpectColour(frame.At(48, 16), 0, 255, 0, kFiltered);
    ExpectColour(frame.At(16, 48), 0, 0, 255, kFiltered);
    ExpectColour(frame.At(48, 48), 255, 255, 255, kFiltered);
  }
  // Lit, a white texture is modulated by the lit colour.
  ASSERT_TRUE(fixtures::WritePng(m_dir / "white.png", 2, 2, 3, fixtures::Solid(2, 2, {255, 255, 255})));
  MaterialSpec lit = Spec("Lit", 0.2f, 0.6f, 1.0f);
  lit.base = "white.png";
  Objet3D modulated;
  Load(modulated, "lit.3do", Model({fixtures::Square("lit", "Lit", 1.0f)}, {lit}));
  ExpectColour(Drawn(modulated).At(32, 32), 51, 153, 255);
}

TEST_F(DrawTest, BlendedMeshesAreDrawnAfterOpaqueOnesWhateverTheFileOrder) {
  MaterialSpec glass = Spec("Glass", 1, 0, 0);
  glass.unlit = 1;
  glass.opacity = 0.5f;
  MaterialSpec grass = Spec("Grass", 0, 1, 0);
  grass.unlit = 1;
  // The blended square is nearer and last in the file, so first in the list.
  Objet3D object;
  Load(object, "blend.3do",
       Model({fixtures::Square("grass", "Grass", 0.8f), fixtures::Square("glass", "Glass", 0.5f, 0.5f)},
             {glass, grass}));
  ASSERT_EQ(object.GetMesh(0)->name, "glass");
  ASSERT_EQ(object.GetMesh(0)->material->blendMode, 5);
  for (bool direct : {false, true}) {
    Image frame = Drawn(object, direct);
    ExpectColour(frame.At(32, 32), 128, 128, 0);
    ExpectColour(frame.At(8, 32), 0, 255, 0);
  }
  // Blending and depth writes are back to the defaults afterwards.
  EXPECT_FALSE(glIsEnabled(GL_BLEND));
  GLboolean depthWrites = GL_FALSE;
  glGetBooleanv(GL_DEPTH_WRITEMASK, &depthWrites);
  EXPECT_TRUE(depthWrites);
}

TEST_F(DrawTest, AnAlphaTextureBlendsItsTransparentTexelsAway) {
  ASSERT_TRUE(fixtures::WritePng(m_dir / "half.png", 4, 1, 4,
                                 {255, 255, 0, 255, 255, 255, 0, 255, 255, 255, 0, 0, 255, 255, 0, 0}));
  MaterialSpec leaf = Spec("Leaf", 1, 1, 1);
  leaf.unlit = 1;
  leaf.base = "half.png";
  Objet3D object;
  Load(object, "leaf.3do", Model({fixtures::Square("leaf", "Leaf", 1.0f)}, {leaf}));
  Image frame = Drawn(object);
  ExpectColour(frame.At(8, 32), 255, 255, 0, kFiltered);
  ExpectColour(frame.At(56, 32), 0, 0, 0, kFiltered);
}

TEST_F(DrawTest, SphereMapsShowTheTexturePartFacingTheEye) {
  // Left half red, right half blue.
  ASSERT_TRUE(fixtures::WritePng(m_dir / "env.png", 2, 1, 3, {255, 0, 0, 0, 0, 255}));
  MaterialSpec chrome = Spec("Chrome", 1, 1, 1);
  chrome.environment = "env.png";
  chrome.shading = 2;
  Objet3D object;
  Load(object, "chrome.3do", Model({fixtures::Ridge("ridge", "Chrome", 0.8f, 0.8f)}, {chrome}));
  glPushMatrix();
  double modelview[16];
  glGetDoublev(GL_MODELVIEW_MATRIX, modelview);
  object.SphereMap(modelview);
  Image frame = Drawn(object, true);
  glPopMatrix();
  // Normals tilted to -x read the left of the map, those to +x the right.
  EXPECT_GT(frame.At(8, 32).r, 200);
  EXPECT_LT(frame.At(8, 32).b, 60);
  EXPECT_GT(frame.At(56, 32).b, 200);
  EXPECT_LT(frame.At(56, 32).r, 60);
}

TEST_F(DrawTest, DisplayListsAndTheDirectPathDrawTheSamePixels) {
  ASSERT_TRUE(fixtures::WritePng(m_dir / "wood.png", 4, 4, 3,
                                 {200, 100, 50, 10, 20, 30, 90, 80, 70, 1, 2, 3, 200, 100, 50, 10, 20, 30, 90, 80,
                                  70, 1, 2, 3, 200, 100, 50, 10, 20, 30, 90, 80, 70, 1, 2, 3, 200, 100, 50, 10, 20,
                                  30, 90, 80, 70, 1, 2, 3}));
  MaterialSpec wood = Spec("Wood", 0.3f, 0.3f, 0.3f);
  wood.base = "wood.png";
  wood.shading = 2;
  MaterialSpec paint = Spec("Paint", 0.9f, 0.2f, 0.1f);
  MaterialSpec glass = Spec("Glass", 0.2f, 0.2f, 1.0f);
  glass.opacity = 0.4f;
  Objet3D object;
  Load(object, "mix.3do",
       Model({fixtures::Cube("box", "Wood", 0.4f), fixtures::Ridge("roof", "Paint", 0.9f, 0.3f),
              fixtures::Square("pane", "Glass", 0.6f, 0.6f)},
             {wood, paint, glass}));
  glRotatef(25, 1, 0, 0);
  glRotatef(-35, 0, 1, 0);
  Image listed = Drawn(object);
  Image direct = Drawn(object, true);
  EXPECT_GT(listed.CountLit(), kSize * kSize / 3);
  EXPECT_EQ(listed.rgb, direct.rgb);
}

TEST_F(DrawTest, SixteenBitAndMipmappedTexturesUpload) {
  Texture* painted = new Texture;
  ASSERT_TRUE(painted->Create(2, 2, 16));
  for (size_t i = 0; i < painted->pixels.size(); i += 2) {
    painted->pixels[i] = 0x00;
    painted->pixels[i + 1] = 0xF8;  // 5-6-5 red, little-endian
  }
  Objet3D object;
  MaterialSpec unlit = Spec("Painted", 0, 0, 0);
  unlit.unlit = 1;
  Load(object, "painted.3do", Model({fixtures::Square("p", "Painted", 1.0f)}, {unlit}));
  Material* material = object.GetMesh(0)->material;
  SetMipmapping(true);
  ASSERT_EQ(material->SetBaseTexture(painted), painted);
  SetMipmapping(false);
  material->flags |= kMaterialTextured;
  material->ambient[0] = material->ambient[1] = material->ambient[2] = 1.0f;
  EXPECT_TRUE(painted->pixels.empty());
  EXPECT_EQ(painted->Upload(), 0);  // once only
  EXPECT_EQ(painted->minFilter, GL_LINEAR_MIPMAP_LINEAR);
  ExpectColour(Drawn(object).At(32, 32), 255, 0, 0);
  GLint minFilter = 0;
  glBindTexture(GL_TEXTURE_2D, static_cast<GLuint>(painted->glName));
  glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
  EXPECT_EQ(minFilter, GL_LINEAR_MIPMAP_LINEAR);
}

TEST_F(DrawTest, GeometryOnlyDrawsEveryVisibleTriangleWithTheCallersState) {
  MaterialSpec red = Spec("Red", 1, 0, 0);
  Objet3D object;
  Load(object, "shadow.3do", Model({fixtures::Square("a", "Red", 0.5f)}, {red}));
  glDisable(GL_LIGHTING);
  glDisable(GL_TEXTURE_2D);
  glEnable(GL_CULL_FACE);
  glCullFace(GL_FRONT);  // as any material leaves it
  glColor3f(0.0f, 0.0f, 1.0f);
  Clear();
  object.DrawGeometry(false, 1);
  ExpectColour(Frame().At(32, 32), 0, 0, 255);
  glColor3f(1, 1, 1);
}

TEST_F(DrawTest, MorphedShapesAreDrawnAtTheirBlend) {
  MaterialSpec white = Spec("White", 1, 1, 1);
  white.unlit = 1;
  Objet3D small, large, working;
  Load(small, "small.3do", Model({fixtures::Square("s", "White", 0.25f)}, {white}));
  Load(large, "large.3do", Model({fixtures::Square("s", "White", 0.75f)}, {white}));
  working.CopyFrom(small);
  ASSERT_EQ(working.MorphSetup(&small, &large), 1);
  working.Morph(0.0f);
  const int atSource = Drawn(working, true).CountLit();
  working.Morph(1.0f);
  const int atTarget = Drawn(working, true).CountLit();
  EXPECT_NEAR(atSource, 16 * 16, 40);
  EXPECT_NEAR(atTarget, 48 * 48, 120);
}

TEST_F(DrawTest, TwoSidedLitSheetsAreLitOnTheSideFacingTheLight) {
  for (int shading : {1, 2}) {
    MaterialSpec sheet = Spec(shading == 1 ? "Flat" : "Smooth", 0.8f, 0.8f, 0.8f);
    sheet.twoSided = 1;
    sheet.shading = shading;
    Objet3D object;
    Load(object, sheet.name + ".3do", Model({fixtures::Square("sheet", sheet.name, 0.5f)}, {sheet}));
    const GLfloat behind[4] = {0, 0, -1, 0}, front[4] = {0, 0, 1, 0};
    for (bool listed : {true, false}) {
      glLoadIdentity();
      ExpectColour(Drawn(object, !listed).At(32, 32), 204, 204, 204);
      glRotatef(180, 0, 1, 0);  // the inner side towards viewer and light
      ExpectColour(Drawn(object, !listed).At(32, 32), 204, 204, 204);
      glLoadIdentity();
      glLightfv(GL_LIGHT0, GL_POSITION, behind);  // lit from behind: the side seen is dark
      ExpectColour(Drawn(object, !listed).At(32, 32), 0, 0, 0);
      glLightfv(GL_LIGHT0, GL_POSITION, front);
      // The mirror pass: flipped in y with clockwise front faces.
      glScalef(1, -1, 1);
      glFrontFace(GL_CW);
      ExpectColour(Drawn(object, !listed).At(32, 32), 204, 204, 204);
      glFrontFace(GL_CCW);
      glLoadIdentity();
    }
  }
}

TEST_F(DrawTest, OversizedTexturesAreHalvedToTheDriversLimit) {
  ASSERT_TRUE(fixtures::WritePng(m_dir / "big.png", 8, 4, 3, fixtures::Solid(8, 4, {0, 0, 255})));
  MaterialSpec big = Spec("Big", 0, 0, 0);
  big.unlit = 1;
  big.base = "big.png";
  const int limit = g_gl.extensions.maxTextureSize;
  g_gl.extensions.maxTextureSize = 2;
  Objet3D object;
  Load(object, "big.3do", Model({fixtures::Square("s", "Big", 1.0f)}, {big}));
  g_gl.extensions.maxTextureSize = limit;
  const Texture* texture = object.GetMesh(0)->material->baseTexture.get();
  EXPECT_EQ(texture->width, 2);
  EXPECT_EQ(texture->height, 2);
  ExpectColour(Drawn(object).At(32, 32), 0, 0, 255);
}
