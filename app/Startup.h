// The initialisation and release sequences around the main loop.
//
// Initialise brings every subsystem up in a fixed order and returns 1, or 0 at
// the first failing step (what was started is left for Release). Release runs
// exactly once, also after a failed Initialise; every step accepts a
// subsystem that was never started.
#pragma once

int Initialise();
void Release();

// Frees the current theme and loads theme g_game.themeIndex again; a failure
// ends the process (exit code 1) through Release.
void ReloadCurrentTheme();
// Loads the theme of level g_play.levelIndex when it differs from the loaded
// one; a failure ends the process (exit code 0) through Release.
void ChooseThemeForLevel();
