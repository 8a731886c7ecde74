#pragma once
// Windows file formats store their numbers least significant byte first.
#include <cstddef>
#include <cstdint>
#include <utility>
#include <vector>

namespace wethrix::imaging {

class LittleEndianWriter {
 public:
  explicit LittleEndianWriter(std::size_t capacity) { bytes_.reserve(capacity); }
  void U8(std::uint8_t value) { bytes_.push_back(value); }
  void U16(std::uint16_t value) {
    U8(static_cast<std::uint8_t>(value));
    U8(static_cast<std::uint8_t>(value >> 8U));
  }
  void U32(std::uint32_t value) {
    U16(static_cast<std::uint16_t>(value));
    U16(static_cast<std::uint16_t>(value >> 16U));
  }
  void Zeros(std::size_t count) { bytes_.insert(bytes_.end(), count, 0); }
  [[nodiscard]] std::vector<std::uint8_t> Take() && { return std::move(bytes_); }

 private:
  std::vector<std::uint8_t> bytes_;
};

}  // namespace wethrix::imaging
