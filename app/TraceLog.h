// The start-up trace lives with the configuration so that every layer can
// write to it; this name stays for the shell's code.
#pragma once

#include "config/TraceLog.h"
