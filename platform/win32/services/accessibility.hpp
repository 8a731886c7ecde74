#pragma once
// What a form was told for assistive technology, given on Win32 in the way that works on Windows
// and under Wine alike: each control answers WM_GETOBJECT with the system's own object for it,
// wrapped so that the name and value it was told replace the system's, and the form's object
// leaves withheld controls out of its children. (Dynamic annotation through IAccPropServices
// would do it on Windows, but Wine does not implement it.)
#include <windows.h>
// after windows.h
#include <objbase.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/accessibility.hpp"

namespace wethrix::win32 {

// The thread's COM apartment, through which other processes reach the objects handed out.
class ComApartment {
 public:
  ComApartment() : result_(::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ComApartment(ComApartment&&) = delete;
  ComApartment& operator=(ComApartment&&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(result_)) ::CoUninitialize();
  }

 private:
  HRESULT result_;
};

struct ControlDescription {
  std::optional<std::wstring> name;
  std::function<std::string()> value;
  bool withheld = false;
};
using ControlDescriptions = std::map<std::string, ControlDescription, std::less<>>;

// One form's windows while they exist. The objects handed out hold it weakly, so one that a
// screen reader keeps after the window has gone asks nothing of what is left of the form.
struct AccessibleForm {
  HWND form;
  std::map<HWND, std::string> names;  // of every control
  const ControlDescriptions* described;
  [[nodiscard]] const ControlDescription* Of(HWND control) const;
  // The form's children in the order the system gives them, the withheld ones left out.
  [[nodiscard]] std::vector<HWND> OfferedChildren() const;
};

class Win32Accessibility final : public Accessibility {
 public:
  Win32Accessibility() = default;
  Win32Accessibility(const Win32Accessibility&) = delete;
  Win32Accessibility& operator=(const Win32Accessibility&) = delete;
  Win32Accessibility(Win32Accessibility&&) = delete;
  Win32Accessibility& operator=(Win32Accessibility&&) = delete;
  ~Win32Accessibility() override;

  void SetName(std::string_view control, std::string_view name) override;
  void SetValue(std::string_view control, std::function<std::string()> value) override;
  void Withhold(std::string_view control) override;

  // From now until `form` is destroyed, it and its controls (name, window) answer for themselves.
  void Attach(HWND form, const std::vector<std::pair<std::string, HWND>>& controls);

 private:
  static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, UINT_PTR id,
                                       DWORD_PTR self) noexcept;
  // 0 when the system's own object is to answer.
  [[nodiscard]] LRESULT Answer(HWND hwnd, WPARAM flags) const noexcept;
  void Detach() noexcept;

  ComApartment apartment_;
  ControlDescriptions described_;  // kept across the form's loads
  std::shared_ptr<AccessibleForm> attached_;
};

}  // namespace wethrix::win32
