// Cloud pictures for page backgrounds: a tileable field of soft noise made by
// midpoint displacement, tinted with one colour.
#pragma once

#include <cstdint>
#include <vector>

// Fills rgba (width x height pixels, 4 bytes each, alpha 0) with clouds of
// colour (r, g, b). random is the game's random stream (rand by default), so
// the same seed gives the same picture.
void MakeClouds(int width, int height, int r, int g, int b, std::vector<uint8_t>& rgba, int (*random)() = nullptr);
