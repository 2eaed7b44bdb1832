#include "puzzle/Cube.h"

#include <cmath>
#include <new>

#include "base/Math.h"
#include "puzzle/Board.h"
#include "puzzle/PuzzleHost.h"

namespace {

constexpr int kTopTurns[4] = {0, 1, 2, 3};
constexpr int kEastWestTurns[4] = {10, 0, 20, 2};
constexpr int kNorthSouthTurns[4] = {10, 1, 20, 3};

// Hamilton product q := q e.
void MultiplyOnRight(float q[4], const float e[4]) {
  float x = q[3] * e[0] + q[0] * e[3] + q[1] * e[2] - q[2] * e[1];
  float y = q[3] * e[1] - q[0] * e[2] + q[1] * e[3] + q[2] * e[0];
  float z = q[3] * e[2] + q[0] * e[1] - q[1] * e[0] + q[2] * e[3];
  float w = q[3] * e[3] - q[0] * e[0] - q[1] * e[1] - q[2] * e[2];
  q[0] = x;
  q[1] = y;
  q[2] = z;
  q[3] = w;
}

}  // namespace

int TurnValue(int table, int index) {
  index &= 3;
  switch (table) {
    case EastWestTurns:
      return kEastWestTurns[index];
    case NorthSouthTurns:
      return kNorthSouthTurns[index];
    default:
      return kTopTurns[index];
  }
}

bool ValidFacePositions(const FacePositions& p) {
  auto inRange = [](int slot) { return slot >= 0 && slot <= 5; };
  if (!inRange(p.upper) || !inRange(p.north) || !inRange(p.east)) return false;
  if (p.lower != 5 - p.upper || p.south != 5 - p.north || p.west != 5 - p.east) return false;
  // The three named ways must be three different axes.
  auto axis = [](int slot) { return slot < 5 - slot ? slot : 5 - slot; };
  return axis(p.upper) != axis(p.north) && axis(p.upper) != axis(p.east) && axis(p.north) != axis(p.east);
}

void InitialFaces(FaceRecord faces[6], FacePositions& positions) {
  positions = FacePositions{0, 5, 4, 1, 3, 2};
  faces[0].table = TopTurns;
  faces[0].index = 0;
  faces[5].table = TopTurns;
  faces[5].index = 2;
  faces[4].table = NorthSouthTurns;
  faces[4].index = 2;
  faces[1].table = NorthSouthTurns;
  faces[1].index = 0;
  faces[3].table = EastWestTurns;
  faces[3].index = 0;
  faces[2].table = EastWestTurns;
  faces[2].index = 0;
}

Cube::Cube(const char* cubeName, LevelCell* cell) : Item(cubeName, kCubeTag, cell), standingOn(cell) {}

Cube::~Cube() {
  if (standingOn && standingOn->occupant == this) standingOn->occupant = nullptr;
}

Cube* Cube::Create(const char* cubeName, LevelCell* cell, const char16_t letters[6], bool isStatic) {
  Cube* cube = new (std::nothrow) Cube(cubeName, cell);
  if (!cube) return nullptr;
  InitialFaces(cube->faces, cube->positions);
  for (int f = 0; f < 6; ++f) cube->faces[f].letter = letters[f];
  cube->isStatic = isStatic ? 1 : 0;
  float x = 0.0f, y = 0.0f;
  if (cell && cell->level) cell->level->CellPosition(cell->index, x, y);
  cube->position[0] = x * kSquareSize;
  cube->position[1] = kSquareSize / 2;
  cube->position[2] = y * kSquareSize;
  cube->orientation[0] = cube->orientation[1] = cube->orientation[2] = 0.0f;
  cube->orientation[3] = 1.0f;
  cube->RebuildTransform();
  if (Level* level = cube->Owner())
    if (PuzzleHost* host = level->Host()) host->LoadCubeAppearance(*cube);
  cube->SetLook(1);
  return cube;
}

void Cube::Turn(int slot, int delta) { faces[slot].index = ((faces[slot].index + delta) % 4 + 4) % 4; }

void Cube::StartRoll(int direction, bool animatedRoll) {
  if (moving || isStatic || direction < North || direction > West) return;
  Level* level = Owner();
  if (level && level->Listener()) level->Listener()->RollStarted();
  rollDirection = direction;
  animated = animatedRoll ? 1 : 0;
  moving = 1;
  m_previousTick = m_currentTick = level ? level->Ticks() : 0;
  m_previousAngle = 0.0f;
}

void Cube::RebuildTransform() {
  // Identity translated to the position, times the rotation of the conjugate
  // of the orientation, so that the newest step turns about the world axis.
  const float x = -orientation[0], y = -orientation[1], z = -orientation[2], w = orientation[3];
  float* m = transform;
  m[0] = 1 - 2 * (y * y + z * z);
  m[1] = 2 * (x * y + z * w);
  m[2] = 2 * (x * z - y * w);
  m[3] = 0;
  m[4] = 2 * (x * y - z * w);
  m[5] = 1 - 2 * (x * x + z * z);
  m[6] = 2 * (y * z + x * w);
  m[7] = 0;
  m[8] = 2 * (x * z + y * w);
  m[9] = 2 * (y * z - x * w);
  m[10] = 1 - 2 * (x * x + y * y);
  m[11] = 0;
  m[12] = position[0];
  m[13] = position[1];
  m[14] = position[2];
  m[15] = 1;
}

void Cube::Update() {
  if (moving) {
    // A cube on no level has no clock: its rolls end at once.
    const Level* level = Owner();
    m_previousTick = m_currentTick;
    m_currentTick = level ? level->Ticks() : 0;
    const int duration = level ? level->MoveDuration() : 0;
    float step;
    if (animated && duration > 0) {
      step = static_cast<float>(static_cast<double>(m_currentTick - m_previousTick) / duration * 90.0);
      rollAngle += step;
      if (rollAngle > 90.0f) {
        step = step - (rollAngle - 90.0f);
        rollAngle = 90.0f;
      }
    } else {
      step = 90.0f;
      rollAngle = 90.0f;
    }
    Advance(step);
  }
  EndRollWhenTurned();
}

void Cube::CompleteRoll() {
  if (!moving) return;
  const float step = 90.0f - rollAngle;
  rollAngle = 90.0f;
  Advance(step);
  EndRollWhenTurned();
}

void Cube::Advance(float step) {
  // A ninetieth of a square per degree; the lift follows the centre over the
  // edge (it rises by s (1 - sin 45) at mid-roll and is back at the end).
  const float slide = step * 0.011111111f * kSquareSize;
  const float lift = static_cast<float>(
      (std::sin(static_cast<double>(rollAngle * 0.017453292f) + 0.7853981852531433) -
       std::sin(static_cast<double>(m_previousAngle * static_cast<float>(kPi) * 0.0055555557f) + 0.7853981852531433)) *
      kSquareSize);
  position[0] += DirectionDx(rollDirection) * slide;
  position[1] += lift;
  position[2] += DirectionDy(rollDirection) * slide;

  const float half = ((rollDirection == North || rollDirection == East) ? step : -step) * 0.008726646f;
  float e[4] = {0.0f, 0.0f, 0.0f, std::cos(half)};
  if (rollDirection == North || rollDirection == South)
    e[0] = std::sin(half);
  else
    e[2] = std::sin(half);
  MultiplyOnRight(orientation, e);
  RebuildTransform();
  m_previousAngle = rollAngle;
}

void Cube::EndRollWhenTurned() {
  if (rollAngle < 90.0f) return;
  rollAngle = 0.0f;
  m_previousAngle = 0.0f;
  FinishRoll();
  moving = 0;
  Level* level = Owner();
  if (level && level->Listener()) level->Listener()->RollEnded(rollDirection);
}

void Cube::FinishRoll() {
  FacePositions& p = positions;
  const int U = p.upper, D = p.lower, N = p.north, S = p.south, E = p.east, W = p.west;
  auto value = [this](int slot) { return faces[slot].Value(); };
  switch (rollDirection) {
    case North:
      for (int slot : {U, D}) {
        if (value(slot) == 0 || value(slot) == 2) Turn(slot, 2);
        faces[slot].table = NorthSouthTurns;
      }
      faces[N].table = TopTurns;
      faces[S].table = TopTurns;
      Turn(E, 1);
      Turn(W, 1);
      p.north = U;
      p.upper = S;
      break;
    case East:
      for (int slot : {U, D}) {
        Turn(slot, 1);
        faces[slot].table = EastWestTurns;
      }
      for (int slot : {E, W}) {
        Turn(slot, value(slot) == 10 || value(slot) == 20 ? 1 : -1);
        faces[slot].table = TopTurns;
      }
      Turn(N, 1);
      Turn(S, 1);
      p.east = U;
      p.upper = W;
      break;
    case South:
      faces[U].table = NorthSouthTurns;
      faces[D].table = NorthSouthTurns;
      for (int slot : {N, S}) {
        if (value(slot) == 10 || value(slot) == 20) Turn(slot, 2);
        faces[slot].table = TopTurns;
      }
      Turn(E, -1);
      Turn(W, -1);
      p.upper = N;
      p.north = D;
      break;
    case West:
      for (int slot : {U, D}) {
        Turn(slot, value(slot) == 0 || value(slot) == 2 ? 1 : -1);
        faces[slot].table = EastWestTurns;
      }
      for (int slot : {E, W}) {
        Turn(slot, -1);
        faces[slot].table = TopTurns;
      }
      Turn(N, -1);
      Turn(S, -1);
      p.upper = E;
      p.east = D;
      break;
    default:
      return;
  }
  p.lower = 5 - p.upper;
  p.south = 5 - p.north;
  p.west = 5 - p.east;

  LevelCell* from = standingOn;
  if (!from || !from->level || !from->level->cells) return;  // no cells: the cube rolls in place
  const Level& level = *from->level;
  int x = from->index % level.width + DirectionDx(rollDirection);
  int y = from->index / level.width + DirectionDy(rollDirection);
  LevelCell* to = level.CellAt(x, y);
  if (!to) return;  // the rules never roll a cube off the board
  if (from->occupant == this) from->occupant = nullptr;
  standingOn = to;
  to->occupant = this;
}
