#include "app/settings.hpp"

#include <gtest/gtest.h>

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

class SettingsTest : public testing::Test {
 protected:
  fakes::FakeSettingsStore store;
  fakes::FakeEnvironment environment;
  Settings settings{store, environment};
};

TEST_F(SettingsTest, AFirstRunReadsEveryDefault) {
  EXPECT_EQ(settings.Text(setting::kText1, setting::kText1Default), "San Diego CA");
  EXPECT_EQ(settings.Text(setting::kText2, setting::kText2Default), "70");
  EXPECT_EQ(settings.Text(setting::kApiKey, setting::kApiKeyDefault), "");
  EXPECT_TRUE(settings.UnitFlag(setting::kOption4, setting::kOption4Default));
  EXPECT_FALSE(settings.UnitFlag(setting::kOption5, setting::kOption5Default));
  EXPECT_EQ(settings.ColorValue(setting::kFontColor, setting::kFontColorDefault), 65535U);
  EXPECT_EQ(settings.ColorValue(setting::kBackgroundColor, setting::kBackgroundColorDefault), 0U);
  EXPECT_FALSE(settings.OnOff(setting::kWindowsStartup));
  EXPECT_FALSE(settings.OnOff(setting::kMinimized));
  EXPECT_TRUE(store.writes.empty());
}

TEST_F(SettingsTest, EveryValueLivesUnderTheProgramsApplicationAndSection) {
  settings.SetText(setting::kText1, " Paris ");
  EXPECT_EQ(store.Read("Kestrivon", "Wethrix", "Text1", ""), " Paris ");
}

TEST_F(SettingsTest, WritesTheTextForms) {
  settings.SetOnOff(setting::kMinimized, true);
  settings.SetOnOff(setting::kWindowsStartup, false);
  settings.SetUnitFlag(setting::kOption4, true);
  settings.SetUnitFlag(setting::kOption5, false);
  settings.SetColorValue(setting::kFontColor, 255);
  settings.SetColorValue(setting::kBackgroundColor, kButtonFace);
  EXPECT_EQ(store.Get("Minimized"), "On");
  EXPECT_EQ(store.Get("Windows Startup"), "Off");
  EXPECT_EQ(store.Get("Option4"), "1");
  EXPECT_EQ(store.Get("Option5"), "0");
  EXPECT_EQ(store.Get("Font Color"), "255");
  EXPECT_EQ(store.Get("Background Color"), "-2147483633");
  EXPECT_EQ(settings.ColorValue(setting::kBackgroundColor, 0), kButtonFace);
}

TEST_F(SettingsTest, OnlyExactlyOnIsOn) {
  for (const char* text : {"ON", "on", " On", "On ", "1", ""}) {
    store.Set("Minimized", text);
    EXPECT_FALSE(settings.OnOff(setting::kMinimized)) << text;
  }
  store.Set("Minimized", "On");
  EXPECT_TRUE(settings.OnOff(setting::kMinimized));
}

TEST_F(SettingsTest, AUnitFlagIsANumberEqualToOne) {
  struct Case {
    const char* text;
    const char* separator;
    bool selected;
  };
  const Case cases[] = {{"1", ".", true},  {"01", ".", true},  {"1.0", ".", true}, {"1,0", ",", true},
                        {"0", ".", false}, {"-1", ".", false}, {"2", ".", false},  {"1.5", ".", false},
                        {"99999999999999999999", ".", false}};
  for (const auto& c : cases) {
    store.Set("Option4", c.text);
    environment.decimal_separator = c.separator;
    EXPECT_EQ(settings.UnitFlag(setting::kOption4, false), c.selected) << c.text;
  }
}

TEST_F(SettingsTest, ColoursReadWithTheLocaleAndRoundHalfToEven) {
  struct Case {
    const char* text;
    const char* separator;
    Color expected;
  };
  const Case cases[] = {{"255", ".", 0x000000FF},         {"65535.5", ".", 65536},
                        {"65534.5", ".", 65534},          {"65535,5", ",", 65536},
                        {"-1", ".", 0xFFFFFFFF},          {"2147483647", ".", 0x7FFFFFFF},
                        {"-2147483648", ".", 0x80000000}, {"2147483647.4", ".", 0x7FFFFFFF}};
  for (const auto& c : cases) {
    store.Set("Font Color", c.text);
    environment.decimal_separator = c.separator;
    EXPECT_EQ(settings.ColorValue(setting::kFontColor, 0), c.expected) << c.text;
  }
}

TEST_F(SettingsTest, UnreadableNumbersRaiseTheConversionError) {
  struct Case {
    const char* key;
    std::string text;
    int error;
  };
  const Case cases[] = {
      {"Option4", "yes", error_number::kTypeMismatch},
      {"Option4", "", error_number::kTypeMismatch},
      {"Option4", "1e999", error_number::kOverflow},
      {"Font Color", "red", error_number::kTypeMismatch},
      {"Font Color", "2147483648", error_number::kOverflow},
      {"Font Color", "2147483647.5", error_number::kOverflow},
      {"Font Color", "-2147483649", error_number::kOverflow},
      {"Font Color", "1e300", error_number::kOverflow},
      {"Font Color", "99999999999999999999", error_number::kOverflow},
      {"Background Color", "", error_number::kTypeMismatch},
      {"Background Color", std::string(10000, '9'), error_number::kOverflow},
      {"Option4", std::string(10000, '1'), error_number::kOverflow},
      {"Font Color", std::string("\x01\x02\xfe", 3), error_number::kTypeMismatch},
  };
  for (const auto& c : cases) {
    store.Set(c.key, c.text);
    try {
      if (std::string_view(c.key) == "Option4") {
        (void)settings.UnitFlag(c.key, true);
      } else {
        (void)settings.ColorValue(c.key, 0);
      }
      ADD_FAILURE() << c.key << " accepted " << c.text;
    } catch (const AppError& error) {
      EXPECT_EQ(error.Number(), c.error) << c.key << " " << c.text;
    }
  }
}

TEST_F(SettingsTest, AFailedWriteReachesTheCaller) {
  store.refuse_writes = true;
  EXPECT_THROW(settings.SetOnOff(setting::kMinimized, true), AppError);
}

}  // namespace
}  // namespace wethrix
