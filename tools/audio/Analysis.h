// The figures of a generated module that say whether it is worth an hour of
// play: form, rhythm and voice leading read from the module's own data
// (with its score for the chords), and tuning, brightness, loudness, ticks,
// clipping and silences measured on renders through the game's mixer.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tools/audio/Render.h"
#include "tools/audio/Score.h"

namespace audiogen {

// The player volume the game plays music at.
constexpr int kGameMusicVolume = 31;

struct TrackFigures {
  // From the module and its score.
  double loopSeconds = 0.0;
  int sections = 0, keyAreas = 0, breaks = 0, patterns = 0;
  double downbeatShare = 0.0;  // bars whose first row starts a melody note
  double offbeatShare = 0.0;   // melody onsets off the beat
  int parallels = 0;           // outer-voice octaves and fifths
  int halfBarsWithoutThird = 0;
  double bassCents = 0.0;      // bass loop tuning against the other loops
  // From renders at the game's volume: the whole mix, the drums alone under
  // the melody alone (LU), the loudest tick of the sustained parts (dB over
  // their high-frequency floor), and whether two renders are the same.
  Figures mix;
  double drumsUnderMelody = 0.0;
  double loudestTick = 0.0;
  bool deterministic = false;
};

// Needs the offline mixer started. False with a reason when the module is
// unreadable or does not follow its score's form.
bool AnalyseTrack(const Score& score, const std::vector<uint8_t>& image, TrackFigures& out, std::string& error);

// The table of figures, one line a track, and the limits each must keep
// (the five loudnesses within 2 LU of each other included); the second
// string lists what misses them, empty when nothing does.
std::string FiguresTable(const std::vector<std::string>& names, const std::vector<TrackFigures>& tracks);
std::string Misses(const std::vector<std::string>& names, const std::vector<TrackFigures>& tracks);

}  // namespace audiogen
