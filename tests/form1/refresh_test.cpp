#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <optional>
#include <utility>

#include "display/patient_files.hpp"
#include "display/temperature_icon.hpp"
#include "display/temperature_text.hpp"
#include "platform/errors.hpp"
#include "tests/form1/form1_harness.hpp"
#include "weather/get_weather.hpp"
#include "weather/request.hpp"

namespace wethrix::testing {
namespace {

// The degree sign, in UTF-8 as every text carries it.
std::string Degree() {
  return "\xC2\xB0";
}
constexpr std::string_view kHint =
    "API Key not found. Please click on 'Getting Started / Enter Your API Key' now.";

TEST(RefreshTextsTest, EachKindOfReadingHasItsTexts) {
  struct Case {
    double temperature;
    Unit unit;
    std::string temperature_text;
    std::string icon;
    std::string label2;
  };
  const double no_reading = std::nan("");
  const Case cases[] = {
      {78, Unit::kFahrenheit, "78 " + Degree() + "F", "78 " + Degree() + "F",
       "The current temperature in San Diego is 78 " + Degree() + "F"},
      {-3, Unit::kCelsius, "-3 " + Degree() + "C", "-3 " + Degree() + "C",
       "The current temperature in San Diego is -3 " + Degree() + "C"},
      {-0.0, Unit::kCelsius, "0 " + Degree() + "C", "0 " + Degree() + "C",
       "The current temperature in San Diego is 0 " + Degree() + "C"},
      {kRefusedKeyTemperature, Unit::kFahrenheit, std::string(kHint), "N/A",
       "The current temperature in San Diego is unavailable because " + std::string(kHint)},
      {no_reading, Unit::kCelsius, "the weather service could not be reached", "N/A",
       "The current temperature in San Diego is unavailable because the weather service could not be "
       "reached."},
  };
  for (const auto& c : cases) {
    const RefreshTexts texts = BuildRefreshTexts(c.temperature, "the weather service could not be reached",
                                                 c.unit, "San Diego", "Getting Started / Enter Your API Key");
    EXPECT_EQ(texts.temperature, c.temperature_text);
    EXPECT_EQ(texts.icon, c.icon);
    EXPECT_EQ(texts.label2, c.label2);
    EXPECT_EQ(texts.tooltip, "Wethrix\r\nSan Diego, " + c.temperature_text);
    EXPECT_EQ(texts.balloon, "San Diego, " + c.temperature_text);
  }
  EXPECT_EQ(UnitText(Unit::kNone), "");
}

TEST(RefreshTextsTest, AnEndlessPlaceNameIsShortenedSoTheReadingStaysInView) {
  const std::string shown = std::string(63, 'L') + "\xE2\x80\xA6";
  const RefreshTexts texts = BuildRefreshTexts(7, "", Unit::kCelsius, std::string(10000, 'L'), "");
  EXPECT_EQ(texts.label2, "The current temperature in " + shown + " is 7 " + Degree() + "C");
  EXPECT_EQ(texts.tooltip, "Wethrix\r\n" + shown + ", 7 " + Degree() + "C");
  EXPECT_EQ(texts.balloon, shown + ", 7 " + Degree() + "C");
}

TEST(TemperatureIconTest, TheNumberAlwaysFitsAndShortOnesKeepTheDesignFont) {
  struct Case {
    std::string number;
    bool keeps_design_size;
  };
  const Case cases[] = {{"7", true}, {"78", true}, {"105", false}, {"-12", false}, {"-120", false}};
  for (const auto& c : cases) {
    fakes::FakePictureBox surface(32, 33);
    surface.SetFontSize(kIconFontPoints);
    surface.SetScaleWidth(16);
    surface.SetScaleHeight(16);
    ShrinkFontToFit(surface, c.number);
    EXPECT_LE(surface.TextWidth(c.number), 16.0F) << c.number;
    EXPECT_EQ(surface.FontSize() == kIconFontPoints, c.keeps_design_size) << c.number;
  }
}

TEST(Form1RefreshTest, AReadingReachesTheWindowTheTrayAndTheFiles) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.Start();

  const std::string reading = "78 " + Degree() + "F";
  EXPECT_EQ(h.view.label2, "The current temperature in San Diego is " + reading);
  EXPECT_EQ(h.view.text2, reading);
  EXPECT_EQ(h.Setting("Text2"), reading);
  EXPECT_EQ(h.tray->TrayTip(), "Wethrix\r\nSan Diego, " + reading);

  const auto& icon = h.view.Box(1);
  ASSERT_EQ(icon.prints.size(), 1U);
  EXPECT_EQ(icon.prints[0].text, reading);
  EXPECT_EQ(icon.prints[0].x, 0.0F);
  EXPECT_EQ(icon.prints[0].font_size, 16.0F);
  EXPECT_EQ(icon.prints[0].fore, 0x0000FFFFU);
  EXPECT_EQ(icon.prints[0].back, 0U);
  EXPECT_NEAR(icon.prints[0].y + icon.TextHeight(reading) / 2, 8.0F, 1e-4);
  EXPECT_EQ(icon.FontName(), "Arial");

  EXPECT_EQ(h.files.files.at("C:\\Apps\\Wethrix\\CurTemp.bmp"), h.view.Box(1).BitmapFile());
  ASSERT_EQ(h.launcher.launches.size(), 1U);
  EXPECT_EQ(h.launcher.launches[0].command_line,
            R"("C:\Temp\nconvert.exe" -out ico "C:\Apps\Wethrix\CurTemp.bmp")");
  EXPECT_EQ(h.launcher.launches[0].window_style, 0);
  EXPECT_EQ(h.pictures.icons, std::vector<Bytes>{h.IconOfTheDrawnPicture()});
  EXPECT_EQ(h.files.files.at("C:\\Apps\\Wethrix\\CurTemp.ico"), h.IconOfTheDrawnPicture());
  ASSERT_NE(h.tray->TrayIcon(), nullptr);

  const auto& sample = h.view.Box(4);
  ASSERT_EQ(sample.prints.size(), 1U) << "the sample is cleared and drawn once";
  EXPECT_EQ(sample.prints[0].text, reading);

  ASSERT_EQ(h.Balloons().size(), 1U);
  EXPECT_EQ(std::u16string(h.Balloons()[0].record.szInfo.data()), u"San Diego, 78 \u00B0F");
  EXPECT_EQ(std::u16string(h.Balloons()[0].record.szInfoTitle.data()), u"Wethrix");
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST(Form1RefreshTest, ARefusedKeyShowsNotAvailableAndTellsOnlyWhenNotSilent) {
  for (const bool silent : {true, false}) {
    Form1Harness h;
    h.Answer(401, kRefusedReply);
    h.form->Form_Load();
    h.form->ListTemp(silent);
    EXPECT_EQ(h.view.Box(1).prints.at(0).text, "N/A");
    EXPECT_EQ(h.view.text2, kHint);
    EXPECT_EQ(h.view.label2,
              "The current temperature in San Diego CA is unavailable because " + std::string(kHint));
    EXPECT_EQ(h.dialogs.boxes.size(), silent ? 0U : 1U);
    if (!silent) {
      EXPECT_EQ(h.dialogs.boxes[0].title, "Wethrix");
    }
  }
}

TEST(Form1RefreshTest, NoReadingIsShownAsUnavailableWithoutAnApplicationError) {
  struct Case {
    int status;  // 0: the service cannot be reached
    std::string_view body;
  };
  const Case cases[] = {
      {0, ""}, {404, kUnknownPlaceReply}, {200, "not json"}, {200, R"({"main":{"temp":"hot"}})"}};
  for (const auto& c : cases) {
    Form1Harness h;
    if (c.status != 0) h.Answer(c.status, c.body);
    h.Start();
    EXPECT_EQ(h.view.Box(1).prints.at(0).text, "N/A") << c.body;
    EXPECT_TRUE(h.view.label2.starts_with("The current temperature in San Diego CA is unavailable because "))
        << h.view.label2;
    EXPECT_TRUE(h.view.label2.ends_with(".")) << h.view.label2;
    EXPECT_TRUE(h.dialogs.boxes.empty()) << c.body;
  }
}

TEST(Form1RefreshTest, ATriggerDuringARefreshRunsOnceMoreAfterwardsAndKeepsItsVoice) {
  Form1Harness h;
  h.form->Form_Load();
  h.Answer(401, kRefusedReply);
  h.Answer(401, kRefusedReply);
  h.inet.executing_polls = 3;
  h.OnceWhileWaiting([&] {
    h.form->ListTemp(true);   // a timer tick
    h.form->ListTemp(false);  // a unit change
    h.form->ListTemp(true);
  });
  h.form->ListTemp(true);
  EXPECT_EQ(h.Refreshes(), 2) << "one extra run, not three nested ones";
  EXPECT_EQ(h.view.finished_refreshes, 1U) << "the extra run ends the same round";
  EXPECT_EQ(h.dialogs.boxes.size(), 1U) << "the extra run is not silent because one trigger was not";
}

TEST(Form1RefreshTest, AConverterDeletedOrReplacedSinceStartUpIsPutRightBeforeItRuns) {
  const std::string converter = "C:\\Temp\\nconvert.exe";
  for (const bool replaced : {false, true}) {
    Form1Harness h;
    h.Answer(200, kSanDiegoReply);
    h.form->Form_Load();
    if (replaced) {
      h.files.files[converter] = Bytes{'M', 'Z', 9};  // another program's
    } else {
      h.files.Remove(converter);
    }
    h.form->ListTemp(true);
    EXPECT_EQ(h.files.files.at(converter), h.environment.converter) << replaced;
    EXPECT_EQ(h.launcher.launches.size(), 1U);
    EXPECT_NE(h.tray->TrayIcon(), nullptr);
    EXPECT_TRUE(h.dialogs.boxes.empty());
  }
}

TEST(Form1RefreshTest, AConverterThatCannotBePutRightIsNotRunAndToldOnlyAloudYetTheTrayTellsTheReading) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.Answer(200, kSanDiegoReply);
  h.form->Form_Load();
  h.files.files["C:\\Temp\\nconvert.exe"] = Bytes{'M', 'Z', 9};
  h.files.read_only_folders.emplace_back("C:\\Temp");
  h.form->ListTemp(true);
  EXPECT_TRUE(h.dialogs.boxes.empty()) << "a silent refresh";
  h.form->ListTemp(false);
  ASSERT_EQ(h.dialogs.boxes.size(), 1U);
  EXPECT_NE(h.dialogs.boxes[0].text.find("Form1.ListTemp at line 114"), std::string::npos)
      << h.dialogs.boxes[0].text;
  EXPECT_TRUE(h.launcher.launches.empty());
  EXPECT_EQ(h.pictures.icons, std::vector(2, h.IconOfTheDrawnPicture()));
}

constexpr std::string_view kOsloReply = R"({"main":{"temp":268.15},"name":"Oslo","cod":200})";
constexpr char kBitmapFile[] = R"(C:\Apps\Wethrix\CurTemp.bmp)";
constexpr char kIconFile[] = R"(C:\Apps\Wethrix\CurTemp.ico)";
constexpr char kConverterFile[] = R"(C:\Temp\nconvert.exe)";

// A refresh after one that showed 78 degrees, on a PC where something stands in the way.
TEST(Form1RefreshTest, TheTrayShowsThisReadingWhateverBecameOfTheConverter) {
  struct Case {
    const char* what;
    std::function<void(Form1Harness&)> hinder;
  };
  const Case cases[] = {
      {"no program may start", [](Form1Harness& h) { h.launcher.script.push_back({.launch_error = 1260}); }},
      {"the converter fails",
       [](Form1Harness& h) { h.launcher.on_launch = [](std::string_view /*command_line*/) {}; }},
      {"the converter hangs",
       [](Form1Harness& h) {
         h.launcher.script.push_back({.running_polls = fakes::ScriptedProcess::kNeverExits});
         h.launcher.on_launch = [](std::string_view /*command_line*/) {};
       }},
      {"the icon file stays held",
       [](Form1Harness& h) { h.files.in_use[kIconFile] = fakes::FakeFileSystem::kInUseForGood; }},
      {"another program's converter stays",
       [](Form1Harness& h) {
         h.files.files[kConverterFile] = Bytes{'M', 'Z', 9};
         h.files.in_use[kConverterFile] = fakes::FakeFileSystem::kInUseForGood;
       }},
  };
  for (const Case& c : cases) {
    Form1Harness h;
    h.Answer(200, kSanDiegoReply);
    h.Start();
    const Bytes first = h.IconOfTheDrawnPicture();
    c.hinder(h);
    h.Answer(200, kOsloReply);
    ASSERT_TRUE(h.view.timer1.Tick());

    EXPECT_EQ(h.tray->TrayTip(), "Wethrix\r\nOslo, 23 " + Degree() + "F") << c.what;
    ASSERT_EQ(h.pictures.icons.size(), 2U) << c.what;
    EXPECT_EQ(h.pictures.icons.back(), h.IconOfTheDrawnPicture()) << c.what;
    EXPECT_NE(h.pictures.icons.back(), first) << c.what << ": the 78 is gone";
    EXPECT_TRUE(h.dialogs.boxes.empty()) << c.what;
    if (h.files.in_use.contains(kIconFile)) continue;
    EXPECT_EQ(h.files.files.at(kIconFile), h.IconOfTheDrawnPicture()) << c.what << ": the file tells it too";
  }
}

TEST(Form1RefreshTest, AMomentsHoldOnAnyOfItsFilesIsWaitedOutWithEventsRunning) {
  for (const char* held : {kBitmapFile, kIconFile, kConverterFile}) {
    Form1Harness h;
    h.Answer(200, kSanDiegoReply);
    h.form->Form_Load();
    h.files.files.erase(kConverterFile);  // so that it is written, not only read
    h.files.in_use[held] = 4;
    int passes_during_the_hold = 0;
    h.pump.on_pass = [&] {
      passes_during_the_hold += h.files.refusals > 0 && h.files.in_use.contains(held) ? 1 : 0;
    };
    const auto start = h.clock.Now();
    ASSERT_TRUE(h.view.timer1.Tick());

    EXPECT_TRUE(h.dialogs.boxes.empty()) << held;
    EXPECT_EQ(h.files.refusals, 4) << held;
    EXPECT_GT(passes_during_the_hold, 0) << held << ": the window kept answering";
    EXPECT_LT(h.clock.Now() - start, kFilePatience) << held;
    EXPECT_EQ(h.files.files.at(kBitmapFile), h.view.Box(1).BitmapFile()) << held;
    EXPECT_EQ(h.files.files.at(kIconFile), h.IconOfTheDrawnPicture()) << held;
    EXPECT_EQ(h.files.files.at(kConverterFile), h.environment.converter) << held;
    EXPECT_EQ(h.pictures.icons, std::vector<Bytes>{h.IconOfTheDrawnPicture()}) << held;
  }
}

// Held for good, the bitmap's failure is told, after the wait, and the tray still gets the icon.
TEST(Form1RefreshTest, ABitmapThatCannotBeWrittenIsToldYetTheTrayTellsTheReading) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.form->Form_Load();
  h.files.in_use[kBitmapFile] = fakes::FakeFileSystem::kInUseForGood;
  const auto start = h.clock.Now();
  ASSERT_TRUE(h.view.timer1.Tick());
  EXPECT_GE(h.clock.Now() - start, kFilePatience);
  ASSERT_EQ(h.dialogs.boxes.size(), 1U);
  EXPECT_NE(h.dialogs.boxes[0].text.find("Form1.ListTemp at line 112"), std::string::npos);
  EXPECT_TRUE(h.launcher.launches.empty()) << "an older bitmap is not converted";
  EXPECT_EQ(h.pictures.icons, std::vector<Bytes>{h.IconOfTheDrawnPicture()});
}

TEST(Form1RefreshTest, TheConverterIsHeldFromItsCheckUntilItHasStarted) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.form->Form_Load();
  bool held_at_start = false;
  bool swapped = false;
  h.launcher.on_launch = [&](std::string_view /*command_line*/) {
    held_at_start = h.files.IsHeld(kConverterFile);
    try {
      h.files.Write(kConverterFile, Bytes{'M', 'Z', 6});
      swapped = true;
    } catch (const AppError&) {
    }
  };
  h.form->ListTemp(true);
  EXPECT_TRUE(held_at_start);
  EXPECT_FALSE(swapped) << "no other program can change it meanwhile";
  EXPECT_FALSE(h.files.IsHeld(kConverterFile)) << "let go once started, so closing can delete it";
}

TEST(Form1RefreshTest, AUnitChangeDuringTheQueryNeverShowsANumberWithTheOtherUnit) {
  Form1Harness h;
  h.form->Form_Load();
  h.Answer(200, kSanDiegoReply);
  h.Answer(200, kSanDiegoReply);
  h.inet.executing_polls = 2;
  h.OnceWhileWaiting([&] {
    h.view.SetOption5(true);
    h.form->Option5_Click();
  });
  h.form->ListTemp(true);
  const auto balloons = h.Balloons();
  ASSERT_EQ(balloons.size(), 1U) << "the answer in Fahrenheit was withdrawn";
  EXPECT_EQ(std::u16string(balloons[0].record.szInfo.data()), u"San Diego, 26 \u00B0C");
}

TEST(Form1RefreshTest, ARefreshEndedByAnEscapingErrorOwesNoFurtherRun) {
  Form1Harness h;
  h.form->Form_Load();
  h.Answer(401, kRefusedReply);
  h.inet.executing_polls = 1;
  h.pump.on_pass = [&] { h.form->ListTemp(true); };
  h.dialogs.fail_boxes = true;  // the refused-key box, and then the report of that, fail
  EXPECT_THROW(h.form->ListTemp(false), AppError);
  h.pump.on_pass = nullptr;
  h.dialogs.fail_boxes = false;
  h.inet.executing_polls = 0;
  h.Answer(200, kSanDiegoReply);
  h.form->ListTemp(true);
  EXPECT_EQ(h.Refreshes(), 2) << "no stray run after the next one";
}

TEST(Form1RefreshTest, TheImageFolderIsCreatedAgainWhenMissingAndTheDriveRootIsNeverUsed) {
  Form1Harness h;
  const std::string folder = R"(C:\Users\user\AppData\Local\Kestrivon\Wethrix)";
  h.files.read_only_folders.emplace_back(R"(C:\Apps\Wethrix)");
  h.files.missing_folders.push_back(folder);
  h.files.refuse_folders = true;
  h.form->Form_Load();
  h.form->ListTemp(true);
  ASSERT_EQ(h.dialogs.boxes.size(), 1U);
  EXPECT_NE(h.dialogs.boxes[0].text.find("Form1.ListTemp at line 112"), std::string::npos)
      << h.dialogs.boxes[0].text;
  EXPECT_TRUE(h.launcher.launches.empty()) << "nothing at the root of the drive";
  EXPECT_FALSE(h.files.Exists("\\CurTemp.bmp"));
  EXPECT_EQ(h.pictures.icons, std::vector<Bytes>{h.IconOfTheDrawnPicture()})
      << "made from the picture in memory";

  h.files.refuse_folders = false;
  h.dialogs.boxes.clear();
  for (int refresh = 0; refresh < 2; ++refresh) {
    h.form->ListTemp(true);
    EXPECT_TRUE(h.dialogs.boxes.empty()) << refresh;
    EXPECT_EQ(h.files.files.at(folder + "\\CurTemp.bmp"), h.view.Box(1).BitmapFile());
    EXPECT_EQ(h.files.files.at(folder + "\\CurTemp.ico"), h.pictures.icons.back());
    h.files.missing_folders.push_back(folder);  // deleted meanwhile
  }
}

TEST(Form1ClosingTest, ClosingInsideAWaitEndsTheRefreshThereAndTheProgramAtOnce) {
  struct Case {
    const char* wait;
    int transfer_polls;
    int converter_polls;
  };
  const Case cases[] = {{"the query", 3, 0}, {"the converter", 0, fakes::ScriptedProcess::kNeverExits}};
  for (const Case& c : cases) {
    Form1Harness h;
    h.Answer(200, kSanDiegoReply);
    h.form->Form_Load();
    const std::string label2_before = h.view.label2;
    h.inet.executing_polls = c.transfer_polls;
    h.launcher.script.push_back({.running_polls = c.converter_polls});
    h.OnceWhileWaiting([&] {
      h.form->ListTemp(false);  // a unit change folded into the running refresh
      h.form->Form_QueryUnload();
      h.form->Form_Unload();
    });
    h.form->ListTemp(true);
    h.view.label1.clear();  // as a destroyed window reads
    h.form->ListTemp(true);

    EXPECT_EQ(h.program_ends, 1) << c.wait;
    EXPECT_EQ(h.Refreshes(), 1) << c.wait << ": no rerun and no refresh after closing";
    EXPECT_FALSE(h.files.Exists("C:\\Temp\\nconvert.exe")) << c.wait << ": not written back";
    EXPECT_TRUE(h.pictures.icons.empty()) << c.wait;
    EXPECT_TRUE(h.Balloons().empty()) << c.wait;
    EXPECT_TRUE(h.dialogs.boxes.empty()) << c.wait;
    if (c.transfer_polls > 0) {
      EXPECT_EQ(h.view.label2, label2_before) << "nothing of the reading is shown";
      EXPECT_TRUE(h.launcher.launches.empty());
    } else {
      ASSERT_EQ(h.launcher.launches.size(), 1U);
      EXPECT_TRUE(h.launcher.launches[0].terminated) << "a running converter would keep its file";
    }
  }
}

TEST(Form1RefreshTest, AnUnwritableProgramFolderMovesTheImagesToLocalAppData) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.files.read_only_folders.emplace_back(R"(C:\Apps\Wethrix)");
  h.Start();
  const std::string folder = R"(C:\Users\user\AppData\Local\Kestrivon\Wethrix)";
  EXPECT_TRUE(h.files.Exists(folder + "\\CurTemp.bmp"));
  EXPECT_EQ(h.launcher.launches.at(0).command_line,
            "\"C:\\Temp\\nconvert.exe\" -out ico \"" + folder + "\\CurTemp.bmp\"");
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

TEST(Form1RefreshTest, EveryTickRefreshesSilentlyUntilTheTimerStops) {
  Form1Harness h;
  h.form->Form_Load();
  for (int i = 0; i < 3; ++i) {
    h.Answer(401, kRefusedReply);
    EXPECT_TRUE(h.view.timer1.Tick());
  }
  EXPECT_EQ(h.Refreshes(), 3);
  EXPECT_TRUE(h.dialogs.boxes.empty());
  h.form->Form_QueryUnload();
  EXPECT_FALSE(h.view.timer1.Tick());
  EXPECT_EQ(h.Refreshes(), 3);
}

TEST(Form1RefreshTest, ARequestWithoutAnAnswerIsTriedAgainSoonAndSilentlyUntilOneAnswers) {
  Form1Harness h;
  h.Start();  // nothing answers
  ASSERT_TRUE(h.view.retry_timer.Enabled());
  EXPECT_EQ(h.view.retry_timer.Interval(), std::chrono::seconds{5});
  h.clock.Advance(std::chrono::seconds{5});
  ASSERT_TRUE(h.view.retry_timer.Tick());
  EXPECT_EQ(h.Refreshes(), 2);
  EXPECT_EQ(h.view.retry_timer.Interval(), std::chrono::seconds{5}) << "the try 10 s after the first request";

  h.form->Option5_Click();  // the user's own refresh: told aloud, as ever, and tried again silently
  EXPECT_EQ(h.dialogs.boxes.size(), 1U);
  h.clock.Advance(std::chrono::seconds{5});
  ASSERT_TRUE(h.view.retry_timer.Tick());
  EXPECT_EQ(h.dialogs.boxes.size(), 1U) << "tries show no box";

  h.Answer(401, kRefusedReply);
  h.clock.Advance(std::chrono::seconds{10});
  ASSERT_TRUE(h.view.retry_timer.Tick());
  EXPECT_EQ(h.Refreshes(), 5);
  EXPECT_FALSE(h.view.retry_timer.Enabled()) << "a refusal is an answer: the tick asks next";
}

// After a good reading the service stops answering, and the user changes the unit while a tick
// waits or asks. On Windows closing an abandoned request's handle ends it at once.
TEST(Form1RefreshTest, NoRequestGoesOutWithinFiveSecondsOfTheOneBeforeAndOneAnswersAUsersChangeSoon) {
  using std::chrono::seconds;
  struct Case {
    const char* when;
    seconds tick_at;  // after the good reading's request, as the click
    seconds click_at;
    std::size_t requests;  // the good reading's included
  };
  const Case cases[] = {{"while a silent tick waits out the gap", seconds{1}, seconds{2}, 2},
                        {"while a silent tick's request is in flight", seconds{5}, seconds{7}, 3}};
  for (const Case& c : cases) {
    Form1Harness h;
    h.inet.clock = &h.clock;
    h.Answer(200, kSanDiegoReply);
    h.form->Form_Load();
    h.form->ListTemp(true);
    h.inet.executing_polls = -1;
    std::optional<std::chrono::steady_clock::time_point> clicked;
    std::optional<std::chrono::steady_clock::time_point> told;
    h.pump.on_pass = [&] {
      h.inet.EndAbandoned();
      if (clicked || h.clock.Now() < h.inet.begun_at[0] + c.click_at) return;
      clicked = h.clock.Now();
      h.view.SetOption5(true);
      h.form->Option5_Click();
    };
    h.dialogs.while_open = [&] { told = h.clock.Now(); };
    h.clock.Advance(c.tick_at);
    ASSERT_TRUE(h.view.timer1.Tick());
    ASSERT_TRUE(clicked && told) << c.when;
    EXPECT_LE(*told - *clicked, HttpTimeouts{}.total + kLeastRequestGap) << c.when;
    EXPECT_EQ(h.dialogs.boxes.size(), 1U) << c.when;
    ASSERT_EQ(h.inet.begun_at.size(), c.requests) << c.when;
    for (std::size_t i = 1; i < c.requests; ++i) {
      EXPECT_EQ(h.inet.begun_at[i] - h.inet.begun_at[i - 1], kLeastRequestGap) << c.when << i;
    }
  }
}

TEST(Form1RefreshTest, ResumingFromSleepRefreshesAtOnce) {
  Form1Harness h;
  h.Answer(200, kSanDiegoReply);
  h.form->Form_Load();
  h.form->PowerResumed();
  EXPECT_EQ(h.Refreshes(), 1);
  EXPECT_TRUE(h.dialogs.boxes.empty());
}

}  // namespace
}  // namespace wethrix::testing
