// Turns a score into a module: the written melody and drums, a bass line and
// a harmony part derived from the chords by rules of voice leading, the
// variations the form asks for, and the synthesised instruments.
#pragma once

#include <string>

#include "tools/audio/ModWriter.h"
#include "tools/audio/Score.h"

namespace audiogen {

// False with a reason when an instrument is unknown or a part leaves its
// instrument's range.
bool ComposeModule(const Score& score, ModSong& song, std::string& error);

}  // namespace audiogen
