#include "render/Themes.h"

// Themes come with the renderer; until then there is one empty theme.
int ScanThemes() { return 1; }
int ThemeCount() { return 1; }
int LoadTheme(int) { return 1; }
void FreeCurrentTheme() {}
