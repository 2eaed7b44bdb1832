// TRANSITIONAL: the game's current renderer and the old free functions.
#include "render/GameRenderer.h"

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// One per open display, made and ended by the shell.
std::unique_ptr<Renderer> g_renderer;

}  // namespace

void CreateGameRenderer(int width, int height, const RenderOptions& options) {
  g_renderer.reset();
  g_renderer = std::make_unique<Renderer>(width, height, options);
}

void DestroyGameRenderer() { g_renderer.reset(); }

Renderer& GameRenderer() {
  if (!g_renderer) {
    std::fprintf(stderr, "No renderer: the display is not open\n");
    std::abort();
  }
  return *g_renderer;
}

int OverlayScreenWidth() { return GameRenderer().overlay.Width(); }
int OverlayScreenHeight() { return GameRenderer().overlay.Height(); }
void Begin2D() { GameRenderer().overlay.Begin2D(); }
void End2D() { GameRenderer().overlay.End2D(); }
void DrawCursor(int x, int y, int halfSize) { GameRenderer().DrawCursor(x, y, halfSize); }
void DrawBlackOverlay(float alpha) { GameRenderer().overlay.DrawBlackOverlay(alpha); }
void CaptureScreenForLevelStart() { GameRenderer().overlay.CaptureScreenForLevelStart(); }
void DrawScreenCapture(float alpha) { GameRenderer().overlay.DrawScreenCapture(alpha); }
void FreeScreenCapture() { GameRenderer().overlay.FreeScreenCapture(); }

void MenuLights() { GameRenderer().lights.Menu(); }
void ResetModelViewAndLights() { GameRenderer().lights.ResetModelView(); }
void SetBoardProjection() { GameRenderer().SetBoardProjection(); }
bool Pick(int mouseX, int mouseY, PickResult& result) { return GameRenderer().Pick(mouseX, mouseY, result); }

int LoadMenuObjects() { return GameRenderer().LoadMenuObjects(); }
void DrawMenuBackground(float T) { GameRenderer().DrawMenuBackground(T); }
void DrawMenuTitle(float T) { GameRenderer().DrawMenuTitle(T); }

void SetRenderOptions(const RenderOptions& options) { GameRenderer().SetOptions(options); }
const RenderOptions& CurrentRenderOptions() { return GameRenderer().Options(); }
int ScanThemes() { return GameRenderer().ScanThemes(); }
int ThemeCount() { return GameRenderer().ThemeCount(); }
int LoadTheme(int index) { return GameRenderer().LoadTheme(index); }
void FreeCurrentTheme() { GameRenderer().FreeTheme(); }

void ClearBoardScene() { GameRenderer().ClearScene(); }
void BeginBoardScene() { GameRenderer().BeginScene(); }
void EndBoardScene() { GameRenderer().EndScene(); }
void LoadCubeAppearance(Cube& cube) { GameRenderer().LoadCubeAppearance(cube); }
void DrawBoard(const BoardFrame& frame) { GameRenderer().DrawBoard(frame); }
void StartParticleBurst() { GameRenderer().StartParticleBurst(); }
