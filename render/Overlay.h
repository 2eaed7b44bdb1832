// 2D drawing over the scene: fades, the pointer and captured screen images.
#pragma once

void SetOverlayScreenSize(int width, int height);
// Covers the screen with black at the given opacity (0..1).
void DrawBlackOverlay(float alpha);
void DrawCursor(int x, int y, int size);
void FreeScreenCapture();
