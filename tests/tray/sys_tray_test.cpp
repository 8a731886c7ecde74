#include "tray/sys_tray.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/fakes/fake_tray.hpp"

namespace wethrix {
namespace {

using fakes::FakePicture;
using std::chrono::milliseconds;
using std::chrono::seconds;

PicturePtr Icon(std::uintptr_t handle) {
  return std::make_shared<FakePicture>(PictureType::kIcon, handle);
}

class SysTrayTest : public ::testing::Test {
 protected:
  std::unique_ptr<cSysTray> MakeTray(HostMode mode) {
    auto window = std::make_unique<fakes::FakeTrayWindow>();
    window_ = window.get();
    return std::make_unique<cSysTray>(std::move(window), shell_, pump_, clock_, mode);
  }
  [[nodiscard]] const fakes::SentRecord& Last() const { return shell_.sent.back(); }
  [[nodiscard]] std::size_t Sent() const { return shell_.sent.size(); }

  fakes::FakeTrayShell shell_;
  fakes::FakeClock clock_;
  fakes::FakeEventPump pump_;
  fakes::FakeTrayWindow* window_ = nullptr;
  std::unique_ptr<cSysTray> tray_ = MakeTray(HostMode::kUser);
};

TEST_F(SysTrayTest, StartsOutOfTheTrayWithTheDefaultTipAndNoIcon) {
  EXPECT_FALSE(tray_->InTray());
  EXPECT_FALSE(tray_->IconAdded());
  EXPECT_EQ(tray_->TrayTip(), "Telnet Server");
  EXPECT_EQ(tray_->TrayIcon(), nullptr);
  EXPECT_EQ(Sent(), 0U);
  EXPECT_EQ(cSysTray::Resize({1200, 90}).width, 510);
  EXPECT_EQ(cSysTray::Resize({1200, 90}).height, 510);
}

TEST_F(SysTrayTest, GoingIntoTheTrayHooksTheWindowAndAddsTheHeldTipAndIcon) {
  tray_->SetTrayTip("Wethrix");
  tray_->SetTrayIcon(Icon(0x51));
  EXPECT_EQ(Sent(), 0U) << "out of the tray the setters only store";

  tray_->SetInTray(true);
  ASSERT_EQ(Sent(), 1U);
  EXPECT_EQ(Last().message, kNimAdd);
  EXPECT_EQ(Last().record.uFlags, kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(Last().record.hIcon, 0x51U);
  EXPECT_EQ(FieldText(Last().record.szTip), u"Wethrix");
  EXPECT_EQ(Last().record.hWnd, window_->handle);
  EXPECT_TRUE(window_->Hooked());
  EXPECT_TRUE(tray_->IconAdded());
  EXPECT_TRUE(tray_->InTray());
}

TEST_F(SysTrayTest, InTheTrayIconAndTipChangesAreSentAsModifications) {
  tray_->SetInTray(true);
  tray_->SetTrayIcon(Icon(0x52));
  EXPECT_EQ(Last().message, kNimModify);
  EXPECT_EQ(Last().record.uFlags, kNifIcon);
  EXPECT_EQ(Last().record.hIcon, 0x52U);

  tray_->SetTrayTip(std::string(300, 'x'));
  EXPECT_EQ(Last().message, kNimModify);
  EXPECT_EQ(Last().record.uFlags, kNifTip);
  EXPECT_EQ(FieldText(Last().record.szTip).size(), 127U);
  EXPECT_EQ(tray_->TrayTip().size(), 300U) << "the control keeps the whole tip";

  tray_->SetTrayTip("");
  EXPECT_EQ(Last().record.uFlags, kNifTip);
  EXPECT_EQ(FieldText(Last().record.szTip), u"");
}

TEST_F(SysTrayTest, ABitmapOrNoPictureLeavesTheHeldIcon) {
  tray_->SetInTray(true);
  const PicturePtr held = Icon(0x53);
  tray_->SetTrayIcon(held);
  const std::size_t sent = Sent();
  tray_->SetTrayIcon(nullptr);
  tray_->SetTrayIcon(std::make_shared<FakePicture>(PictureType::kBitmap, 0x54));
  tray_->SetTrayIcon(std::make_shared<FakePicture>(PictureType::kNone, 0x55));
  EXPECT_EQ(Sent(), sent);
  EXPECT_EQ(tray_->TrayIcon(), held);
}

TEST_F(SysTrayTest, TheReplacedIconIsReleasedOnlyAfterTheShellHoldsTheNewOne) {
  tray_->SetInTray(true);
  PicturePtr old_icon = Icon(0x56);
  const std::weak_ptr<const Picture> watch = old_icon;
  tray_->SetTrayIcon(std::move(old_icon));
  bool alive_while_modifying = false;
  shell_.on_notify = [&](const fakes::SentRecord&) { alive_while_modifying = !watch.expired(); };
  tray_->SetTrayIcon(Icon(0x57));
  shell_.on_notify = nullptr;
  EXPECT_TRUE(alive_while_modifying);
  EXPECT_TRUE(watch.expired());
}

TEST_F(SysTrayTest, SettingInTrayToItsCurrentValueSendsNothing) {
  tray_->SetInTray(false);
  EXPECT_EQ(Sent(), 0U);
  tray_->SetInTray(true);
  tray_->SetInTray(true);
  EXPECT_EQ(Sent(), 1U);
  EXPECT_EQ(window_->HookInstalls(), 1);
}

TEST_F(SysTrayTest, LeavingTheTrayRemovesTheIconAndUnhooksTheWindow) {
  tray_->SetInTray(true);
  tray_->SetInTray(false);
  EXPECT_EQ(Last().message, kNimDelete);
  EXPECT_EQ(Last().record.uFlags, 0U);
  EXPECT_FALSE(tray_->IconAdded());
  EXPECT_FALSE(tray_->InTray());
  EXPECT_FALSE(window_->SendTrayMessage(0x202)) << "the hook must be gone";
}

TEST_F(SysTrayTest, TeardownInTheTrayRemovesTheIconAndUnhooks) {
  tray_->SetInTray(true);
  const auto* window = window_;
  const bool hooked_before = window->Hooked();
  tray_.reset();
  EXPECT_TRUE(hooked_before);
  EXPECT_EQ(Last().message, kNimDelete);
}

TEST_F(SysTrayTest, DesignModeOnlyRecordsInTray) {
  tray_ = MakeTray(HostMode::kDesign);
  tray_->SetInTray(true);
  tray_->SetTrayTip("tip");
  tray_->SetTrayIcon(Icon(0x58));
  EXPECT_TRUE(tray_->InTray());
  EXPECT_TRUE(tray_->DesignMode());
  EXPECT_FALSE(tray_->IconAdded());
  EXPECT_FALSE(window_->Hooked());
  tray_.reset();
  EXPECT_EQ(Sent(), 0U);
}

TEST_F(SysTrayTest, ShellReportsRaiseTheMatchingMouseEventOrCloseTheBalloon) {
  struct Case {
    std::uint32_t lparam;
    std::string event;  // empty: none
    bool balloon_after;
  };
  const Case cases[] = {
      {0x200, "move 0", true},
      {0x201, "down 1 0", true},
      {0x202, "up 1 0", true},
      {0x203, "dblclick 1 0", true},
      {0x204, "down 2 0", true},
      {0x205, "up 2 0", true},
      {0x206, "dblclick 2 0", true},
      {0x207, "", true},  // middle button
      {0x208, "", true},
      {0x402, "", true},  // balloon shown
      {0x403, "", false},
      {0x404, "", false},
      {0x405, "", false},
      {0x20A, "", true},
  };
  std::vector<std::string> raised;
  auto record = [&](const char* kind) {
    return [&raised, kind](TrayButton button, std::int32_t id) {
      raised.push_back(std::string(kind) + " " + std::to_string(static_cast<int>(button)) + " " +
                       std::to_string(id));
    };
  };
  tray_->OnMouseMove([&](std::int32_t id) { raised.push_back("move " + std::to_string(id)); });
  tray_->OnMouseDown(record("down"));
  tray_->OnMouseUp(record("up"));
  tray_->OnMouseDblClick(record("dblclick"));
  tray_->SetInTray(true);
  for (const auto& c : cases) {
    raised.clear();
    tray_->ShowBalloon("text", "title");
    ASSERT_TRUE(window_->SendTrayMessage(c.lparam, kTrayIconId));
    EXPECT_EQ(raised, c.event.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.event})
        << std::hex << c.lparam;
    EXPECT_EQ(tray_->BalloonVisible(), c.balloon_after) << std::hex << c.lparam;
    // The same from another program, naming an icon that is not ours, changes nothing.
    raised.clear();
    tray_->ShowBalloon("text", "title");
    ASSERT_TRUE(window_->SendTrayMessage(c.lparam, 7));
    EXPECT_EQ(raised, std::vector<std::string>{}) << std::hex << c.lparam;
    EXPECT_TRUE(tray_->BalloonVisible()) << std::hex << c.lparam;
  }
}

TEST_F(SysTrayTest, AHandlerMaySubscribeAnewWhileItRuns) {
  int first = 0;
  int second = 0;
  tray_->OnMouseUp([&](TrayButton, std::int32_t) {
    ++first;
    tray_->OnMouseUp([&](TrayButton, std::int32_t) { ++second; });
  });
  tray_->HandleTrayMessage(0x202, 0);
  tray_->HandleTrayMessage(0x202, 0);
  EXPECT_EQ(first, 1);
  EXPECT_EQ(second, 1);
}

TEST_F(SysTrayTest, ABalloonIsSentWithItsTimeoutInMillisecondsWhetherInTheTrayOrNot) {
  struct Case {
    int show_timer;
    std::uint32_t timeout;
  };
  const Case cases[] = {{0, 0}, {-3, 0}, {1, 1000}, {5, 5000}, {2147483, 2147483000}};
  pump_.on_pass = [&] { tray_->HandleTrayMessage(0x404, 0); };  // ends each wait at once
  for (const auto& c : cases) {
    tray_->ShowBalloon(
        "San Diego, 78 \xC2\xB0"
        "F",
        "Wethrix", c.show_timer);
    const auto& balloon = Last();
    EXPECT_EQ(balloon.message, kNimModify);
    EXPECT_EQ(balloon.record.uFlags, kNifInfo);
    EXPECT_EQ(balloon.record.uTimeout, c.timeout) << c.show_timer;
    EXPECT_EQ(FieldText(balloon.record.szInfo), u"San Diego, 78 \u00B0F");
    EXPECT_EQ(FieldText(balloon.record.szInfoTitle), u"Wethrix");
  }
}

TEST_F(SysTrayTest, ATimeoutBeyondThirtyTwoBitsOfMillisecondsIsAnOverflowBeforeAnythingIsSent) {
  try {
    tray_->ShowBalloon("text", "title", 2147484);
    FAIL() << "no overflow";
  } catch (const AppError& error) {
    EXPECT_EQ(error.Number(), error_number::kOverflow);
  }
  EXPECT_EQ(Sent(), 0U);
  EXPECT_FALSE(tray_->BalloonVisible());
}

TEST_F(SysTrayTest, ShowOnceAllowsOneBalloonPerControl) {
  tray_->ShowBalloon("a", "t", 0, true);
  tray_->ShowBalloon("b", "t", 0, true);
  EXPECT_EQ(Sent(), 1U);
  EXPECT_EQ(tray_->OnceCount(), 1);
  tray_->ShowBalloon("c", "t");
  tray_->ShowBalloon("d", "t");
  EXPECT_EQ(Sent(), 3U);
  EXPECT_EQ(tray_->OnceCount(), 1);
}

TEST_F(SysTrayTest, ABalloonWithoutTimerReturnsWithoutLettingEventsRun) {
  tray_->ShowBalloon("text", "title");
  EXPECT_EQ(pump_.Passes(), 0);
  EXPECT_TRUE(tray_->BalloonVisible());
}

TEST_F(SysTrayTest, TheBalloonWaitEndsEarlyWhenTheShellClosesTheBalloon) {
  pump_.clock = &clock_;
  pump_.on_pass = [&] {
    if (pump_.Passes() == 3) window_->SendTrayMessage(0x405);
  };
  tray_->SetInTray(true);
  const auto start = clock_.Now();
  tray_->ShowBalloon("text", "title", 5);
  EXPECT_EQ(pump_.Passes(), 3);
  EXPECT_LT(clock_.Now() - start, seconds(5));
  EXPECT_EQ(FieldText(Last().record.szInfo), u"text") << "no clearing after the shell closed it";
}

TEST_F(SysTrayTest, TheBalloonIsClearedWhenItsTimeRunsOut) {
  pump_.clock = &clock_;
  const auto start = clock_.Now();
  tray_->ShowBalloon("text", "title", 5);
  EXPECT_GE(clock_.Now() - start, seconds(5));
  EXPECT_LE(clock_.Now() - start, seconds(6));
  EXPECT_GT(pump_.Passes(), 1);
  EXPECT_EQ(Last().message, kNimModify);
  EXPECT_EQ(Last().record.uFlags, kNifInfo);
  EXPECT_EQ(FieldText(Last().record.szInfo), u"");
  EXPECT_EQ(FieldText(Last().record.szInfoTitle), u"");
}

TEST_F(SysTrayTest, ARestartedShellGetsTheIconAgainWithTheCurrentIconAndTip) {
  window_->BroadcastTaskbarCreated();
  EXPECT_EQ(Sent(), 0U) << "out of the tray there is nothing to re-add";
  tray_->SetInTray(true);
  tray_->SetTrayTip("Wethrix");
  tray_->SetTrayIcon(Icon(0x59));
  window_->BroadcastTaskbarCreated();
  EXPECT_EQ(Last().message, kNimAdd);
  EXPECT_EQ(Last().record.uFlags, kNifMessage | kNifIcon | kNifTip);
  EXPECT_EQ(Last().record.hIcon, 0x59U);
  EXPECT_EQ(FieldText(Last().record.szTip), u"Wethrix");
}

TEST_F(SysTrayTest, ARefusedAddIsRetriedEveryTwoSecondsUntilTheShellAccepts) {
  shell_.refused_adds = 3;
  tray_->SetInTray(true);
  EXPECT_TRUE(tray_->IconAdded());
  ASSERT_EQ(window_->retry_interval, milliseconds(2000));
  tray_->SetTrayTip("newer");
  EXPECT_TRUE(window_->TickRetryTimer());
  EXPECT_TRUE(window_->TickRetryTimer());
  EXPECT_TRUE(window_->TickRetryTimer());
  EXPECT_FALSE(window_->retry_interval.has_value()) << "accepted on the fourth add";
  EXPECT_EQ(Last().message, kNimAdd);
  EXPECT_EQ(FieldText(Last().record.szTip), u"newer");
}

TEST_F(SysTrayTest, RetriesStopAfterAMinuteOrWhenTheIconLeaves) {
  shell_.refused_adds = 1000;
  tray_->SetInTray(true);
  int ticks = 0;
  while (window_->retry_interval && ticks < 100) {
    clock_.Advance(*window_->retry_interval);
    ASSERT_TRUE(window_->TickRetryTimer());
    ++ticks;
  }
  EXPECT_EQ(ticks, 30);

  tray_->SetInTray(false);
  tray_->SetInTray(true);
  ASSERT_TRUE(window_->retry_interval.has_value());
  tray_->SetInTray(false);
  EXPECT_FALSE(window_->retry_interval.has_value());
}

}  // namespace
}  // namespace wethrix
