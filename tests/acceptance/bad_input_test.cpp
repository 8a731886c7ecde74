#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "tests/acceptance/bad_input_support.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

constexpr char kEllipsis[] = "\xE2\x80\xA6";
constexpr char kDegreeF[] = "\u00B0F";
constexpr char kUnknownPlace[] = "the weather service does not know this place";
constexpr char kNoTemperature[] = "the weather service sent no usable temperature";

std::string Reading(std::string_view place, std::string_view temperature) {
  return "The current temperature in " + std::string(place) + " is " + std::string(temperature);
}

std::string Unavailable(std::string_view place, std::string_view reason) {
  return Reading(place, "unavailable because " + std::string(reason) + ".");
}

class BadInputTest : public testing::Test {
 protected:
  void SetUp() override {
    settings::Clear();
    settings::Store(L"APIKey", TextValue("demo-key"));
    standin::Reset();
  }

  // Starts the program on what is stored, lets `check` look at it while it runs, waits for the
  // first refresh to end without a box, closes the program and checks that no stored value was
  // lost or rewritten; "Text2" is the program's to write.
  void RunOnce(const std::function<void(WethrixDriver&)>& check) {
    auto before = settings::StoredValues();
    WethrixDriver wethrix(folder_.Path());
    wethrix.Start();
    check(wethrix);
    EXPECT_TRUE(wethrix.WaitForRefreshAfter(0)) << "the refresh did not end";
    EXPECT_EQ(wethrix.MessageBoxTexts(), std::vector<std::string>{});
    ASSERT_TRUE(wethrix.CloseAndWait());
    auto after = settings::StoredValues();
    before.erase(L"Text2");
    after.erase(L"Text2");
    EXPECT_EQ(after, before);
  }

  static void ExpectLabel2(const WethrixDriver& wethrix, const std::string& expected) {
    EXPECT_TRUE(WaitUntil([&] { return wethrix.Text("Label2") == expected; }))
        << wethrix.Text("Label2").substr(0, 200) << "\nexpected " << expected.substr(0, 200);
  }

  test_support::TempFolder folder_{u8"wethrix bad input"};
};

TEST_F(BadInputTest, StoredValuesThatCannotBeReadAreReportedSkippedAndKeptAsTheyWere) {
  struct Case {
    const char* kind;
    StoredValue value;   // under "Option4", "Font Color" and "Text1"
    StoredValue value2;  // under "Background Color", "Text2" and "Minimized"
    std::vector<int> failing_lines;
    bool fahrenheit;
    std::string label2;
  };
  const std::string huge = "99999999999999999999";
  const std::string san_diego = Reading("San Diego", std::string("61 ") + kDegreeF);
  const Case cases[] = {
      {"empty", TextValue(""), TextValue(""), {146, 150, 152}, true, Unavailable("", kUnknownPlace)},
      {"huge", TextValue(huge), TextValue(huge), {150, 152}, false, Unavailable(huge, kUnknownPlace)},
      {"negative", TextValue("-1"), TextValue("-1"), {}, false, Unavailable("-1", kUnknownPlace)},
      {"not a number",
       TextValue("yes"),
       TextValue("yes"),
       {146, 150, 152},
       true,
       Unavailable("yes", kUnknownPlace)},
      {"binary and number", BinaryValue({0xFF, 0xFE, 0x00, 0x31}), DwordValue(1), {}, true, san_diego},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.kind);
    for (const wchar_t* key : {L"Option4", L"Font Color", L"Text1"}) settings::Store(key, c.value);
    for (const wchar_t* key : {L"Background Color", L"Text2", L"Minimized"}) settings::Store(key, c.value2);
    RunOnce([&](WethrixDriver& wethrix) {
      const auto boxes = DismissApplicationErrors(wethrix, c.failing_lines.size());
      ASSERT_EQ(boxes.size(), c.failing_lines.size());
      for (std::size_t i = 0; i < boxes.size(); ++i) {
        const std::string line = "Form1.Form_Load at line " + std::to_string(c.failing_lines[i]);
        EXPECT_NE(boxes[i].find(line), std::string::npos) << boxes[i];
        EXPECT_TRUE(boxes[i].starts_with("Type mismatch\r\n") || boxes[i].starts_with("Overflow\r\n"))
            << boxes[i];
      }
      ExpectLabel2(wethrix, c.label2);
      EXPECT_EQ(wethrix.Checked("Option4"), c.fahrenheit);
      EXPECT_FALSE(wethrix.Checked("Option5"));
      EXPECT_TRUE(WaitUntil([&] { return ::IsWindowVisible(wethrix.MainWindow()) != FALSE; }));
    });
  }
}

TEST_F(BadInputTest, LocationsAreSentPercentEncodedOrRefusedWhenNoServerWouldTakeThem) {
  struct Case {
    std::string location;
    std::vector<std::string> requests;
    std::string label2;
  };
  const std::string odd = "Say \"Hi\" & 50% \xF0\x9F\x8C\xA1";
  const std::string endless(10000, 'x');
  const Case cases[] = {
      {odd,
       {"GET /data/2.5/weather?q=%22Say%20%22Hi%22%20%26%2050%25%20%F0%9F%8C%A1%22&APPID=demo-key HTTP/1.1"},
       Unavailable(odd, kUnknownPlace)},
      {endless,
       {},
       Unavailable(std::string(63, 'x') + kEllipsis, "the place name is too long for the weather service")},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.location.substr(0, 20));
    standin::Reset();
    settings::Store(L"Text1", TextValue(c.location));
    RunOnce([&](WethrixDriver& wethrix) {
      ExpectLabel2(wethrix, c.label2);
      EXPECT_EQ(wethrix.Text("Label1"), c.location);
      EXPECT_EQ(standin::Requests(), c.requests);
    });
  }
}

TEST_F(BadInputTest, RepliesWithoutAUsableReadingShowTheUnavailableStateAndNoBox) {
  struct Case {
    const char* place;
    std::string label2;
  };
  const Case cases[] = {
      {"Empty Place", Unavailable("Empty Place", kNoTemperature)},
      {"Broken Place", Unavailable("Broken Place", kNoTemperature)},
      {"Html Place", Unavailable("Html Place", kNoTemperature)},
      {"String Place", Unavailable("String Place", kNoTemperature)},
      {"NaN Place", Unavailable("NaN Place", kNoTemperature)},
      {"Huge Place", Unavailable("Huge Place", kNoTemperature)},
      {"Long Name", Reading(std::string(63, 'L') + kEllipsis, std::string("45 ") + kDegreeF)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.place);
    settings::Store(L"Text1", TextValue(c.place));
    RunOnce([&](WethrixDriver& wethrix) { ExpectLabel2(wethrix, c.label2); });
  }
}

}  // namespace
}  // namespace wethrix::acceptance
