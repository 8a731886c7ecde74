#include "platform/win32/services/tray_shell.hpp"

#include <gtest/gtest.h>

#include "platform/win32/services/picture_loader.hpp"
#include "platform/win32/services/tray_window.hpp"
#include "test_files.hpp"
#include "tray/notify_record.hpp"

namespace wethrix::win32 {
namespace {

TEST(TrayShellTest, TheShellTakesAnIconAndLetsItBeChangedAndRemoved) {
  Win32TrayWindow window;
  Win32TrayShell shell;
  Win32PictureLoader loader;
  const PicturePtr first = loader.FromIconFile(test::OneColourIconFile({0x20, 0x60, 0xC0}));
  const PicturePtr second = loader.FromIconFile(test::OneColourIconFile({0xC0, 0x60, 0x20}));

  EXPECT_TRUE(shell.Notify(kNimAdd, AddRecord(window.Handle(), "Wethrix", first->Handle())));
  EXPECT_TRUE(shell.Notify(kNimModify, ChangeIconRecord(window.Handle(), second->Handle())));
  EXPECT_TRUE(shell.Notify(kNimModify, ChangeTipRecord(window.Handle(),
                                                       "San Diego, 78 \xC2\xB0"
                                                       "F")));
  EXPECT_TRUE(shell.Notify(kNimDelete, RemoveRecord(window.Handle())));
  EXPECT_FALSE(shell.Notify(kNimModify, ChangeTipRecord(window.Handle(), "gone")));
}

}  // namespace
}  // namespace wethrix::win32
