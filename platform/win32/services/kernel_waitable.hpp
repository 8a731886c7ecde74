#pragma once
#include <windows.h>

#include <cstdint>

#include "platform/event_pump.hpp"

namespace wethrix::win32 {

// A kernel object to wait on, owned elsewhere: done once it is signalled.
class KernelWaitable final : public Waitable {
 public:
  explicit KernelWaitable(HANDLE object) noexcept : object_(object) {}
  [[nodiscard]] std::uintptr_t NativeHandle() const override {
    return reinterpret_cast<std::uintptr_t>(object_);
  }
  [[nodiscard]] bool Done() const override { return ::WaitForSingleObject(object_, 0) == WAIT_OBJECT_0; }

 private:
  HANDLE object_;
};

}  // namespace wethrix::win32
