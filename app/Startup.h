// The initialisation and release sequences around the main loop.
//
// Initialise brings every subsystem up in a fixed order and returns 1, or 0 at
// the first failing step (what was started is left for Release). Release runs
// exactly once, also after a failed Initialise; every step accepts a
// subsystem that was never started.
#pragma once

int Initialise();
void Release();

// A failure after a successful start (a theme that cannot be loaded, a
// resolution change that fails): Release, platform shut down, exit status 1.
[[noreturn]] void EndAfterFailure();

// Frees the current theme and loads theme g_game.themeIndex again. Returns
// false when it could not; the caller ends through EndAfterFailure.
bool ReloadCurrentTheme();
// Loads the theme of the current level when it differs from the loaded one.
// Returns false when it could not (the caller ends through EndAfterFailure).
bool ChooseThemeForLevel();
// Frees the level's theme (back to the menu); the next level loads it again.
void FreeLevelTheme();
// The options changed the screen size: the game's fonts and overlays follow.
void ResolutionChanged();
// The opening emblem is left out (the timedemo measures the way to the menu
// without it).
void SkipIntroAnimation(bool skip);
