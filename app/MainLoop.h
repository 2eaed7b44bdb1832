// The main loop and the transitions between the game's states.
#pragma once

// Runs one frame per iteration until the player quits or the window closes.
void RunMainLoop();

// Quit from the main menu: fade to black, then the exit page, then the end.
void RequestQuit();
