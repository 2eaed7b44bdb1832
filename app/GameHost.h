// The game's side of the puzzle's host interface: the real clock, the sound
// effects, the themes and the cameras. The renderer fills in the scene and
// cube appearance calls as it arrives.
#pragma once

// Installs the game's host for the rules (start-up, before the level set).
void InstallGameHost();
