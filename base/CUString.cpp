#include "base/CUString.h"

#include <cstring>

namespace {
char16_t kEmpty[1] = {0};
constexpr char16_t kReplacement = 0xFFFD;
}  // namespace

size_t UnitLength(const char16_t* text) {
  size_t n = 0;
  if (text)
    while (text[n]) ++n;
  return n;
}

CUString::CUString() : m_buffer(kEmpty), m_length(0) {}

CUString::CUString(const char16_t* text) : m_buffer(kEmpty), m_length(0) {
  Assign(text, UnitLength(text));
}

CUString::CUString(const char16_t* units, size_t length) : m_buffer(kEmpty), m_length(0) {
  Assign(units, length);
}

CUString::CUString(const CUString& other) : m_buffer(kEmpty), m_length(0) {
  Assign(other.m_buffer, other.m_length);
}

CUString::CUString(CUString&& other) noexcept : m_buffer(other.m_buffer), m_length(other.m_length) {
  other.m_buffer = kEmpty;
  other.m_length = 0;
}

CUString::~CUString() {
  if (m_buffer != kEmpty) delete[] m_buffer;
}

CUString& CUString::operator=(const CUString& other) {
  if (this != &other) Assign(other.m_buffer, other.m_length);
  return *this;
}

CUString& CUString::operator=(CUString&& other) noexcept {
  if (this != &other) {
    if (m_buffer != kEmpty) delete[] m_buffer;
    m_buffer = other.m_buffer;
    m_length = other.m_length;
    other.m_buffer = kEmpty;
    other.m_length = 0;
  }
  return *this;
}

CUString& CUString::operator=(const char16_t* text) {
  Assign(text, UnitLength(text));
  return *this;
}

void CUString::Assign(const char16_t* units, size_t length) {
  char16_t* fresh = kEmpty;
  if (length) {
    fresh = new char16_t[length + 1];
    std::memcpy(fresh, units, length * sizeof(char16_t));
    fresh[length] = 0;
  }
  if (m_buffer != kEmpty) delete[] m_buffer;
  m_buffer = fresh;
  m_length = length;
}

bool CUString::operator==(const CUString& other) const {
  return m_length == other.m_length &&
         std::memcmp(m_buffer, other.m_buffer, m_length * sizeof(char16_t)) == 0;
}

bool CUString::operator==(const char16_t* text) const {
  size_t length = UnitLength(text);
  return m_length == length && std::memcmp(m_buffer, text, length * sizeof(char16_t)) == 0;
}

CUString CUString::FromUtf8(const std::string& utf8) {
  std::u16string out;
  size_t i = 0;
  const size_t n = utf8.size();
  while (i < n) {
    unsigned char c = static_cast<unsigned char>(utf8[i]);
    char32_t code;
    size_t extra;
    if (c < 0x80) {
      code = c;
      extra = 0;
    } else if ((c & 0xE0) == 0xC0) {
      code = c & 0x1F;
      extra = 1;
    } else if ((c & 0xF0) == 0xE0) {
      code = c & 0x0F;
      extra = 2;
    } else if ((c & 0xF8) == 0xF0) {
      code = c & 0x07;
      extra = 3;
    } else {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    bool valid = i + extra < n || extra == 0;
    for (size_t k = 1; valid && k <= extra; ++k) {
      unsigned char next = static_cast<unsigned char>(utf8[i + k]);
      if ((next & 0xC0) != 0x80)
        valid = false;
      else
        code = (code << 6) | (next & 0x3F);
    }
    static const char32_t kSmallest[4] = {0, 0x80, 0x800, 0x10000};
    if (!valid || code < kSmallest[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
      out.push_back(kReplacement);
      ++i;
      continue;
    }
    i += extra + 1;
    if (code >= 0x10000) {
      code -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
    } else {
      out.push_back(static_cast<char16_t>(code));
    }
  }
  return CUString(out.data(), out.size());
}

std::string CUString::ToUtf8() const {
  std::string out;
  for (size_t i = 0; i < m_length; ++i) {
    char32_t code = m_buffer[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < m_length && m_buffer[i + 1] >= 0xDC00 &&
        m_buffer[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (m_buffer[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;
    }
    if (code < 0x80) {
      out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      out.push_back(static_cast<char>(0xC0 | (code >> 6)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      out.push_back(static_cast<char>(0xE0 | (code >> 12)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      out.push_back(static_cast<char>(0xF0 | (code >> 18)));
      out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return out;
}

std::string CUString::LowBytes() const {
  std::string out;
  out.reserve(m_length);
  for (size_t i = 0; i < m_length; ++i) out.push_back(static_cast<char>(m_buffer[i] & 0xFF));
  return out;
}
