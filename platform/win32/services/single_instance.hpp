#pragma once
// One copy of the program per user session. The first start takes a named mutex in the session's
// own namespace before anything else and holds it while it loads; a later start waits for it to be
// ready, brings its main window back and ends, so two copies never share the tray, the requests,
// the image files or the converter.
#include <windows.h>

#include "platform/win32/handles/unique_handle.hpp"

namespace wethrix::win32 {

class SingleInstance {
 public:
  SingleInstance();
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  SingleInstance(SingleInstance&&) = delete;
  SingleInstance& operator=(SingleInstance&&) = delete;
  ~SingleInstance() = default;

  // True when another copy runs in this session: it has been asked to show itself, or it is still
  // loading after a while, and this start ends. False when this start is the one copy.
  [[nodiscard]] bool HandedOver();
  // The copy's main window is loaded: a later start may find it now.
  void Ready(HWND main_window);

 private:
  unique_kernel_handle mutex_;
  bool owned_ = false;
};

}  // namespace wethrix::win32
