// TRANSITIONAL: the bridge for the callers not yet converted to the Renderer
// object (app/, ui/, intro/, pages/ and their tests). It holds the game's one
// current Renderer and keeps the old free functions of render/ as forwarders
// to it. New code takes a Renderer& instead; each caller converted removes
// its uses here, and the file goes with the last one.
//
// The shell creates the renderer right after the display opens and destroys
// it before the display closes; a change of resolution destroys, reopens and
// creates again.
#pragma once

#include "render/Renderer.h"

// Replaces the current renderer (if any) by a new one for the open display.
void CreateGameRenderer(int width, int height, const RenderOptions& options);
// Frees it and every GL object it made; nothing when there is none.
void DestroyGameRenderer();
// The current renderer; ends the program with a message when there is none.
Renderer& GameRenderer();

// The old free functions, each forwarding to the same name of GameRenderer()
// or of its part.
int OverlayScreenWidth();   // overlay.Width
int OverlayScreenHeight();  // overlay.Height
void Begin2D();
void End2D();
void DrawCursor(int x, int y, int halfSize);
void DrawBlackOverlay(float alpha);
void CaptureScreenForLevelStart();
void DrawScreenCapture(float alpha);
void FreeScreenCapture();

void MenuLights();               // lights.Menu
void ResetModelViewAndLights();  // lights.ResetModelView
void SetBoardProjection();
bool Pick(int mouseX, int mouseY, PickResult& result);

int LoadMenuObjects();
void DrawMenuBackground(float T);
void DrawMenuTitle(float T);

void SetRenderOptions(const RenderOptions& options);  // SetOptions
const RenderOptions& CurrentRenderOptions();          // Options
int ScanThemes();
int ThemeCount();
int LoadTheme(int index);
void FreeCurrentTheme();  // FreeTheme

void ClearBoardScene();  // ClearScene
void BeginBoardScene();  // BeginScene
void EndBoardScene();    // EndScene
void LoadCubeAppearance(Cube& cube);
void DrawBoard(const BoardFrame& frame);
void StartParticleBurst();
