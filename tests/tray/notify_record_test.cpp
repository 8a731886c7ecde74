#include "tray/notify_record.hpp"

#include <gtest/gtest.h>

#include <string>

namespace wethrix {
namespace {

constexpr std::uintptr_t kWindow = 0x5150;

TEST(NotifyRecordTest, AddCarriesIconAndTipOnlyWhenThereAreSome) {
  struct Case {
    std::uintptr_t icon;
    std::string tip;
    std::uint32_t flags;
  };
  const Case cases[] = {
      {0, "", kNifMessage},
      {0x77, "", kNifMessage | kNifIcon},
      {0, "Wethrix", kNifMessage | kNifTip},
      {0x77, "Wethrix", kNifMessage | kNifIcon | kNifTip},
  };
  for (const auto& c : cases) {
    const NotifyRecord record = AddRecord(kWindow, c.tip, c.icon);
    EXPECT_EQ(record.uFlags, c.flags) << c.icon << " " << c.tip;
    EXPECT_EQ(record.hIcon, c.icon);
    EXPECT_EQ(FieldText(record.szTip), std::u16string(c.tip.begin(), c.tip.end()));
    EXPECT_EQ(record.uCallbackMessage, kTrayCallbackMessage);
    EXPECT_EQ(record.cbSize, kNotifyRecordSize);
    EXPECT_EQ(record.hWnd, kWindow);
    EXPECT_EQ(record.uID, 0U);
  }
}

TEST(NotifyRecordTest, EachOperationFillsOnlyItsOwnFields) {
  struct Case {
    const char* name;
    NotifyRecord record;
    std::uint32_t flags;
    std::uintptr_t icon;
    std::u16string tip;
    std::u16string info;
    std::u16string title;
    std::uint32_t timeout;
  };
  const Case cases[] = {
      {"change icon", ChangeIconRecord(kWindow, 0x99), kNifIcon, 0x99, u"", u"", u"", 0},
      {"change tip",
       ChangeTipRecord(kWindow,
                       "San Diego, 78 \xC2\xB0"
                       "F"),
       kNifTip, 0, u"San Diego, 78 \u00B0F", u"", u"", 0},
      {"clear tip", ChangeTipRecord(kWindow, ""), kNifTip, 0, u"", u"", u"", 0},
      {"balloon", BalloonRecord(kWindow, "text", "title", 5000), kNifInfo, 0, u"", u"text", u"title", 5000},
      {"clear balloon", BalloonRecord(kWindow, "", "", 0), kNifInfo, 0, u"", u"", u"", 0},
      {"remove", RemoveRecord(kWindow), 0, 0, u"", u"", u"", 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.record.uFlags, c.flags);
    EXPECT_EQ(c.record.hIcon, c.icon);
    EXPECT_EQ(FieldText(c.record.szTip), c.tip);
    EXPECT_EQ(FieldText(c.record.szInfo), c.info);
    EXPECT_EQ(FieldText(c.record.szInfoTitle), c.title);
    EXPECT_EQ(c.record.uTimeout, c.timeout);
    EXPECT_EQ(c.record.uCallbackMessage, 0U);
    EXPECT_EQ(c.record.dwInfoFlags, 0U);
    EXPECT_EQ(c.record.hWnd, kWindow);
  }
}

TEST(NotifyRecordTest, TextsAreCutToTheirFieldWithoutSplittingASurrogatePair) {
  const std::string thermometer = "\xF0\x9F\x8C\xA1";  // U+1F321, two UTF-16 units
  const std::string long_text(400, 'a');
  EXPECT_EQ(FieldText(AddRecord(kWindow, long_text, 0).szTip).size(), 127U);
  EXPECT_EQ(FieldText(ChangeTipRecord(kWindow, long_text).szTip).size(), 127U);
  EXPECT_EQ(FieldText(BalloonRecord(kWindow, long_text, long_text, 0).szInfo).size(), 255U);
  EXPECT_EQ(FieldText(BalloonRecord(kWindow, long_text, long_text, 0).szInfoTitle).size(), 63U);

  const NotifyRecord split = ChangeTipRecord(kWindow, std::string(126, 'a') + thermometer);
  EXPECT_EQ(FieldText(split.szTip), std::u16string(126, u'a'));
  const NotifyRecord fits = ChangeTipRecord(kWindow, std::string(125, 'a') + thermometer);
  EXPECT_EQ(FieldText(fits.szTip), std::u16string(125, u'a') + u"\U0001F321");
}

}  // namespace
}  // namespace wethrix
