// Composed information pages, shown from the main menu and at exit.
#pragma once

// Shows page set n and waits for a key or button release.
void ShowPageSet(int set);
