// The renderer of one GL context: everything the game draws with and keeps
// between frames (themes, lights, the level's scene lists, letter images,
// cube looks, effects, menu objects, the 2D overlay and its screen capture).
//
//   OpenDisplay(w, h);
//   Renderer renderer(w, h, options, puzzle);  // the context is current
//   renderer.LoadMenuObjects(); renderer.ScanThemes();
//   ... per level: LoadTheme, then the puzzle host's ClearScene,
//   BeginScene, LoadCubeAppearance ... ReleaseItem; per frame
//   SetBoardProjection, DrawBoard, Pick, the overlay ...
//   // destroyed before CloseDisplay: it frees every GL object it made
//
// A change of resolution is: destroy, CloseDisplay, OpenDisplay, create.
// The renderer reads the puzzle through a const Puzzle& and never changes
// it, and never reads the settings: the shell hands it the screen size and
// the RenderOptions.
#pragma once

#include "render/BoardEffects.h"
#include "render/BoardScene.h"
#include "render/Camera.h"
#include "render/CubeLooks.h"
#include "render/LetterImages.h"
#include "render/Lights.h"
#include "render/MenuObjects.h"
#include "render/Overlay.h"
#include "render/RenderOptions.h"
#include "render/SceneLists.h"
#include "puzzle/Puzzle.h"
#include "render/Themes.h"

class Cube;
class Item;

class Renderer {
 public:
  // For a screen of width x height, with the GL context current: sets the
  // lighting up. Loads nothing yet. The puzzle shown outlives the renderer.
  Renderer(int width, int height, const RenderOptions& options, const Puzzle& puzzle);
  const Puzzle& ShownPuzzle() const { return m_puzzle; }
  // Frees every GL object the renderer made; the context must still be open.
  ~Renderer();
  Renderer(const Renderer&) = delete;
  Renderer& operator=(const Renderer&) = delete;

  int Width() const { return view.Width(); }
  int Height() const { return view.Height(); }
  // The player's drawing choices: mip-mapping for the loads from now on,
  // mirror, shadows and outlines for the shell's frames.
  const RenderOptions& Options() const { return m_options; }
  void SetOptions(const RenderOptions& options) { m_options = options; }

  // Start-up loads. Each returns 1, or 0 after its message.
  int LoadMenuObjects();
  int ScanThemes() { return themes.Scan(); }
  int ThemeCount() const { return themes.Count(); }
  // Frees the loaded theme and loads theme index (0-based); 0 for an index
  // that is not there (the loaded theme stays then).
  int LoadTheme(int index);
  void FreeTheme();
  int CurrentTheme() const { return themes.Current(); }  // -1: none

  // The puzzle host's side of a level: lists emptied; after the cube list,
  // walls and display lists; the cubes' models and looks.
  void ClearScene() { lists.Clear(); }
  void BeginScene();
  void EndScene() {}
  void LoadCubeAppearance(Cube& cube) { m_cubeLooks.LoadAppearance(cube, letters); }
  void SetItemLook(Item& item, int look) { ::SetItemLook(item, look); }
  void ReleaseItem(Item& item) { ::ReleaseItem(item); }

  // The board's perspective over the whole screen.
  void SetBoardProjection() const { view.SetProjection(); }
  // Places the camera and draws one frame (the projection must be set). The
  // caller advances the puzzle (Level::Update) afterwards.
  void DrawBoard(const BoardFrame& frame);
  // What lies under the pixel for the camera placed (board offset not
  // applied).
  bool Pick(int mouseX, int mouseY, PickResult& result);
  // A burst of sparks over the board: when a word is formed, a level won.
  void StartParticleBurst() { bursts.Start(m_puzzle.Board()); }
  // The menu's backdrop and title (camera, projection and lights are the
  // caller's: SetBoardProjection, PlaceMenuCamera, lights.Menu).
  void DrawMenuBackground(float T) { m_menu.DrawBackground(T); }
  void DrawMenuTitle(float T) { m_menu.DrawTitle(T); }
  // The pointer of the menu objects over everything at the mouse position
  // (32 x 32 for 16); nothing before they are loaded.
  void DrawCursor(int x, int y, int halfSize) const {
    overlay.DrawCursor(m_menu.PointerTexture(), x, y, halfSize);
  }

  // The parts, for the shell's and the tools' finer needs.
  SceneView view;
  SceneLights lights;
  Themes themes;
  SceneLists lists;
  LetterImages letters;
  ParticleBursts bursts;
  PlacedGlows placed;
  Overlay overlay;

 private:
  RenderOptions m_options;
  const Puzzle& m_puzzle;
  CubeLooks m_cubeLooks;
  Outlines m_outlines;
  MenuObjects m_menu;
};
