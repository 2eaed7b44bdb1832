// Theme directories: the list found at start-up and the one theme loaded.
#pragma once

// Scans "data/gfx/theme1", "theme2", ... Returns 1, or 0 when none is usable.
int ScanThemes();
int ThemeCount();
// Loads theme index (0-based). Returns 1, or 0 after printing why.
int LoadTheme(int index);
void FreeCurrentTheme();
