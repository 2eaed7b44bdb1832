// glyphox-model run as a process on models and PNGs written here: check
// reports each fault on its own line, dump prints the loaded data, render
// draws a frame (the only command that needs the display).
#include <gtest/gtest.h>

#include "engine3d/ModelFile.h"
#include "tests/engine3d/ModelFixtures.h"
#include "tests/support/Image.h"
#include "tests/support/TestFiles.h"

using namespace testsupport;
using fixtures::MaterialSpec;

namespace {

const std::string kTool = GLYPHOX_MODEL_TOOL;

// Runs the tool without a display for check and dump.
int Headless(std::vector<std::string> args, std::string* out) {
  args.insert(args.begin(), {"env", "-u", "DISPLAY", kTool});
  return RunProgram(args, out);
}

MaterialSpec Spec(const char* name, const char* base = "") {
  MaterialSpec spec;
  spec.name = name;
  spec.base = base;
  return spec;
}

ModelFileData OneSquare(const MaterialSpec& spec) {
  ModelFileData model;
  model.meshes.push_back(fixtures::Square("square", spec.name));
  model.materials.push_back(fixtures::Material(spec));
  return model;
}

}  // namespace

TEST(ModelTool, CheckPrintsOneLinePerFault) {
  TempDir dir;
  ASSERT_TRUE(fixtures::WritePng(dir / "stone.png", 4, 4, 3, fixtures::Solid(4, 4, {9, 9, 9})));
  ASSERT_TRUE(fixtures::WritePng(dir / "odd.png", 3, 4, 3, fixtures::Solid(3, 4, {9, 9, 9})));
  ASSERT_TRUE(WriteModelFile((dir / "good.3do").c_str(), OneSquare(Spec("Stone", "STONE.png"))));
  std::string out;
  EXPECT_EQ(Headless({"check", dir / "good.3do"}, &out), 0);
  EXPECT_EQ(out, "");

  // Uses Stone, defined by good.3do when that is loaded first.
  ModelFileData borrower;
  borrower.meshes.push_back(fixtures::Square("square", "Stone"));
  ASSERT_TRUE(WriteModelFile((dir / "borrower.3do").c_str(), borrower));
  std::vector<uint8_t> bytes = EncodeModelFile(OneSquare(Spec("Cut")));
  bytes.resize(bytes.size() - 1);
  ASSERT_TRUE(WriteFile(dir / "cut.3do", std::string(bytes.begin(), bytes.end())));
  ASSERT_TRUE(WriteModelFile((dir / "missing.3do").c_str(), OneSquare(Spec("Lost", "lost.png"))));
  ModelFileData odd = OneSquare(Spec("Odd", "odd.png"));
  odd.meshes[0].faces[1] = odd.meshes[0].faces[0];
  ASSERT_TRUE(WriteModelFile((dir / "odd.3do").c_str(), odd));

  EXPECT_EQ(Headless({"check", dir / "good.3do", dir / "borrower.3do", dir / "cut.3do", dir / "missing.3do",
                      dir / "odd.3do"},
                     &out),
            1);
  const std::string d = dir.Path();
  EXPECT_EQ(out, d + "/cut.3do: Couldn't load Objet3D " + d + "/cut.3do: truncated material 0\n" +
                     d + "/missing.3do: Couldn't load texture " + d + "/lost.png\n" +
                     d + "/odd.3do: texture " + d + "/odd.png is 3x4, not a power of two on each side\n" +
                     d + "/odd.3do: mesh \"square\" has 1 faces that repeat a vertex\n");
  // Alone, the borrower names a material nobody defined.
  EXPECT_EQ(Headless({"check", dir / "borrower.3do"}, &out), 1);
  EXPECT_NE(out.find("names unknown material \"Stone\""), std::string::npos) << out;
  // Textures from another directory.
  TempDir textures;
  ASSERT_TRUE(fixtures::WritePng(textures / "lost.png", 2, 2, 3, fixtures::Solid(2, 2, {1, 1, 1})));
  EXPECT_EQ(Headless({"check", dir / "missing.3do", "--textures", textures.Path()}, &out), 0) << out;
}

TEST(ModelTool, RenderDrawsTheFittedModelLitAndTextured) {
  TempDir dir;
  ASSERT_TRUE(fixtures::WritePng(dir / "crate.png", 2, 2, 3, fixtures::Solid(2, 2, {255, 255, 255})));
  MaterialSpec crate = Spec("Crate", "crate.png");
  crate.diffuse[0] = 1.0f;
  crate.diffuse[1] = 0.0f;
  crate.diffuse[2] = 0.0f;
  ModelFileData model;
  // Far from the origin and large: render centres and fits it.
  model.meshes.push_back(fixtures::Cube("crate", "Crate", 40.0f));
  for (size_t i = 0; i < model.meshes[0].positions.size(); i += 3) model.meshes[0].positions[i] += 500.0f;
  model.materials.push_back(fixtures::Material(crate));
  ASSERT_TRUE(WriteModelFile((dir / "crate.3do").c_str(), model));

  const std::string shot = dir / "crate.bmp";
  ASSERT_EQ(RunProgram({kTool, "render", dir / "crate.3do", shot, "--size", "96x64"}), 0);
  Image image = Image::LoadBmp(shot);
  ASSERT_EQ(image.width, 96);
  ASSERT_EQ(image.height, 64);
  // Background in the corners, a red model in the middle.
  EXPECT_EQ(image.At(0, 0).r, 51);
  EXPECT_EQ(image.At(0, 0).b, 64);
  EXPECT_EQ(image.At(95, 63).g, 51);
  Rgb centre = image.At(48, 32);
  EXPECT_GT(centre.r, 120);
  EXPECT_LT(centre.g, 80);

  const std::string direct = dir / "direct.bmp";
  ASSERT_EQ(RunProgram({kTool, "render", dir / "crate.3do", direct, "--size", "96x64", "--direct"}), 0);
  EXPECT_EQ(Image::LoadBmp(direct).rgb, image.rgb);
  const std::string turned = dir / "turned.bmp";
  ASSERT_EQ(RunProgram({kTool, "render", dir / "crate.3do", turned, "--size", "96x64", "--spin", "45", "--tilt",
                        "-10", "--background", "0,0,0"}),
            0);
  EXPECT_EQ(Image::LoadBmp(turned).At(0, 0).r, 0);
  EXPECT_NE(Image::LoadBmp(turned).rgb, image.rgb);

  EXPECT_EQ(RunProgram({kTool, "render", dir / "none.3do", shot}), 1);
  EXPECT_EQ(RunProgram({kTool, "render", dir / "crate.3do", shot, "--size", "big"}), 2);
}
