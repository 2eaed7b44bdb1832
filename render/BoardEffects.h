// The board's extra effects: particle bursts over the board, the glow of the
// cubes standing placed, and cartoon outlines along the models' marked edges.
#pragma once

#include <GL/gl.h>

#include <cstdint>
#include <map>

#include "puzzle/Board.h"

class Objet3D;
class SceneLists;
class Puzzle;
struct Board;
struct ThemeResources;
struct ThemeValues;

// Bursts of sparks over the board: when a word is formed, when a level is won.
class ParticleBursts {
 public:
  // A burst over a board of that size (in the first free slot, else the first).
  void Start(const Board& board);
  void Clear();
  int Active() const;
  void Advance(float frameDelta);
  // Additive sprites in board space (inside the mirror pass too), in the
  // glow texture when there is one. markDepth: the sprites write depth
  // wherever they lie, for the caller to find the pixels they may touch.
  void Draw(GLuint glow, bool markDepth = false) const;

 private:
  static constexpr int kBursts = 4;
  static constexpr int kSparks = 40;
  struct Spark {
    float position[3];
    float velocity[3];
    float delay;  // frame units before it shows
    float age;
    float colour[3];
  };
  struct Burst {
    int active = 0;
    Spark sparks[kSparks];
  };
  // The bursts draw their own numbers: the rules' random sequence is not theirs.
  float Random01();

  Burst m_bursts[kBursts];
  uint32_t m_seed = 12345;
};

// The sign of a cube whose letter stands upright on its own square (the
// puzzle's in-place flag): a warm halo on the floor round it and a glow over
// it, and a short bright flash at the moment it comes into place.
class PlacedGlows {
 public:
  // A new level: the flags of the next frame are taken as they are, without
  // a flash.
  void Reset();
  // Counts the flashes down and starts one for every cube newly in place.
  void Advance(const Puzzle& puzzle, float frameDelta);
  // Additive, in board space (inside the mirror pass too), pulsing with T.
  // markDepth as for ParticleBursts::Draw.
  void Draw(const Puzzle& puzzle, GLuint glow, float T, bool markDepth = false) const;
  float FlashLeft(int cube) const { return cube >= 0 && cube < kMaxCubes ? m_flash[cube] : 0.0f; }

 private:
  bool m_known = false;  // the flags below were seen since the last Reset
  int8_t m_placed[kMaxCubes] = {};
  float m_flash[kMaxCubes] = {};
};

// Lines along the crease and border edges of the walls, cubes and arrows, in
// the theme's outline width, colour and alpha; one display list per model,
// made on first use.
class Outlines {
 public:
  Outlines() = default;
  ~Outlines() { Free(); }
  Outlines(const Outlines&) = delete;
  Outlines& operator=(const Outlines&) = delete;

  void Draw(const ThemeValues& values, ThemeResources& theme, const SceneLists& lists, const Puzzle& puzzle,
            bool withCubes);
  void Free();

 private:
  GLuint List(Objet3D& object, bool skipSquareEdges);

  std::map<const Objet3D*, GLuint> m_lists;
};
