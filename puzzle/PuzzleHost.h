// What the rules of the puzzle ask of the rest of the game, in one place.
//
// The puzzle library draws nothing and plays nothing itself. Each Puzzle is
// given its host when it is made; tools and tests give their own to drive the
// clock and to see what the rules asked for. This class itself is the host
// that does nothing, its clock standing at 0.
#pragma once

#include <cstdint>

class Item;
class Cube;

// Sound effect numbers the rules play.
enum PuzzleSound : int {
  kSoundRoll = 2,       // a cube rolls
  kSoundRefuse = 3,     // selection change, or nothing to undo
  kSoundLevelWon = 4,   // played by the main loop
  kSoundWordFormed = 5, // played by the main loop
  kSoundUndoRoll = 6,   // the roll of an undo
  kSoundBetter = 7,     // the placement score grew
};

class PuzzleHost {
 public:
  virtual ~PuzzleHost() = default;

  // The millisecond clock that times rolls (SDL_GetTicks in the game).
  virtual uint32_t Ticks() { return 0; }
  virtual void PlaySound(int /*number*/) {}

  // Level start and resume, in the order the rules call them.
  // True while the self-playing demonstration runs (no level-start dissolve).
  virtual bool DemonstrationRunning() { return false; }
  // Grabs the screen for the level-start dissolve and starts the dissolve
  // (levelIntroFade); not called during the demonstration.
  virtual void CaptureLevelStartScreen() {}
  // Loads the theme of Play().levelIndex when it differs from the loaded one.
  // Returns false when it could not (the loader printed why): the level does
  // not start and the shell ends the game through Release.
  virtual bool ChooseThemeForLevel() { return true; }
  // The list of the level's words is shown (level start, loaded game).
  virtual void ShowWordList() {}
  // Camera presets, camera mode and pan back to their defaults.
  virtual void ResetCameras() {}
  // Empties the renderer's arrow, wall-piece and cube lists.
  virtual void ClearSceneLists() {}
  // After the cube list is built and before the cubes are: the renderer
  // rebuilds its wall pieces and display lists and prepares the face images.
  virtual void BeginSceneBuild() {}
  // After the cubes are built: the face images can go.
  virtual void EndSceneBuild() {}
  // Camera to the overview view.
  virtual void ShowOverview() {}
  // The top bar texts: full at a level start or resume (the font is rebuilt),
  // light after every move and undo (the move counter changed).
  virtual void PrepareTopBar(bool /*full*/) {}
  // A loaded game brings its difficulty and level set (LangLevel): the
  // settings and the options screen's choices follow.
  virtual void SettingsChanged(int /*difficulty*/, int /*levelSet*/) {}

  // The cube's model ("cube.3do", fitted to one square) and its two looks
  // painted from its six letters. The item's model and look slots are the
  // host's; the puzzle never reads them.
  virtual void LoadCubeAppearance(Cube& /*cube*/) {}
  // Makes the item's first model use look 1, 2 or 3.
  virtual void SetItemLook(Item& /*item*/, int /*look*/) {}
  // Frees the item's textures, models and looks (its destructor calls this).
  virtual void ReleaseItem(Item& /*item*/) {}
};
