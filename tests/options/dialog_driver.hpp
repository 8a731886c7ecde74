#pragma once
// Drives a modal dialog like a user: keystrokes and commands posted to it from a timer that
// fires inside its message loop.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>

namespace wethrix::test {

// What the user does once the dialog titled `title` is up.
struct Script {
  std::wstring title;
  std::function<void(HWND dialog)> act;
  bool done = false;
};
inline Script* g_script = nullptr;

inline std::wstring TextOf(HWND window) {
  wchar_t text[512] = {};
  ::GetWindowTextW(window, text, 512);
  return text;
}

// A visible dialog of this thread with the script's title; any title when the script has none.
inline HWND OpenDialog() {
  HWND found = nullptr;
  ::EnumThreadWindows(
      ::GetCurrentThreadId(),
      [](HWND window, LPARAM result) -> BOOL {
        wchar_t window_class[16] = {};
        ::GetClassNameW(window, window_class, 16);
        if (std::wstring(window_class) != L"#32770" || ::IsWindowVisible(window) == FALSE) return TRUE;
        if (!g_script->title.empty() && TextOf(window) != g_script->title) return TRUE;
        *reinterpret_cast<HWND*>(result) = window;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&found));
  return found;
}

inline void CALLBACK DriveDialog(HWND /*window*/, UINT /*message*/, UINT_PTR timer, DWORD /*time*/) {
  if (g_script == nullptr || g_script->done) return;
  HWND dialog = OpenDialog();
  if (dialog == nullptr) return;
  g_script->done = true;
  ::KillTimer(nullptr, timer);
  g_script->act(dialog);
}

// Runs `show`, which opens a modal dialog, with the script armed for that dialog.
template <typename Show>
auto WithScript(Script script, Show show) {
  g_script = &script;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 50, DriveDialog);
  auto result = show();
  ::KillTimer(nullptr, timer);
  g_script = nullptr;
  EXPECT_TRUE(script.done) << "the dialog never appeared";
  return result;
}

// The dialog's text field. Keys go to it, not to whatever has the focus: under Wine another
// program's window may take the activation while the dialog waits, and keys sent to the
// focus would then be lost and the dialog would never end.
inline HWND Field(HWND dialog) {
  return ::FindWindowExW(dialog, nullptr, L"Edit", nullptr);
}

inline void Type(HWND target, const std::wstring& text) {
  for (wchar_t c : text) ::PostMessageW(target, WM_CHAR, c, 1);
}

inline void Press(HWND target, UINT key) {
  ::PostMessageW(target, WM_KEYDOWN, key, 1);
  ::PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

}  // namespace wethrix::test
