#include "engine3d/EngineMessage.h"

#include <cstdarg>
#include <cstdio>

namespace {
// Process-wide like the standard error it stands in for: the engine's loaders
// report from anywhere, and a tool or test may listen for a while.
struct MessageSink {
  EngineMessageSink sink = nullptr;
  void* context = nullptr;
} g_sink;
}  // namespace

void SetEngineMessageSink(EngineMessageSink sink, void* context) { g_sink = MessageSink{sink, context}; }

void EngineMessage(const char* format, ...) {
  char line[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (g_sink.sink)
    g_sink.sink(line, g_sink.context);
  else
    std::fputs(line, stderr);
}
