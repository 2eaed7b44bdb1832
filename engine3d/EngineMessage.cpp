#include "engine3d/EngineMessage.h"

#include <cstdarg>
#include <cstdio>

namespace {
EngineMessageSink g_sink = nullptr;
void* g_sinkContext = nullptr;
}  // namespace

void SetEngineMessageSink(EngineMessageSink sink, void* context) {
  g_sink = sink;
  g_sinkContext = context;
}

void EngineMessage(const char* format, ...) {
  char line[2048];
  va_list args;
  va_start(args, format);
  std::vsnprintf(line, sizeof line, format, args);
  va_end(args);
  if (g_sink)
    g_sink(line, g_sinkContext);
  else
    std::fputs(line, stderr);
}
