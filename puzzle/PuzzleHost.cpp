#include "puzzle/PuzzleHost.h"

namespace {
PuzzleHost g_defaultHost;
PuzzleHost* g_host = &g_defaultHost;
}  // namespace

void InstallPuzzleHost(PuzzleHost* host) { g_host = host ? host : &g_defaultHost; }

PuzzleHost& Host() { return *g_host; }
