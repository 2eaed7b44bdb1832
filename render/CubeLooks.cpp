// Cube model and look textures painted from the letter images.
#include "render/CubeLooks.h"

#include <cstdio>
#include <cstring>
#include <string>

#include "engine3d/Material.h"
#include "engine3d/Objet3D.h"
#include "engine3d/Texture.h"
#include "puzzle/Board.h"
#include "puzzle/Cube.h"
#include "render/LetterImages.h"

namespace {

constexpr int kTiles = 8;  // six faces and two spare tiles

// The look material's name says what is painted on it, so that equal cubes
// share one texture.
std::string LookName(const Cube& cube, int kind) {
  std::string name = "cube_look_" + std::to_string(kind);
  char code[8];
  for (const FaceRecord& face : cube.faces) {
    std::snprintf(code, sizeof code, "_%04x", static_cast<unsigned>(face.letter));
    name += code;
  }
  return name;
}

void PaintLook(Material& look, const Material& model, const Cube& cube, int kind, LetterImages& letters) {
  look.CopyValues(model);
  Texture* texture = new Texture;
  if (!texture->Create(kLetterImageSide, kLetterImageSide * kTiles, 24)) {
    delete texture;
    return;
  }
  const int tileBytes = kLetterImageBytes;
  for (int f = 0; f < 6; ++f) std::memcpy(&texture->pixels[f * tileBytes], letters.FaceImage(cube.faces[f].letter, kind), tileBytes);
  // The spare tiles: the background's first pixel, flat.
  const uint8_t* plain = letters.FaceImage(0, kind);
  for (int i = 6 * tileBytes; i < kTiles * tileBytes; i += 3) std::memcpy(&texture->pixels[i], plain, 3);
  look.SetBaseTexture(texture);
}

Material* MakeLook(const Cube& cube, const Material& model, int kind, LetterImages& letters) {
  Material* look = GetOrCreateMaterial(LookName(cube, kind).c_str());
  if (look->referenceCount == 1) PaintLook(*look, model, cube, kind, letters);
  return look;
}

}  // namespace

CubeLooks::CubeLooks() = default;
CubeLooks::~CubeLooks() = default;

Objet3D* CubeLooks::SharedModel() {
  if (m_model) return m_model.get();
  const std::string objects = Objet3D::ObjectDirectory(), textures = Objet3D::TextureDirectory();
  Objet3D::SetObjectDirectory("data\\gfx\\3d\\");
  Objet3D::SetTextureDirectory("data\\gfx\\2d\\");
  auto cube = std::make_unique<Objet3D>();
  if (cube->Load("cube.3do")) {
    const float centre[3] = {0, 0, 0}, scale[3] = {kSquareSize, kSquareSize, kSquareSize};
    cube->Fit(1, 1, 1);
    cube->Transform(centre, scale);
    // Every cube has this shape, each in its own look.
    for (Mesh3D* mesh = cube->FirstMesh(); mesh; mesh = mesh->next) mesh->BuildShapeList();
    m_model = std::move(cube);
  } else {
    std::fprintf(stderr, "Couldn't load 3D Objet %s\n", "cube.3do");
  }
  Objet3D::SetObjectDirectory(objects.c_str());
  Objet3D::SetTextureDirectory(textures.c_str());
  return m_model.get();
}

void CubeLooks::LoadAppearance(Cube& cube, LetterImages& letters) {
  Objet3D* model = SharedModel();
  if (!model || !model->FirstMesh() || !model->FirstMesh()->material) return;
  const Material& own = *model->FirstMesh()->material;
  cube.models[0] = model;
  cube.looks[0] = MakeLook(cube, own, cube.isStatic ? 0 : 1, letters);
  cube.looks[1] = MakeLook(cube, own, cube.isStatic ? 0 : 2, letters);
}

// The look is chosen when the item is drawn: the model is shared.
void SetItemLook(Item&, int) {}

void ReleaseItem(Item& item) {
  for (Material*& look : item.looks) {
    if (look) ReleaseMaterial(look);
    look = nullptr;
  }
  item.models[0] = nullptr;
}

void DrawItem(const Item& item) {
  Objet3D* model = item.models[0];
  if (!model) return;
  Mesh3D* mesh = model->FirstMesh();
  Material* own = mesh->material;
  const int look = item.Look() == 2 ? 2 : 1;
  if (!mesh->next) {
    mesh->DrawIn(item.looks[look - 1] ? item.looks[look - 1] : own);
    return;
  }
  if (item.looks[look - 1]) mesh->material = item.looks[look - 1];
  model->Draw();
  mesh->material = own;
}
