// The eight sound effects of the sound table, synthesised from one family of
// struck tones.
#pragma once

#include "audio/SoundFiles.h"

namespace audiogen {

constexpr int kEffectRate = 44100;
// Effects never run past this, fading out over their last 0.15 s if need be.
constexpr double kEffectMaxSeconds = 1.8;

// The effect of the sound table's entry `number` (0 to 7).
WavSound MakeEffect(int number);

}  // namespace audiogen
