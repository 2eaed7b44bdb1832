// The synthesised instruments of the modules, by name.
#pragma once

#include <string>

#include "tools/audio/ModWriter.h"

namespace audiogen {

struct Instrument {
  ModInstrument sample;
  // MIDI pitch heard when the sample plays at note C-2; percussion plays at
  // its fixed note instead.
  int pitchAtC2 = 60;
  int fixedNote = -1;
};

// Fills `out` for a known name (leads: bell, flute, organ, reed; harmony:
// pad, pluck, glass; bass; drums: kick, snare, hat, openhat, rim) and
// returns true.
bool MakeInstrument(const std::string& name, Instrument& out);

}  // namespace audiogen
