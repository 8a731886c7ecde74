#pragma once
#include <vector>

#include "platform/picture.hpp"

namespace wethrix::fakes {

// Makes an icon picture of every icon file it is given, and keeps the files.
class FakePictureLoader final : public PictureLoader {
 public:
  [[nodiscard]] PicturePtr FromIconFile(const Bytes& file) override;
  std::vector<Bytes> icons;

 private:
  std::uintptr_t next_handle_ = 0x5000;
};

}  // namespace wethrix::fakes
