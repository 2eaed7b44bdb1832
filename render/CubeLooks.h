// The letter cubes' model and looks: one shared "cube.3do" fitted to a
// square, and per cube two 64 x 512 look textures painted from its six face
// images (tile f on the face of slot f). Cubes with the same letters and kind
// share their look materials.
#pragma once

class Cube;
class Item;
class Objet3D;

// Loads the shared cube model on first use. Returns null after a message.
Objet3D* SharedCubeModel();
void FreeSharedCubeModel();

void LoadCubeAppearance(Cube& cube);
void SetItemLook(Item& item, int look);
void ReleaseItem(Item& item);
// Draws the item's model with its current look, under the current matrix.
void DrawItem(const Item& item);
