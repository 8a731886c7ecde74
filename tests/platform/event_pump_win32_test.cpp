// The waits of the user-interface thread on a real message queue.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/kernel_waitable.hpp"

namespace wethrix::win32 {
namespace {

using std::chrono::milliseconds;

unique_kernel_handle NewEvent(bool signalled) {
  return unique_kernel_handle(::CreateEventW(nullptr, TRUE, signalled ? TRUE : FALSE, nullptr));
}

TEST(Win32EventPumpTest, AWaitWakesForItsThingOrAMessageAndOtherwiseRunsOut) {
  Win32EventPump pump;
  const unique_kernel_handle set = NewEvent(true);
  const unique_kernel_handle unset = NewEvent(false);
  const KernelWaitable done(set.get());
  const KernelWaitable pending(unset.get());
  EXPECT_EQ(pump.WaitFor(&done, milliseconds(10000)), Wake::kDone);
  EXPECT_EQ(pump.WaitFor(&pending, milliseconds(1)), Wake::kTimeOut);
  ASSERT_TRUE(::PostThreadMessageW(::GetCurrentThreadId(), WM_APP, 0, 0));
  EXPECT_EQ(pump.WaitFor(&pending, milliseconds(10000)), Wake::kMessage);
  pump.DoEvents();
  EXPECT_EQ(pump.WaitFor(nullptr, milliseconds(1)), Wake::kTimeOut);
}

// The pump posts a quit it meets again for the main loop; waking for it would make every wait
// that goes on meanwhile return at once, over and over.
TEST(Win32EventPumpTest, APendingQuitWakesNoWaitAndStaysForTheMainLoop) {
  Win32EventPump pump;
  ::PostQuitMessage(3);
  pump.DoEvents();
  EXPECT_EQ(pump.WaitFor(nullptr, milliseconds(1)), Wake::kTimeOut);
  const unique_kernel_handle set = NewEvent(true);
  const KernelWaitable done(set.get());
  EXPECT_EQ(pump.WaitFor(&done, milliseconds(10000)), Wake::kDone);
  MSG msg{};
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_QUIT));
  EXPECT_EQ(msg.wParam, 3U);
}

// The forms' keyboard handling sees every message a wait passes on, and one it takes goes no
// further, as in the main loop.
TEST(Win32EventPumpTest, EachMessageIsOfferedToTheKeyboardHandlingFirstAndWhatItTakesGoesNoFurther) {
  const unique_hwnd edit(::CreateWindowExW(0, L"Edit", L"", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                           ::GetModuleHandleW(nullptr), nullptr));
  ASSERT_TRUE(edit);
  Win32EventPump pump;
  std::wstring offered;
  pump.SetPreTranslate([&](MSG& msg) {
    if (msg.message != WM_CHAR) return false;
    offered.push_back(static_cast<wchar_t>(msg.wParam));
    return msg.wParam == L'a';
  });
  ::PostMessageW(edit.get(), WM_CHAR, L'a', 1);
  ::PostMessageW(edit.get(), WM_CHAR, L'b', 1);
  pump.DoEvents();
  EXPECT_EQ(offered, L"ab");
  wchar_t text[8] = {};
  ::GetWindowTextW(edit.get(), text, 8);
  EXPECT_STREQ(text, L"b");
}

}  // namespace
}  // namespace wethrix::win32
