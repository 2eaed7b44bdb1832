// The hint of the playing screen (H, or the "Hint" button of the top bar):
// the next move of a solution from the position, searched a slice a frame,
// shown by selecting its cube and lighting the arrow of its direction. A
// hint costs ten moves, once while it shows; when none is found in time the
// top bar says so and nothing is charged.
#pragma once

class Game;

class Hint {
 public:
  explicit Hint(Game& game) : m_game(game) {}

  void Ask();
  // Once per frame, before the arrows are drawn.
  void Update();
  // The arrow of the hint among the puzzle's arrows, -1 when none shows.
  int Arrow() const { return m_arrow; }
  // A new level or a loaded game: nothing shows, nothing is searched.
  void Clear();

 private:
  void Note(bool on);

  Game& m_game;
  int m_askedAt = -1;  // the move count the search started from
  int m_shownAt = -1;  // the move count while the hint (or its note) shows
  int m_x = -1, m_y = -1;  // the square of the hint's cube
  int m_direction = -1;
  int m_arrow = -1;
  bool m_note = false;
};
