// The one value of pi of the game, its tools and its tests.
#pragma once

constexpr double kPi = 3.14159265358979323846;
