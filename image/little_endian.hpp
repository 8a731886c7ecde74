#pragma once
// Windows file formats store their numbers least significant byte first.
#include <cstddef>
#include <cstdint>
#include <span>
#include <utility>
#include <vector>

#include "platform/errors.hpp"

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

// Every read past the end is refused with AppError (kInvalidPicture).
class LittleEndianReader {
 public:
  explicit LittleEndianReader(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

  [[nodiscard]] bool Has(std::uint64_t offset, std::uint64_t count) const {
    return offset <= bytes_.size() && count <= bytes_.size() - offset;
  }
  [[nodiscard]] std::uint16_t U16(std::size_t offset) const {
    Require(offset, 2);
    return static_cast<std::uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8U);
  }
  [[nodiscard]] std::uint32_t U32(std::size_t offset) const {
    Require(offset, 4);
    return static_cast<std::uint32_t>(bytes_[offset]) | static_cast<std::uint32_t>(bytes_[offset + 1]) << 8U |
           static_cast<std::uint32_t>(bytes_[offset + 2]) << 16U |
           static_cast<std::uint32_t>(bytes_[offset + 3]) << 24U;
  }
  [[nodiscard]] std::int32_t I32(std::size_t offset) const { return static_cast<std::int32_t>(U32(offset)); }

  // The `count` bytes at `offset`, refused when the file ends before them.
  [[nodiscard]] std::span<const std::uint8_t> Bytes(std::uint64_t offset, std::uint64_t count) const {
    Require(offset, count);
    return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(count));
  }

 private:
  void Require(std::uint64_t offset, std::uint64_t count) const {
    if (!Has(offset, count)) throw AppError(error_number::kInvalidPicture, "the file is truncated");
  }
  std::span<const std::uint8_t> bytes_;
};

}  // namespace wethrix::imaging
