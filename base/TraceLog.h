// TraceLog: the start-up trace. Both operations succeed; by default nothing
// is written anywhere. A sink attached behind them (tests, a debug build)
// receives every formatted message without touching the callers. Write takes
// a printf-style format so that callers' arguments are still checked.
#pragma once

namespace TraceLog {
int Open(const char* fileName);
int Write(const char* format, ...) __attribute__((format(printf, 1, 2)));

// Receives each message, formatted, without a line end. Null detaches.
using Sink = void (*)(const char* message);
void AttachSink(Sink sink);
}  // namespace TraceLog
