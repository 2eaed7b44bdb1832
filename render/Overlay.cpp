#include "render/Overlay.h"

// The overlays come with the renderer; until then nothing is drawn.
void SetOverlayScreenSize(int, int) {}
void DrawBlackOverlay(float) {}
void DrawCursor(int, int, int) {}
void FreeScreenCapture() {}
