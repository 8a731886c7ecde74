#include <gtest/gtest.h>

#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

constexpr char kSanDiego[] =
    "61 \xC2\xB0"
    "F";  // 289.15 K

TEST(EndToEndTest, TheFirstRefreshReachesEveryOutputAndClosingCleansUp) {
  BeginSession();
  const test_support::TempFolder folder(u8"wethrix end to end");
  WethrixDriver wethrix(folder.Path());
  wethrix.Start();

  ASSERT_TRUE(wethrix.WaitForRefreshAfter(0)) << "no first refresh";
  const auto icon = folder.Path() / "CurTemp.ico";
  EXPECT_TRUE(std::filesystem::exists(icon));
  EXPECT_EQ(settings::Get(L"Text2"), kSanDiego);
  EXPECT_EQ(wethrix.Text("Label2"), std::string("The current temperature in San Diego is ") + kSanDiego);
  EXPECT_EQ(wethrix.Text("Text2"), kSanDiego);
  EXPECT_EQ(wethrix.Text("Label1"), "San Diego CA");
  EXPECT_TRUE(std::filesystem::exists(folder.Path() / "CurTemp.bmp"));
  EXPECT_EQ(
      standin::Requests(),
      std::vector<std::string>{"GET /data/2.5/weather?q=%22San%20Diego%20CA%22&APPID=demo-key HTTP/1.1"});
  EXPECT_TRUE(std::filesystem::exists(ConverterFile()));
  EXPECT_NE(wethrix.TrayWindow(), nullptr);
  EXPECT_TRUE(wethrix.MessageBoxTexts().empty());

  ASSERT_TRUE(wethrix.CloseAndWait());
  EXPECT_FALSE(std::filesystem::exists(ConverterFile()));
  EXPECT_TRUE(std::filesystem::exists(icon)) << "the images stay";
}

}  // namespace
}  // namespace wethrix::acceptance
