#pragma once
#include <string>
#include <vector>

#include "platform/fakes/fake_services.hpp"
#include "platform/picture.hpp"

namespace wethrix::fakes {

// Loads "pictures" from a FakeFileSystem: ".ico" files as icons, anything else as a bitmap.
class FakePictureLoader final : public PictureLoader {
 public:
  explicit FakePictureLoader(const FakeFileSystem& files) : files_(files) {}
  [[nodiscard]] PicturePtr Load(std::string_view path) override;
  std::vector<std::string> loaded;

 private:
  const FakeFileSystem& files_;
  std::uintptr_t next_handle_ = 0x5000;
};

}  // namespace wethrix::fakes
