// Turns a score into a module: the written melody and drums, a bass line and
// a harmony part derived from the chords by rules of voice leading, the
// variations the form asks for, and the synthesised instruments.
#pragma once

#include <string>
#include <vector>

#include "tools/audio/ModWriter.h"
#include "tools/audio/Score.h"

namespace audiogen {

// What each channel of a generated module carries.
enum MusicChannel : int { kMelodyChannel = 0, kHarmonyChannel = 1, kBassChannel = 2, kDrumChannel = 3 };

// A monophonic part row by row: the pitch sounding after each row (-1 for
// silence) and whether a note starts there.
struct VoiceLine {
  std::vector<int> pitch;
  std::vector<bool> onset;
};

// Two outer voices moving from one perfect octave or fifth (compounds
// included) into the same one, both voices changing pitch.
bool ParallelPerfect(int top0, int bottom0, int top1, int bottom1);
// Parallels between a top and a bottom line: at each onset of either voice
// the two are compared with where they stood at that voice's onset before.
int CountParallels(const VoiceLine& top, const VoiceLine& bottom);

// False with a reason when an instrument is unknown, a part leaves its
// instrument's range or no bass line keeps clear of parallels with the tune.
bool ComposeModule(const Score& score, ModSong& song, std::string& error);

}  // namespace audiogen
