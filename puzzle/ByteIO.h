// Little-endian reading and writing of the puzzle's binary files (level files
// and saved games). The reader never reads past its bytes: callers check
// Remaining() before a field group, and a read past the end yields zeros.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

class ByteReader {
 public:
  ByteReader(const uint8_t* bytes, size_t size) : m_bytes(bytes), m_size(size) {}

  size_t Remaining() const { return m_size - m_position; }

  void Bytes(void* out, size_t count) {
    if (count > Remaining()) {
      std::memset(out, 0, count);
      m_position = m_size;
      return;
    }
    std::memcpy(out, m_bytes + m_position, count);
    m_position += count;
  }
  uint8_t U8() { return static_cast<uint8_t>(Unsigned(1)); }
  uint16_t U16() { return static_cast<uint16_t>(Unsigned(2)); }
  uint32_t U32() { return Unsigned(4); }
  int32_t I32() { return static_cast<int32_t>(Unsigned(4)); }
  float F32() {
    uint32_t bits = Unsigned(4);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
  }

 private:
  uint32_t Unsigned(size_t count) {
    if (count > Remaining()) {
      m_position = m_size;
      return 0;
    }
    uint32_t value = 0;
    for (size_t i = 0; i < count; ++i) value |= static_cast<uint32_t>(m_bytes[m_position + i]) << (8 * i);
    m_position += count;
    return value;
  }

  const uint8_t* m_bytes;
  size_t m_size;
  size_t m_position = 0;
};

class ByteWriter {
 public:
  void Bytes(const void* bytes, size_t count) {
    const uint8_t* p = static_cast<const uint8_t*>(bytes);
    m_bytes.insert(m_bytes.end(), p, p + count);
  }
  void U8(uint8_t value) { m_bytes.push_back(value); }
  void U16(uint16_t value) { Unsigned(value, 2); }
  void U32(uint32_t value) { Unsigned(value, 4); }
  void I32(int32_t value) { Unsigned(static_cast<uint32_t>(value), 4); }
  void F32(float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    Unsigned(bits, 4);
  }
  const std::vector<uint8_t>& Data() const { return m_bytes; }
  std::vector<uint8_t> Take() { return std::move(m_bytes); }

 private:
  void Unsigned(uint32_t value, size_t count) {
    for (size_t i = 0; i < count; ++i) m_bytes.push_back(static_cast<uint8_t>(value >> (8 * i)));
  }

  std::vector<uint8_t> m_bytes;
};

