// The game's side of the puzzle's host interface: the real clock, the sound
// effects, the themes, the cameras, the scene lists and the cube looks.
#pragma once

// Installs the game's host for the rules (start-up, before the level set).
void InstallGameHost();
// Hands the drawing settings (mirror, shadows, outlines, mip-mapping) to the
// renderer; again whenever the options change them.
void ApplyRenderSettings();
