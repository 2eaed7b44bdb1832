// The game's side of the menus' actions and of the puzzle's host interface:
// the real clock, the sound effects, the themes, the cameras, the scene lists
// and the cube looks.
#pragma once

#include <cstdint>

// The game's MenuActions (GameFlow.cpp): what the menus' commands do.
void InstallMenuActions();
// Installs the game's host for the rules (start-up, before the level set).
void InstallGameHost();
// Hands the drawing settings (mirror, shadows, outlines, mip-mapping) to the
// renderer; again whenever the options change them.
void ApplyRenderSettings();
// The rolls' clock: the platform's, or (timedemo) one that the caller
// advances by a fixed step each frame.
void UseFixedRollClock(bool fixed);
void AdvanceFixedRollClock(uint32_t milliseconds);
