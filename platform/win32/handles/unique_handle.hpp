#pragma once
// One owner per Win32 handle: move-only, closed by its deleter exactly once.
#include <windows.h>
// after windows.h
#include <wininet.h>

#include <utility>

namespace wethrix::win32 {

// "No handle" of a handle kind. Most kinds use null; what CreateFileW returns uses
// INVALID_HANDLE_VALUE, which no constant expression can spell, hence a function.
template <typename Handle>
constexpr Handle NullHandle() noexcept {
  return Handle{};
}
inline HANDLE InvalidHandleValue() noexcept {
  return INVALID_HANDLE_VALUE;
}

template <typename Handle, auto Close, Handle (*Invalid)() noexcept = &NullHandle<Handle>>
class unique_handle {
 public:
  unique_handle() noexcept = default;
  explicit unique_handle(Handle handle) noexcept : handle_(handle) {}
  unique_handle(const unique_handle&) = delete;
  unique_handle& operator=(const unique_handle&) = delete;
  unique_handle(unique_handle&& other) noexcept : handle_(other.release()) {}
  unique_handle& operator=(unique_handle&& other) noexcept {
    reset(other.release());
    return *this;
  }
  ~unique_handle() { reset(); }

  [[nodiscard]] Handle get() const noexcept { return handle_; }
  [[nodiscard]] explicit operator bool() const noexcept { return handle_ != Invalid(); }
  Handle release() noexcept { return std::exchange(handle_, Invalid()); }
  void reset() noexcept { reset(Invalid()); }
  void reset(Handle handle) noexcept {
    if (handle_ != Invalid()) Close(handle_);
    handle_ = handle;
  }

 private:
  Handle handle_ = Invalid();
};

// A named deleter rather than a lambda: a lambda's type has internal linkage in every file that
// includes this header, which GCC rejects in members of classes declared in headers.
template <typename GdiObject>
void DeleteGdiObject(GdiObject object) noexcept {
  ::DeleteObject(object);
}

template <typename Interface>
void ReleaseInterface(Interface* object) noexcept {
  object->Release();
}

// Processes, threads and events: null when there is none.
using unique_kernel_handle = unique_handle<HANDLE, &::CloseHandle>;
// Files opened by CreateFileW: INVALID_HANDLE_VALUE when there is none.
using unique_file_handle = unique_handle<HANDLE, &::CloseHandle, &InvalidHandleValue>;
using unique_hkey = unique_handle<HKEY, &::RegCloseKey>;
using unique_hwnd = unique_handle<HWND, &::DestroyWindow>;
using unique_hicon = unique_handle<HICON, &::DestroyIcon>;
using unique_hcursor = unique_handle<HCURSOR, &::DestroyCursor>;
using unique_hdc = unique_handle<HDC, &::DeleteDC>;
using unique_hbitmap = unique_handle<HBITMAP, &DeleteGdiObject<HBITMAP>>;
using unique_hfont = unique_handle<HFONT, &DeleteGdiObject<HFONT>>;
using unique_hbrush = unique_handle<HBRUSH, &DeleteGdiObject<HBRUSH>>;
using unique_hrgn = unique_handle<HRGN, &DeleteGdiObject<HRGN>>;
using unique_hinternet = unique_handle<HINTERNET, &::InternetCloseHandle>;
using unique_hmodule = unique_handle<HMODULE, &::FreeLibrary>;
using unique_hhook = unique_handle<HHOOK, &::UnhookWindowsHookEx>;
// One reference to a COM object.
template <typename Interface>
using unique_com = unique_handle<Interface*, &ReleaseInterface<Interface>>;

}  // namespace wethrix::win32
