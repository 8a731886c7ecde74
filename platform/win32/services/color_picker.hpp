#pragma once
#include <windows.h>

#include <array>

#include "platform/color_picker.hpp"
#include "platform/win32/handles/unique_handle.hpp"

namespace wethrix::win32 {

// The system colour dialog, opened in full with the initial colour selected. The user's custom
// colours are kept for the life of the picker.
class Win32ColorPicker final : public ColorPicker {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }
  [[nodiscard]] std::uint32_t Choose(std::uint32_t initial) override;

 private:
  HWND owner_ = nullptr;
  std::array<COLORREF, 16> custom_colors_{};
  unique_hmodule dialog_library_;
};

}  // namespace wethrix::win32
