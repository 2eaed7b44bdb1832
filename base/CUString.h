// CUString: a string of UTF-16 code units with an owned, zero-terminated buffer
// and its length. Every text shown to the player is one.
#pragma once

#include <cstddef>
#include <string>

class CUString {
 public:
  CUString();
  CUString(const char16_t* text);  // NOLINT: implicit on purpose, like assignment
  CUString(const char16_t* units, size_t length);
  CUString(const CUString& other);
  CUString(CUString&& other) noexcept;
  ~CUString();

  CUString& operator=(const CUString& other);
  CUString& operator=(CUString&& other) noexcept;
  CUString& operator=(const char16_t* text);
  void Assign(const char16_t* units, size_t length);

  // Conversions for the text renderer and the tools. Invalid UTF-8 sequences
  // and unpaired surrogates become U+FFFD.
  static CUString FromUtf8(const std::string& utf8);
  std::string ToUtf8() const;
  // Each unit reduced to its low byte, for the listings on standard output.
  std::string LowBytes() const;

  const char16_t* Data() const { return m_buffer; }
  size_t Length() const { return m_length; }
  bool Empty() const { return m_length == 0; }
  char16_t operator[](size_t i) const { return m_buffer[i]; }

  bool operator==(const CUString& other) const;
  bool operator==(const char16_t* text) const;
  bool operator!=(const CUString& other) const { return !(*this == other); }

 private:
  char16_t* m_buffer;
  size_t m_length;
};

// Length of a zero-terminated UTF-16 text.
size_t UnitLength(const char16_t* text);
