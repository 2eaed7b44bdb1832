#include "base/ORBString.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace {
char kEmpty[1] = {0};

char* CopyBytes(const char* bytes, size_t length) {
  char* buffer = static_cast<char*>(std::malloc(length + 1));
  if (!buffer) throw std::bad_alloc();
  if (length) std::memcpy(buffer, bytes, length);
  buffer[length] = 0;
  return buffer;
}
}  // namespace

ORBString::ORBString() : m_buffer(kEmpty), m_length(0) {}

ORBString::ORBString(const char* text) : m_buffer(kEmpty), m_length(0) {
  if (text) Assign(text, std::strlen(text));
}

ORBString::ORBString(const char* bytes, size_t length) : m_buffer(kEmpty), m_length(0) {
  Assign(bytes, length);
}

ORBString::ORBString(const ORBString& other) : m_buffer(kEmpty), m_length(0) {
  Assign(other.m_buffer, other.m_length);
}

ORBString::ORBString(ORBString&& other) noexcept : m_buffer(other.m_buffer), m_length(other.m_length) {
  other.m_buffer = kEmpty;
  other.m_length = 0;
}

ORBString::~ORBString() {
  if (m_buffer != kEmpty) std::free(m_buffer);
}

ORBString& ORBString::operator=(const ORBString& other) {
  if (this != &other) Assign(other.m_buffer, other.m_length);
  return *this;
}

ORBString& ORBString::operator=(ORBString&& other) noexcept {
  if (this != &other) {
    if (m_buffer != kEmpty) std::free(m_buffer);
    m_buffer = other.m_buffer;
    m_length = other.m_length;
    other.m_buffer = kEmpty;
    other.m_length = 0;
  }
  return *this;
}

ORBString& ORBString::operator=(const char* text) {
  if (text)
    Assign(text, std::strlen(text));
  else
    Assign("", 0);
  return *this;
}

void ORBString::Assign(const char* bytes, size_t length) {
  // Copy first: the source may live inside our own buffer.
  char* fresh = length ? CopyBytes(bytes, length) : kEmpty;
  if (m_buffer != kEmpty) std::free(m_buffer);
  m_buffer = fresh;
  m_length = length;
}

ORBString& ORBString::Format(const char* format, ...) {
  va_list args;
  va_start(args, format);
  va_list again;
  va_copy(again, args);
  int needed = std::vsnprintf(nullptr, 0, format, args);
  va_end(args);
  if (needed < 0) {
    va_end(again);
    Assign("", 0);
    return *this;
  }
  char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(needed) + 1));
  if (!buffer) {
    va_end(again);
    throw std::bad_alloc();
  }
  std::vsnprintf(buffer, static_cast<size_t>(needed) + 1, format, again);
  va_end(again);
  if (m_buffer != kEmpty) std::free(m_buffer);
  m_buffer = buffer;
  m_length = static_cast<size_t>(needed);
  return *this;
}

ORBString& ORBString::Append(const char* text) {
  if (!text || !*text) return *this;
  size_t extra = std::strlen(text);
  char* buffer = static_cast<char*>(std::malloc(m_length + extra + 1));
  if (!buffer) throw std::bad_alloc();
  std::memcpy(buffer, m_buffer, m_length);
  std::memcpy(buffer + m_length, text, extra + 1);
  if (m_buffer != kEmpty) std::free(m_buffer);
  m_buffer = buffer;
  m_length += extra;
  return *this;
}

bool ORBString::operator==(const char* text) const {
  return std::strcmp(m_buffer, text ? text : "") == 0;
}

bool ORBString::operator==(const ORBString& other) const {
  return m_length == other.m_length && std::memcmp(m_buffer, other.m_buffer, m_length) == 0;
}
