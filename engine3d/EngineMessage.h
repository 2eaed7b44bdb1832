// Failure messages of the engine's loaders: one printf-style line each, on the
// standard error stream unless a tool has installed a sink to collect them and
// report them its own way (glyphox-model check).
#pragma once

using EngineMessageSink = void (*)(const char* line, void* context);

// A null sink restores the standard error stream.
void SetEngineMessageSink(EngineMessageSink sink, void* context);

// Formats one message; the format carries its own trailing newline, as the
// game's messages are worded.
void EngineMessage(const char* format, ...) __attribute__((format(printf, 1, 2)));
