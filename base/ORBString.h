// ORBString: narrow byte string with an owned, NUL-terminated buffer and its
// length. Used for file names, language codes, configuration keys and values.
#pragma once

#include <cstddef>

class ORBString {
 public:
  ORBString();
  ORBString(const char* text);  // NOLINT: implicit on purpose, like assignment
  ORBString(const char* bytes, size_t length);
  ORBString(const ORBString& other);
  ORBString(ORBString&& other) noexcept;
  ~ORBString();

  ORBString& operator=(const ORBString& other);
  ORBString& operator=(ORBString&& other) noexcept;
  ORBString& operator=(const char* text);

  // Replaces the content with the printf-style formatted text.
  ORBString& Format(const char* format, ...) __attribute__((format(printf, 2, 3)));
  ORBString& Append(const char* text);

  const char* Data() const { return m_buffer; }
  const char* c_str() const { return m_buffer; }
  size_t Length() const { return m_length; }
  bool Empty() const { return m_length == 0; }

  bool operator==(const char* text) const;
  bool operator==(const ORBString& other) const;
  bool operator!=(const char* text) const { return !(*this == text); }

 private:
  void Assign(const char* bytes, size_t length);

  char* m_buffer;
  size_t m_length;
};
