#include "pages/Pages.h"

// The page composer comes with its own work; nothing is shown until then.
void ShowPageSet(int) {}
