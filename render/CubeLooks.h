// The letter cubes' model and looks: one shared "cube.3do" fitted to a
// square, and per cube two 64 x 512 look textures painted from its six face
// images (tile f on the face of slot f). Cubes with the same letters and kind
// share their look materials.
#pragma once

#include <memory>

class Cube;
class Item;
class LetterImages;
class Objet3D;

class CubeLooks {
 public:
  CubeLooks();
  ~CubeLooks();
  CubeLooks(const CubeLooks&) = delete;
  CubeLooks& operator=(const CubeLooks&) = delete;

  // Loads the shared cube model on first use. Returns null after a message.
  Objet3D* SharedModel();
  // The cube's model and its two looks (painted from the letter images).
  void LoadAppearance(Cube& cube, LetterImages& letters);

 private:
  std::unique_ptr<Objet3D> m_model;
};

// The look is chosen when the item is drawn: the model is shared.
void SetItemLook(Item& item, int look);
// Releases the item's looks and forgets its model.
void ReleaseItem(Item& item);
// Draws the item's model with its current look, under the current matrix.
void DrawItem(const Item& item);
