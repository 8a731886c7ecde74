// Closing the real program while a refresh waits for a service that does not answer.
#include <gtest/gtest.h>

#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

// Far below the stand-in's 20 seconds of silence and the transfer's 30-second limit, so only a
// close that waits for neither meets it; the program itself takes some tens of milliseconds.
constexpr auto kClosingBound = 10s;

// Posts `closing` to the main window while the first refresh waits for a service that does not answer.
void CloseWhileARefreshWaits(UINT closing) {
  settings::Clear();
  settings::Set(L"APIKey", L"demo-key");
  settings::Set(L"Text1", L"Silent Place");  // the stand-in keeps quiet far longer than the bound
  standin::Reset();
  const test_support::TempFolder folder(u8"wethrix closing");
  WethrixDriver wethrix(folder.Path());
  wethrix.Start();
  ASSERT_TRUE(WaitUntil([] { return standin::Requests().size() == 1; })) << "the first refresh never asked";
  ASSERT_TRUE(std::filesystem::exists(ConverterFile()));

  wethrix.Click("Option5");  // a unit change while the query waits: one more run owed
  ASSERT_TRUE(WaitUntil([&] { return wethrix.Checked("Option5"); }));
  ::PostMessageW(wethrix.MainWindow(), closing, 0, 0);
  EXPECT_TRUE(wethrix.WaitForEnd(kClosingBound)) << "the process outlived its window";

  EXPECT_FALSE(std::filesystem::exists(ConverterFile()));
  EXPECT_EQ(standin::Requests().size(), 1U) << "no rerun after closing";
}

// Another program's WM_QUIT, which would only end the message loop, closes as the close box does.
TEST(ClosingTest, ClosingWhileARefreshWaitsEndsTheProgramAtOnceAndLeavesNoConverter) {
  for (const UINT closing : {UINT{WM_CLOSE}, UINT{WM_QUIT}}) {
    SCOPED_TRACE(closing);
    CloseWhileARefreshWaits(closing);
  }
  settings::Clear();
}

}  // namespace
}  // namespace wethrix::acceptance
