// The opening logo animation, played once at start-up. It always succeeds.
#pragma once

int PlayIntroAnimation();
