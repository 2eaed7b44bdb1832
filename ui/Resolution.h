// Changing the screen size from the options: the display is reopened and the
// menu screen's GL objects are made again.
#pragma once

// Returns 1, or 0 when the display or the menu objects cannot be made again
// (the caller then ends the game).
int ChangeResolution(int width, int height);
