// The letter cube: six face slots with letters and turn bookkeeping, and the
// roll over a bottom edge onto a neighbouring square.
//
// Face slots 0..5, opposite slots adding up to 5. Six position fields name
// the slot facing each way. Each face keeps a turn table and an index; its
// turn value is table[index]. The upper face's value is the number of quarter
// turns of its letter, 0 meaning upright.
//
// A roll: StartRoll (the level's roll listener hears the start), then one
// Update per frame until 90 degrees are reached, timed by the level's clock
// and move duration; the last Update permutes the faces (FinishRoll), moves
// the cube to the neighbouring cell and tells the listener the roll ended.
// An instant roll completes inside the first Update.
#pragma once

#include <cstdint>

#include "puzzle/Scene.h"

enum TurnTable : int {
  TopTurns = 1,         // 0, 1, 2, 3: faces pointing up or down
  EastWestTurns = 2,    // 10, 0, 20, 2: faces pointing East or West
  NorthSouthTurns = 3,  // 10, 1, 20, 3: faces pointing North or South
};
int TurnValue(int table, int index);

struct FaceRecord {
  char16_t letter;
  int table;  // TurnTable
  int index;  // 0..3
  int Value() const { return TurnValue(table, index); }
};

// Which slot faces each way.
struct FacePositions {
  int32_t upper, lower, north, south, east, west;
  bool operator==(const FacePositions& o) const {
    return upper == o.upper && lower == o.lower && north == o.north && south == o.south && east == o.east &&
           west == o.west;
  }
};
// True for the 24 position sets a real cube can have.
bool ValidFacePositions(const FacePositions& p);

class Cube : public Item {
 public:
  // Builds a cube on the cell (its square from the owning level) with the six
  // letters (slot f carries letters[f]; letters[0] is the cube's own letter)
  // and asks the host for its model and looks. Returns null only when memory
  // runs out.
  static Cube* Create(const char* cubeName, LevelCell* cell, const char16_t letters[6], bool isStatic);
  ~Cube() override;

  // Starts a roll unless the cube is moving or static or direction is -1.
  void StartRoll(int direction, bool animated);
  // Advances a roll by the level's clock time since the last update.
  void Update() override;
  // The face and cell bookkeeping at the end of a roll.
  void FinishRoll();
  // Covers the rest of a running roll at once and ends it, as a frame longer
  // than the roll would (used before saving a game).
  void CompleteRoll();

  // Index := (index + delta) mod 4 on the face of the slot.
  void Turn(int slot, int delta);
  char16_t OwnLetter() const { return faces[0].letter; }
  char16_t UpperLetter() const { return faces[positions.upper].letter; }
  int UpperTurn() const { return faces[positions.upper].Value(); }
  char16_t LetterFacing(int32_t FacePositions::*way) const { return faces[positions.*way].letter; }
  // Rebuilds the transform from the position and the orientation.
  void RebuildTransform();

  FaceRecord faces[6];
  FacePositions positions;
  uint8_t isStatic = 0;
  uint8_t moving = 0;
  uint8_t animated = 1;
  int rollDirection = 0;
  float rollAngle = 0.0f;        // degrees done of the current roll
  float orientation[4];          // unit quaternion x, y, z, w
  float position[3];             // world position of the centre
  LevelCell* standingOn;         // the cell the cube stands on now

 private:
  Cube(const char* cubeName, LevelCell* cell);
  // Slides, lifts and turns the cube by a step of degrees; rollAngle already
  // holds the angle reached.
  void Advance(float step);
  void EndRollWhenTurned();

  // The roll under way: the clock at the last two updates, the angle the
  // last step reached.
  uint32_t m_previousTick = 0;
  uint32_t m_currentTick = 0;
  float m_previousAngle = 0.0f;
};

// The state of a new cube's faces and positions (tables and indices).
void InitialFaces(FaceRecord faces[6], FacePositions& positions);
