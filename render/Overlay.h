// 2D drawing over the scene: the pixel-aligned 2D mode, the pointer, the
// full-screen fades and the picture of the screen captured at a level start.
//
// Each routine sets the state it needs and puts back the defaults the others
// assume (lighting, depth test and culling on, blending off, colour white).
#pragma once

class GLBitmap2D;

// The screen size every 2D routine draws in (set at start-up and after a
// change of resolution).
void SetOverlayScreenSize(int width, int height);
int OverlayScreenWidth();
int OverlayScreenHeight();

// Begin2D saves both matrices and switches to one unit per pixel with y
// growing downwards, blending on, depth test, culling and lighting off; End2D
// restores. They come in pairs and do not nest.
void Begin2D();
void End2D();
// Projection glOrtho(0, width, height, 0, -1, 1) and identity modelview.
void ScreenOrtho();

// The pointer texture "data/gfx/2d/pointeur.png": loaded with the menu
// objects, freed with them (and before the GL context is replaced).
int LoadPointerTexture();
void FreePointerTexture();
// Draws the pointer centred on (x + halfSize, y + halfSize): with the mouse
// position and 16 the 32 x 32 pointer hangs from its top-left corner. Nothing
// before the texture is loaded.
void DrawCursor(int x, int y, int halfSize);

// Covers the screen with (r, g, b) at opacity a.
void Fade(float r, float g, float b, float a);
// Covers the screen with black at the given opacity (0..1).
void DrawBlackOverlay(float alpha);

// The level-start dissolve: grabs the frame buffer at the screen size,
// resamples it to 768 x 512 and cuts it into 256 x 256 tiles.
void CaptureScreenForLevelStart();
// Draws that picture over everything at the given opacity (nothing without one).
void DrawScreenCapture(float alpha);
void FreeScreenCapture();
