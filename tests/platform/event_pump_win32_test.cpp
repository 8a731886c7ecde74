// The waits of the user-interface thread on a real message queue.
#include <gtest/gtest.h>
#include <windows.h>

#include "platform/win32/event_pump.hpp"
#include "platform/win32/kernel_waitable.hpp"
#include "platform/win32/unique_handle.hpp"

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

}  // namespace
}  // namespace wethrix::win32
