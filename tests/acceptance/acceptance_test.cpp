// A user's sessions with the real program, driven only from outside its process. Each suite is
// one run of Wethrix.exe, and its tests follow one another in the order a user would act.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

#include "tests/acceptance/bad_input_support.hpp"
#include "tests/acceptance/notification_area.hpp"
#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

constexpr char kDegree[] = "\xC2\xB0";
constexpr wchar_t kRunValueName[] = L"Wethrix.exe";
constexpr char kRefusedKey[] = "is unavailable because API Key not found";
constexpr char kApplicationError[] = "Application Error";
// The colour dialog, opened in full, has an edit for each of red, green and blue.
constexpr int kRedEdit = 706;
constexpr int kGreenEdit = 707;
constexpr int kBlueEdit = 708;

std::string Reading(std::string_view city, int degrees, char unit) {
  std::string text = "The current temperature in ";
  text.append(city).append(" is ").append(std::to_string(degrees)).append(" ").append(kDegree);
  text.push_back(unit);
  return text;
}

std::size_t RequestCount() {
  return standin::Requests().size();
}

bool Contains(const std::string& text, std::string_view part) {
  return text.find(part) != std::string::npos;
}

// A session: one program run in a folder whose name has spaces, shared by a suite's tests, with a
// notification area of the suite's own.
class Session : public ::testing::Test {
 protected:
  // Starts the suite's program on these settings alone, with no Run entry and a fresh request log.
  static void Begin(std::initializer_list<std::pair<const wchar_t*, const wchar_t*>> stored = {}) {
    settings::Clear();
    for (const auto& [key, value] : stored) settings::Set(key, value);
    run_key::Remove(kRunValueName);
    standin::Reset();
    area_ = std::make_unique<NotificationArea>();
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix acceptance");
    wethrix_ = std::make_unique<WethrixDriver>(folder_->Path());
    wethrix_->Start();
  }

  static void TearDownTestSuite() {
    wethrix_.reset();
    area_.reset();
    folder_.reset();
    settings::Clear();
    run_key::Remove(kRunValueName);
  }

  void SetUp() override { ASSERT_TRUE(wethrix_ && wethrix_->Running()) << "the session's program is gone"; }

  void TearDown() override {
    EXPECT_EQ(wethrix_->MessageBoxCaptions(), std::vector<std::string>{}) << "a box was left open";
    (void)wethrix_->DismissMessageBoxes();
  }

  static WethrixDriver& Wethrix() { return *wethrix_; }
  static const NotificationArea& Area() { return *area_; }
  static bool IconInTheArea() { return Area().HoldsIconOf(Wethrix().ProcessId()); }

  // Waits for the refresh round after `count` to finish; a box it raised fails the test.
  static void ExpectQuietRefreshAfter(std::uint32_t count) {
    EXPECT_TRUE(Wethrix().WaitForRefreshAfter(count)) << "no refresh finished";
    EXPECT_EQ(Wethrix().MessageBoxTexts(), std::vector<std::string>{}) << "the refresh is silent";
  }

  // Ticks right behind what the test posted before. A refresh that the earlier message started
  // wrongly is still running when the tick arrives, so the tick folds into it: the round that
  // ends carries every request made since `before`.
  static std::size_t RequestsOfTheNextTickRound() {
    const std::uint32_t count = Wethrix().FinishedRefreshes();
    Wethrix().TimerTick();
    ExpectQuietRefreshAfter(count);
    return RequestCount();
  }

  // The one box the program shows, with this text in it, pressed away.
  static void DismissBoxSaying(std::string_view text) {
    ASSERT_TRUE(WaitUntil([] { return !Wethrix().MessageBoxTexts().empty(); })) << "no box";
    const auto texts = Wethrix().MessageBoxTexts();
    ASSERT_EQ(texts.size(), 1U);
    EXPECT_TRUE(Contains(texts.front(), text)) << texts.front();
    EXPECT_EQ(Wethrix().DismissMessageBoxes(), 1);
  }

  // Opens the system colour picker from `button`, sets red, green and blue, and leaves with `button_id`.
  static void PickColor(std::string_view button, int red, int green, int blue, int button_id) {
    Wethrix().Click(button);
    const HWND picker = Wethrix().WaitForDialog(L"Color", L"Edit");
    ASSERT_NE(picker, nullptr) << "no colour picker";
    SetEditText(::GetDlgItem(picker, kRedEdit), std::to_string(red));
    SetEditText(::GetDlgItem(picker, kGreenEdit), std::to_string(green));
    SetEditText(::GetDlgItem(picker, kBlueEdit), std::to_string(blue));
    PressButton(picker, button_id);
    ASSERT_TRUE(WaitUntil([picker] { return !::IsWindow(picker); }));
  }

  // Opens the location input box, checks what it offers, types `answer`, leaves with `button_id`
  // and runs `after_leaving` right behind that, before the box has gone.
  static void AnswerLocation(
      const std::string& offered, const std::string& answer, int button_id,
      const std::function<void()>& after_leaving = [] {}) {
    Wethrix().Click("PushButton4");
    const HWND box = Wethrix().WaitForDialog(L"Wethrix", L"Edit");
    ASSERT_NE(box, nullptr) << "no input box";
    const HWND field = ::FindWindowExW(box, nullptr, L"Edit", nullptr);
    EXPECT_EQ(WindowText(field), offered);
    SetEditText(field, answer);
    PressButton(box, button_id);
    after_leaving();
    ASSERT_TRUE(WaitUntil([box] { return !::IsWindow(box); }));
    ASSERT_TRUE(Wethrix().RoundTrip()) << "the click's handler has got past the box";
  }

  static void ClosingEndsEverything() {
    ASSERT_TRUE(IconInTheArea());
    ASSERT_TRUE(std::filesystem::exists(ConverterFile()));
    ASSERT_TRUE(Wethrix().CloseAndWait());
    ExpectEndedAsClosing();
  }

  // What closing leaves once the process has gone: the area keeps an icon the program left in it.
  static void ExpectEndedAsClosing() {
    EXPECT_EQ(Wethrix().ExitCode(), 0U);
    EXPECT_FALSE(IconInTheArea()) << "the program took its icon out";
    EXPECT_FALSE(std::filesystem::exists(ConverterFile()));
  }

  static inline std::unique_ptr<NotificationArea> area_;
  static inline std::unique_ptr<test_support::TempFolder> folder_;
  static inline std::unique_ptr<WethrixDriver> wethrix_;
};

// ---------------------------------------------------------------------------------------------
// A first run with nothing stored, through every option of the main window.

class FirstRun : public Session {
 protected:
  static void SetUpTestSuite() { Begin(); }
};

TEST_F(FirstRun, ShowsTheDesignDefaultsAndTheMissingKeyWithoutABox) {
  ASSERT_TRUE(WaitUntil([] { return Contains(Wethrix().Text("Label2"), kRefusedKey); }))
      << Wethrix().Text("Label2");
  EXPECT_EQ(Wethrix().Text("Label1"), "San Diego CA");
  EXPECT_TRUE(Wethrix().Checked("Option4"));
  EXPECT_FALSE(Wethrix().Checked("Option5"));
  EXPECT_FALSE(Wethrix().Checked("Check3"));
  EXPECT_FALSE(Wethrix().Checked("Check8"));
  EXPECT_TRUE(Wethrix().MainWindowShown());
  ExpectQuietRefreshAfter(0);
  const auto requests = standin::Requests();
  ASSERT_EQ(requests.size(), 1U) << "the first activation refreshes once";
  EXPECT_TRUE(Contains(requests.front(), "q=%22San%20Diego%20CA%22")) << requests.front();
}

TEST_F(FirstRun, KeyDialogStoresEveryKeystrokeAndOkRefreshesWithTheKey) {
  Wethrix().Click("PushButton5");
  const HWND dialog = Wethrix().WaitForOwnWindow(L"Key Options");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(WaitUntil([] { return !Wethrix().MainWindowShown(); })) << "the main window hides";
  const HWND text1 = KeyDialogControl(dialog, "Text1");
  const std::string key = "demo-key";
  for (std::size_t typed = 1; typed <= key.size(); ++typed) {
    Type(text1, key.substr(typed - 1, 1));
    EXPECT_TRUE(WaitUntil([&] { return settings::Get(L"APIKey") == key.substr(0, typed); }))
        << "after " << typed << " keystrokes";
  }
  const std::size_t before = RequestCount();
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  PressButton(dialog, ::GetDlgCtrlID(KeyDialogControl(dialog, "PushButton6")));
  ExpectQuietRefreshAfter(refreshes);
  EXPECT_EQ(Wethrix().Text("Label2"), Reading("San Diego", 61, 'F'));
  EXPECT_TRUE(Contains(standin::Requests().back(), "APPID=demo-key"));
  EXPECT_EQ(RequestCount(), before + 1);
  // The main window comes back first and the dialog goes after it.
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); })) << "the main window comes back";
  EXPECT_TRUE(WaitUntil([dialog] { return !::IsWindowVisible(dialog); })) << "the dialog goes";
}

TEST_F(FirstRun, KeyDialogReopensWithTheKeyAndItsCloseBoxReturnsWithoutARefresh) {
  const std::size_t before = RequestCount();
  Wethrix().Click("PushButton5");
  const HWND dialog = Wethrix().WaitForOwnWindow(L"Key Options");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(WindowText(KeyDialogControl(dialog, "Text1")), "demo-key");
  // Sent, so it returns once the dialog has handled its close box.
  DWORD_PTR ignored = 0;
  ASSERT_NE(::SendMessageTimeoutW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0, SMTO_ABORTIFHUNG, 20000, &ignored), 0);
  EXPECT_EQ(RequestsOfTheNextTickRound(), before + 1) << "only the tick's request";
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); }));
  EXPECT_TRUE(WaitUntil([] { return Wethrix().FindOwnWindow(L"Key Options") == nullptr; }));
}

TEST_F(FirstRun, ANewLocationIsStoredUntrimmedAndRefreshedAloud) {
  AnswerLocation("San Diego CA", "Atlantis", IDOK);
  DismissBoxSaying("There is no temperature for Atlantis");  // a box: the refresh is not silent
  EXPECT_EQ(settings::Get(L"Text1"), "Atlantis");

  const std::size_t before = RequestCount();
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  AnswerLocation("Atlantis", " Washington DC ", IDOK);
  ExpectQuietRefreshAfter(refreshes);
  EXPECT_EQ(Wethrix().Text("Label2"), Reading("Washington, D.C.", 81, 'F'));
  EXPECT_EQ(settings::Get(L"Text1"), " Washington DC ");
  EXPECT_EQ(Wethrix().Text("Label1"), " Washington DC ");
  EXPECT_EQ(RequestCount(), before + 1);
}

TEST_F(FirstRun, CancellingTheLocationChangesAndQueriesNothing) {
  const std::size_t before = RequestCount();
  AnswerLocation(" Washington DC ", "Oslo", IDCANCEL, [before] {
    EXPECT_EQ(RequestsOfTheNextTickRound(), before + 1) << "only the tick's request";
  });
  EXPECT_EQ(settings::Get(L"Text1"), " Washington DC ");
  EXPECT_EQ(Wethrix().Text("Label1"), " Washington DC ");
}

TEST_F(FirstRun, CelsiusStoresBothUnitsAndRepeatsTheRequest) {
  const std::size_t before = RequestCount();
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  Wethrix().Click("Option5");
  ExpectQuietRefreshAfter(refreshes);
  EXPECT_EQ(Wethrix().Text("Label2"), Reading("Washington, D.C.", 27, 'C'));
  EXPECT_EQ(settings::Get(L"Option4"), "0");
  EXPECT_EQ(settings::Get(L"Option5"), "1");
  EXPECT_EQ(RequestCount(), before + 1);
  EXPECT_EQ(settings::Get(L"Text2"), std::string("27 ") + kDegree + "C");
}

TEST_F(FirstRun, BothColoursComeFromThePickerAndCancelKeepsThem) {
  PickColor("PushButton7", 1, 2, 3, IDOK);
  EXPECT_TRUE(WaitUntil([] { return settings::Get(L"Font Color") == "197121"; }))  // 0x030201
      << settings::Get(L"Font Color").value_or("(none)");
  PickColor("PushButton8", 10, 20, 30, IDOK);
  EXPECT_TRUE(WaitUntil([] { return settings::Get(L"Background Color") == "1971210"; }))  // 0x1E140A
      << settings::Get(L"Background Color").value_or("(none)");

  PickColor("PushButton7", 255, 0, 0, IDCANCEL);
  PickColor("PushButton8", 0, 255, 0, IDCANCEL);
  // A tick is handled only after the last pick has stored its colour.
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  Wethrix().TimerTick();
  ExpectQuietRefreshAfter(refreshes);
  EXPECT_EQ(settings::Get(L"Font Color"), "197121");
  EXPECT_EQ(settings::Get(L"Background Color"), "1971210");
}

TEST_F(FirstRun, StartupOptionsWriteAndRemoveTheQuotedRunEntry) {
  std::string quoted_program = (Wethrix().Folder() / "Wethrix.exe").string();
  quoted_program.insert(quoted_program.begin(), '"');
  quoted_program.push_back('"');
  Wethrix().Click("Check3");
  ASSERT_TRUE(WaitUntil([] { return settings::Get(L"Windows Startup") == "On"; }));
  EXPECT_TRUE(WaitUntil([] { return run_key::Get(kRunValueName).has_value(); }));
  EXPECT_EQ(run_key::Get(kRunValueName), quoted_program);
  EXPECT_TRUE(WaitUntil([] { return Wethrix().Visible("Check8"); }));

  Wethrix().Click("Check8");
  ASSERT_TRUE(WaitUntil([] { return settings::Get(L"Minimized") == "On"; }));

  Wethrix().Click("Check3");
  ASSERT_TRUE(WaitUntil([] { return settings::Get(L"Windows Startup") == "Off"; }));
  EXPECT_TRUE(WaitUntil([] { return settings::Get(L"Minimized") == "Off"; }));
  EXPECT_TRUE(WaitUntil([] { return !Wethrix().Checked("Check8"); }));
  EXPECT_TRUE(WaitUntil([] { return !Wethrix().Visible("Check8"); }));
  EXPECT_TRUE(WaitUntil([] { return !run_key::Get(kRunValueName).has_value(); }));
}

TEST_F(FirstRun, MinimisingHidesIntoTheTrayAndTheTrayIconBringsItBack) {
  Wethrix().Minimize();
  ASSERT_TRUE(WaitUntil([] { return !::IsWindowVisible(Wethrix().MainWindow()); }));
  Wethrix().TrayMessage(WM_LBUTTONUP);
  ASSERT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); }));
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowActive(); }));
}

TEST_F(FirstRun, ASecondStartBringsThisCopyBackAndEndsWithoutATraceOfItsOwn) {
  Wethrix().Minimize();
  ASSERT_TRUE(WaitUntil([] { return !::IsWindowVisible(Wethrix().MainWindow()); }));
  const auto stored = settings::StoredValues();
  const std::size_t requests = RequestCount();
  const test_support::TempFolder portable(u8"wethrix second copy");  // another copy counts the same
  WethrixDriver second(portable.Path());
  second.Launch();

  ASSERT_TRUE(second.WaitForEnd(20s)) << "the second start runs on";
  EXPECT_EQ(second.ExitCode(), 0U);
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); })) << "the running copy comes back";
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowActive(); }));
  EXPECT_FALSE(Area().HeardFrom(second.ProcessId())) << "no second icon";
  EXPECT_EQ(RequestCount(), requests);
  EXPECT_EQ(settings::StoredValues(), stored);
  EXPECT_FALSE(std::filesystem::exists(portable.Path() / "CurTemp.bmp"));
  EXPECT_TRUE(std::filesystem::exists(ConverterFile())) << "the running copy's converter stays";
}

TEST_F(FirstRun, ClosingEndsTheProcessAndRemovesTheConverterAndTheTrayIcon) {
  ClosingEndsEverything();
}

// ---------------------------------------------------------------------------------------------
// A run that starts hidden with a wrong key, then meets a service that goes away and comes back.

class HiddenStartWithAWrongKey : public Session {
 protected:
  static void SetUpTestSuite() {
    standin::ComeBack();
    Begin({{L"APIKey", L"wrong-key"}, {L"Windows Startup", L"On"}, {L"Minimized", L"On"}});
  }

  static void TearDownTestSuite() {
    standin::ComeBack();
    Session::TearDownTestSuite();
  }

  static bool NoApplicationError() {
    for (const std::string& caption : Wethrix().MessageBoxCaptions()) {
      if (caption == kApplicationError) return false;
    }
    return true;
  }
};

TEST_F(HiddenStartWithAWrongKey, StartsInTheTrayWithTheRefusedKeyAndNoBox) {
  ASSERT_TRUE(WaitUntil([] { return Contains(Wethrix().Text("Label2"), kRefusedKey); }))
      << Wethrix().Text("Label2");
  EXPECT_TRUE(WaitUntil([] { return !::IsWindowVisible(Wethrix().MainWindow()); }));
  EXPECT_TRUE(IconInTheArea());
  EXPECT_TRUE(Wethrix().Checked("Check3"));
  EXPECT_TRUE(Wethrix().Checked("Check8"));
  ExpectQuietRefreshAfter(0);
  EXPECT_EQ(run_key::Get(kRunValueName), std::nullopt) << "a stored tick leaves the Run key alone";
}

TEST_F(HiddenStartWithAWrongKey, TheTimerRefreshesQuietly) {
  const std::size_t before = RequestCount();
  EXPECT_EQ(RequestsOfTheNextTickRound(), before + 1);
  EXPECT_TRUE(Contains(standin::Requests().back(), "APPID=wrong-key"));
}

TEST_F(HiddenStartWithAWrongKey, TheTrayIconRestoresAndFocusesTheWindow) {
  Wethrix().TrayMessage(WM_LBUTTONUP);
  ASSERT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); }));
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowActive(); }));
}

TEST_F(HiddenStartWithAWrongKey, AUnitChangeSaysTheKeyIsNotCorrect) {
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  Wethrix().Click("Option5");
  DismissBoxSaying("Your API Key is not correct");
  EXPECT_TRUE(Wethrix().WaitForRefreshAfter(refreshes));
  EXPECT_TRUE(Contains(Wethrix().Text("Label2"), kRefusedKey));
}

TEST_F(HiddenStartWithAWrongKey, AfterAWakeWithTheServiceDownItAsksAgainSoonAndReadsOnceItIsBack) {
  settings::Set(L"APIKey", L"demo-key");
  standin::GoDown();
  const std::uint32_t woken = Wethrix().FinishedRefreshes() + 1;
  ASSERT_TRUE(Wethrix().PowerResume());
  EXPECT_TRUE(Contains(Wethrix().Text("Label2"),
                       "San Diego CA is unavailable because the weather service could not be reached."))
      << Wethrix().Text("Label2");
  EXPECT_TRUE(WaitUntil([woken] { return Wethrix().FinishedRefreshes() >= woken + 2; }, 25s))
      << "two more tries within 25 s, not the next tick";
  EXPECT_TRUE(Wethrix().MessageBoxTexts().empty()) << "the tries are silent";

  standin::ComeBack();
  EXPECT_TRUE(WaitUntil([] { return Wethrix().Text("Label2") == Reading("San Diego", 16, 'C'); }, 15s))
      << Wethrix().Text("Label2");
  (void)RequestsOfTheNextTickRound();  // the round that read it has ended too
  EXPECT_TRUE(NoApplicationError());
}

TEST_F(HiddenStartWithAWrongKey, AResumeFromSleepRefreshesExactlyOnce) {
  const std::size_t before = RequestCount();
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  // Sent, so it returns only after every refresh its handler starts.
  ASSERT_TRUE(Wethrix().PowerResume());
  EXPECT_EQ(Wethrix().FinishedRefreshes(), refreshes + 1);
  EXPECT_EQ(RequestCount(), before + 1);
  EXPECT_EQ(Wethrix().Text("Label2"), Reading("San Diego", 16, 'C'));
  EXPECT_TRUE(NoApplicationError());
}

TEST_F(HiddenStartWithAWrongKey, ALaterMinimiseHidesAgainAndTheRightButtonRestores) {
  Wethrix().Minimize();
  ASSERT_TRUE(WaitUntil([] { return !::IsWindowVisible(Wethrix().MainWindow()); }));
  Wethrix().TrayMessage(WM_RBUTTONUP);
  ASSERT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); }));
}

TEST_F(HiddenStartWithAWrongKey, ClosingEndsTheProcessAndRemovesTheConverterAndTheTrayIcon) {
  ClosingEndsEverything();
}

// ---------------------------------------------------------------------------------------------
// A start in the tray while the service hangs, so the first refresh waits as it does at a logon
// before the network is up.

class HiddenStartWhileTheServiceHangs : public Session {
 protected:
  static void SetUpTestSuite() {
    standin::Hold();
    Begin({{L"APIKey", L"demo-key"}, {L"Minimized", L"On"}});
  }

  static void TearDownTestSuite() {
    standin::Release();
    Session::TearDownTestSuite();
  }
};

TEST_F(HiddenStartWhileTheServiceHangs, TheWindowNeverShowsAndATrayClickMeanwhileStands) {
  ASSERT_TRUE(WaitUntil([] { return RequestCount() == 1; })) << "the first refresh asks at once";
  EXPECT_FALSE(::IsWindowVisible(Wethrix().MainWindow())) << "not even minimised on the taskbar";
  EXPECT_FALSE(Wethrix().MainWindowActive());
  EXPECT_TRUE(IconInTheArea());

  Wethrix().TrayMessage(WM_LBUTTONUP);
  ASSERT_TRUE(WaitUntil([] { return Wethrix().MainWindowShown(); }));
  EXPECT_TRUE(WaitUntil([] { return Wethrix().MainWindowActive(); }));
  standin::Release();
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(0));
  ASSERT_TRUE(Wethrix().RoundTrip());
  EXPECT_TRUE(Wethrix().MainWindowShown()) << "the first refresh's end hides nothing";
  EXPECT_EQ(Wethrix().Text("Label2"), Reading("San Diego", 61, 'F'));
}

TEST_F(HiddenStartWhileTheServiceHangs, ClosingEndsTheProcessAndRemovesTheConverterAndTheTrayIcon) {
  ClosingEndsEverything();
}

// ---------------------------------------------------------------------------------------------
// The end of the session: asked first, then cancelled by another program, then for real.

class EndOfSession : public Session {
 protected:
  static void SetUpTestSuite() { Begin({{L"APIKey", L"demo-key"}}); }
};

TEST_F(EndOfSession, ACancelledEndLeavesTheProgramRunningAndARealOneEndsItAsClosing) {
  ASSERT_TRUE(Wethrix().WaitForRefreshAfter(0));
  EXPECT_EQ(Wethrix().QueryEndSession(), std::optional<LRESULT>{TRUE}) << "it may end";
  EXPECT_TRUE(Wethrix().EndSession(false).has_value()) << "another program cancelled";
  const std::uint32_t refreshes = Wethrix().FinishedRefreshes();
  Wethrix().TimerTick();
  ExpectQuietRefreshAfter(refreshes);
  EXPECT_TRUE(IconInTheArea());
  EXPECT_TRUE(std::filesystem::exists(ConverterFile()));

  (void)Wethrix().EndSession(true);
  ASSERT_TRUE(Wethrix().WaitForEnd());
  ExpectEndedAsClosing();
}

}  // namespace
}  // namespace wethrix::acceptance
