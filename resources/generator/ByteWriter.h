#pragma once
// Little-endian byte output for the file formats the generator writes.
#include <cstdint>
#include <vector>

namespace pausarium::resources {

class ByteWriter {
 public:
  ByteWriter& u8(std::uint8_t v) { bytes_.push_back(v); return *this; }
  ByteWriter& u16(std::uint16_t v) { return u8(v & 0xFF).u8(v >> 8); }
  ByteWriter& u32(std::uint32_t v) { return u16(v & 0xFFFF).u16(v >> 16); }
  ByteWriter& text(const char* fourCharacters) {
    for (int i = 0; i < 4; ++i) u8(static_cast<std::uint8_t>(fourCharacters[i]));
    return *this;
  }
  const std::vector<std::uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace pausarium::resources
