#include "base/TraceLog.h"

#include <cstdarg>
#include <cstdio>

namespace TraceLog {
namespace {
Sink g_sink = nullptr;
}

int Open(const char*) { return 1; }

int Write(const char* format, ...) {
  if (!g_sink) return 1;
  char message[512];
  va_list arguments;
  va_start(arguments, format);
  std::vsnprintf(message, sizeof message, format, arguments);
  va_end(arguments);
  g_sink(message);
  return 1;
}

void AttachSink(Sink sink) { g_sink = sink; }
}  // namespace TraceLog
