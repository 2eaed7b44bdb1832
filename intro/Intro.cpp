#include "intro/Intro.h"

// The emblem animation comes with its own work; the start-up goes on at once.
int PlayIntroAnimation() { return 1; }
