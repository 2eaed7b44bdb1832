// The scene objects of the puzzle: the abstract Object, the drawable Item,
// and the Level that owns one cell per board square and one Cube per letter
// square. Their models and looks belong to the host (PuzzleHost); the puzzle
// keeps only the slots, transforms and bookkeeping. Items reach the host,
// the clock and the roll listener of their owner through their level.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "base/ORBString.h"

class Objet3D;
class Material;
class Texture;
class Cube;
class Item;
class Level;
class PuzzleHost;
struct Board;
struct LevelSet;

constexpr int kLevelTag = 20;
constexpr int kCubeTag = 40;

class Object {
 public:
  Object(const char* objectName, int objectTag) : name(objectName), tag(objectTag) {}
  virtual ~Object() = default;
  // Called once per frame.
  virtual void Update() = 0;

  ORBString name;
  int tag;
};

struct LevelCell {
  int index = 0;              // y width + x
  Cube* occupant = nullptr;   // the cube standing on the cell now
  uint8_t occupied = 0;       // 1 once a cube was created on it
  Item* item = nullptr;       // the item created on it (owned through the cell)
  Level* level = nullptr;
};

class Item : public Object {
 public:
  Item(const char* itemName, int itemTag, LevelCell* createdOn);
  ~Item() override;

  // Makes the first mesh of the first model use look 1, 2 or 3; other values
  // are ignored.
  void SetLook(int look);
  int Look() const { return m_look; }

  // The level of the cell the item was created on; null for an item on no
  // level, which asks no host for anything.
  Level* Owner() const;

  // Host-owned slots: models (only the first is used by cubes) and the three
  // looks with their textures.
  Objet3D* models[3] = {};
  Material* looks[3] = {};
  Texture* lookTextures[3] = {};
  float transform[16];  // column-major; the translation is the world position
  LevelCell* cell;      // the cell the item was created on

 private:
  int m_look = 1;
};

// Who hears the rolls of a level's cubes (the rules, through their Puzzle).
class RollListener {
 public:
  virtual ~RollListener() = default;
  virtual void RollStarted() = 0;
  virtual void RollEnded(int direction) = 0;
};

class Level : public Object {
 public:
  Level() : Object("none", kLevelTag) {}
  ~Level() override;
  Level(const Level&) = delete;
  Level& operator=(const Level&) = delete;

  // The owner's host (looks, sounds, clock) and roll listener, both outliving
  // the level; null ones are not asked (the clock then stands at 0).
  void Attach(PuzzleHost* host, RollListener* listener) {
    m_host = host;
    m_listener = listener;
  }
  PuzzleHost* Host() const { return m_host; }
  RollListener* Listener() const { return m_listener; }
  uint32_t Ticks() const;
  // Milliseconds of an animated roll; 0 or less rolls at once.
  void SetMoveDuration(int milliseconds) { m_moveDuration = milliseconds; }
  int MoveDuration() const { return m_moveDuration; }

  // Creates the cells and one cube per letter of the board's letter grid,
  // with face letters by the difficulty (spares from the set's alphabet).
  // Returns 0, or 1 when memory runs out (cubes made so far stay for the
  // next Clear).
  int Build(const Board& board, int difficulty, const LevelSet& set);
  // Deletes every cube through its cell, frees the cells; names "none".
  void Clear();
  // (index mod width, index div width).
  void CellPosition(int index, float& x, float& y) const;
  // Look 2 on cube i when on, else look 1.
  void SetCubeHighlight(int i, bool on);
  // Advances every cube, in cube list order.
  void Update() override;

  Cube* CubeAt(int i) const { return i >= 0 && i < static_cast<int>(cubes.size()) ? cubes[i] : nullptr; }
  LevelCell* CellAt(int x, int y) const;

  int width = 0;
  int height = 0;
  int cubeCount = 0;
  int highlightedCube = -1;  // the cube shown with look 2, -1 when none
  std::vector<Cube*> cubes;  // cube list order; owned through the cells
  std::unique_ptr<LevelCell[]> cells;
  ORBString secondName = "none";

 private:
  PuzzleHost* m_host = nullptr;
  RollListener* m_listener = nullptr;
  int m_moveDuration = 250;
};


// The letters of the board's words, in order of first use.
std::vector<char16_t> UsedLetters(const Board& board);
// The letters a cube's other faces may carry: A..Z without the used ones;
// when those are all used, the level set's alphabet without them.
std::vector<char16_t> SpareLetters(const std::vector<char16_t>& used, const LevelSet& set);
// The six face letters of a cube carrying letter: under difficulty 1 a
// movable cube gets the letter on faces 0, 2, 4 and random spares on 1, 3, 5;
// under 2 random spares on faces 1..5; otherwise, and for static blocks, the
// letter everywhere. Each spare draws one rand(); with no spares at all the
// cube's own letter is used.
void ChooseFaceLetters(char16_t letter, bool isStatic, int difficulty, const std::vector<char16_t>& spares,
                       char16_t faces[6]);
