// TraceLog: the start-up trace. Both operations succeed and write nothing; a
// real sink can be attached behind them without touching the callers. Write
// takes a printf-style format so that callers' arguments are still checked.
#pragma once

namespace TraceLog {
int Open(const char* fileName);
int Write(const char* format, ...) __attribute__((format(printf, 1, 2)));
}  // namespace TraceLog
