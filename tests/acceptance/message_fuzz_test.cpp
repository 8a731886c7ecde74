// Another program throws messages at every window of the real program, in each of its states:
// every id below WM_USER and a spread of the class, application and registered ones, posted and
// sent, with junk parameters. After each one the program still answers; afterwards it still
// refreshes, and it has shown no box.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <dde.h>

#include <algorithm>
#include <array>
#include <functional>
#include <string>
#include <vector>

#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

// What a real program uses to end another is left out; the program ends on each as designed.
constexpr UINT kLeftOut[] = {
    WM_CLOSE,       // closes it, as its close box does
    WM_QUIT,        // closes it the same way (closing_tests)
    WM_ENDSESSION,  // with any wParam but 0 the session ends, and the program with it
};

// Nothing, small numbers, a DPI a screen has, and addresses the program never handed out: an odd
// one in the page every process can read (0x7FFE0000), and the last one. Small numbers stay clear
// of the ids of the controls and of OK and Cancel, whose commands a program may send as a click.
struct Junk {
  WPARAM wparam;
  LPARAM lparam;
};
constexpr Junk kJunk[] = {
    {0, 0}, {42, 1}, {MAKEWPARAM(144, 144), 42}, {0x7FFE0031, 0x7FFE0031}, {~WPARAM{0}, -1}};

constexpr UINT kAnswerMs = 1000;  // a sent message is handled within it

std::vector<UINT> Messages() {
  std::vector<UINT> messages;
  for (UINT message = 0; message < WM_USER; ++message) {
    if (std::ranges::find(kLeftOut, message) == std::end(kLeftOut)) messages.push_back(message);
  }
  for (UINT message = WM_USER; message < WM_USER + 0x100; message += 7) messages.push_back(message);
  for (UINT message = WM_APP; message < WM_APP + 0x100; message += 7) messages.push_back(message);
  for (UINT message = 0xC000; message <= 0xFFFF; message += 0x3FF) messages.push_back(message);
  // The tray's callback, a later start's message, and the shell's broadcast, which it takes.
  messages.insert(messages.end(), {WM_USER + 101, WM_APP + 2, ::RegisterWindowMessageW(L"TaskbarCreated")});
  return messages;
}

bool Send(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  DWORD_PTR ignored = 0;
  return ::SendMessageTimeoutW(window, message, wparam, lparam, SMTO_ABORTIFHUNG, kAnswerMs, &ignored) != 0;
}

// What the system refuses to post (ERROR_MESSAGE_SYNC_ONLY) it copies between processes when it
// is sent: a junk address would be read in this process, so those go with a zeroed block. A DDE
// message is not posted: Windows copies the memory it names and refuses a junk handle, where Wine
// hands it on and its PeekMessage(PM_NOREMOVE), which menus use, then spins on it.
void Throw(HWND window, UINT message, Junk junk) {
  static std::array<std::byte, 4096> zeroes{};
  const bool dde = message >= WM_DDE_FIRST && message <= WM_DDE_LAST;
  if (!dde && !::PostMessageW(window, message, junk.wparam, junk.lparam) &&
      ::GetLastError() == ERROR_MESSAGE_SYNC_ONLY) {
    junk = {0, reinterpret_cast<LPARAM>(zeroes.data())};
  }
  (void)Send(window, message, junk.wparam, junk.lparam);
}

TEST(MessageFuzz, NoMessageFromAnotherProgramStopsTheProgram) {
  BeginSession();
  const test_support::TempFolder folder(u8"wethrix message fuzz");
  WethrixDriver wethrix(folder.Path());
  wethrix.Start();
  ASSERT_TRUE(wethrix.WaitForRefreshAfter(0)) << "no first refresh";
  const auto with_main_and_tray = [&](std::vector<HWND> windows) {
    windows.insert(windows.end(), {wethrix.MainWindow(), wethrix.TrayWindow()});
    return windows;
  };
  struct Case {
    const char* state;
    std::function<std::vector<HWND>()> enter;  // the windows there are then; a dialog comes first
  };
  const Case cases[] = {
      {"idle", [&] { return with_main_and_tray({}); }},
      {"the key dialog is open",
       [&] {
         wethrix.Click("PushButton5");
         return std::vector<HWND>{wethrix.WaitForOwnWindow(L"Key Options")};
       }},
      {"the location box is open",
       [&] {
         wethrix.Click("PushButton4");
         return with_main_and_tray({wethrix.WaitForDialog(L"Wethrix", L"Edit")});
       }},
      {"a refresh waits for a service that does not answer",
       [&] {
         standin::Hold();
         wethrix.TimerTick();
         EXPECT_TRUE(WaitUntil([] { return standin::Requests().size() > 1; }));
         return with_main_and_tray({});
       }},
  };
  for (const Case& c : cases) {
    const std::vector<HWND> windows = c.enter();
    for (const HWND window : windows) {
      for (const UINT message : Messages()) {
        for (const Junk& junk : kJunk) Throw(window, message, junk);
        ASSERT_TRUE(Send(window, WM_NULL, 0, 0) && Send(wethrix.MainWindow(), WM_NULL, 0, 0))
            << c.state << ": no answer after message 0x" << std::hex << message << " to " << window;
      }
    }
    EXPECT_EQ(wethrix.MessageBoxTexts(), std::vector<std::string>{}) << c.state;
    // Closed as a user closes it; its caption may have changed.
    if (windows.front() == wethrix.MainWindow()) continue;
    ::PostMessageW(windows.front(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return ::IsWindow(windows.front()) == FALSE; })) << c.state;
  }

  std::uint32_t count = wethrix.FinishedRefreshes();
  standin::Release();
  EXPECT_TRUE(wethrix.WaitForRefreshAfter(count)) << "the waiting refresh did not end";
  count = wethrix.FinishedRefreshes();
  standin::SetKelvin("San Diego CA", 300.15);
  wethrix.TimerTick();
  EXPECT_TRUE(wethrix.WaitForRefreshAfter(count)) << "it no longer refreshes";
  EXPECT_NE(wethrix.Text("Label2").find("81"), std::string::npos) << wethrix.Text("Label2");
  EXPECT_EQ(wethrix.MessageBoxTexts(), std::vector<std::string>{});
  EXPECT_TRUE(wethrix.CloseAndWait());
  settings::Clear();
}

}  // namespace
}  // namespace wethrix::acceptance
