// The random source of the rules: the C library's rand, seeded once at
// start-up (tests seed it themselves), reduced to 0..32767, the range the
// rules' draws are made for (glibc's rand reaches 2^31 - 1, where "r div
// 16384 is 1" would almost never hold).
#pragma once

#include <cstdlib>

inline int RandomValue() {
  return RAND_MAX > 32767 ? std::rand() / (RAND_MAX / 32768 + 1) : std::rand();
}
