#include "app/error_trap.hpp"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"

namespace wethrix {
namespace {

constexpr std::string_view kLoadTag = "in Wethrix2021/08/31.Form1.Form_Load ";

TEST(ErrorTrapTest, BuildsTheMessageFromDescriptionTagAndLine) {
  EXPECT_EQ(ApplicationErrorText("Type mismatch", kLoadTag, 146),
            "Type mismatch\r\nin Wethrix2021/08/31.Form1.Form_Load at line 146\r\r"
            "Please email screenshot of this message to support@kestrivon.example");
}

class ErrorTrapProcedureTest : public testing::Test {
 protected:
  fakes::FakeDialogs dialogs;
  ErrorTrap trap{dialogs, kLoadTag};
  std::vector<int> ran;

  [[nodiscard]] std::string BoxText(std::size_t index) const { return dialogs.boxes.at(index).text; }
};

TEST_F(ErrorTrapProcedureTest, EachFailureShowsItsOwnBoxAndTheProcedureCarriesOn) {
  trap.Step(148, [&] { ran.push_back(148); });
  trap.Step(150, [&] { throw TypeMismatch(); });
  trap.Step(152, [&] { throw std::runtime_error("Path not found"); });
  trap.Step(154, [&] { ran.push_back(154); });
  ASSERT_EQ(dialogs.boxes.size(), 2U);
  EXPECT_EQ(BoxText(0), ApplicationErrorText("Type mismatch", kLoadTag, 150));
  EXPECT_EQ(BoxText(1), ApplicationErrorText("Path not found", kLoadTag, 152));
  for (const auto& box : dialogs.boxes) {
    EXPECT_EQ(box.title, "Application Error");
    EXPECT_EQ(box.icon, BoxIcon::kWarning);
  }
  EXPECT_EQ(ran, (std::vector<int>{148, 154}));
}

TEST_F(ErrorTrapProcedureTest, AFailingCalleeIsReportedAtTheCallingLineAndTheRestOfItIsSkipped) {
  const auto callee = [&] {
    throw Overflow();
    ran.push_back(-1);  // never reached: a callee without a trap stops at its failure
  };
  trap.Step(100, [&] { ran.push_back(100); });
  trap.Step(128, callee);
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_NE(BoxText(0).find("Overflow\r\nin Wethrix2021/08/31.Form1.Form_Load at line 128\r\r"),
            std::string::npos);
  EXPECT_EQ(ran, (std::vector<int>{100}));
}

TEST_F(ErrorTrapProcedureTest, AFailingConditionEntersTheConditional) {
  EXPECT_TRUE(trap.If(106, [&]() -> bool { throw TypeMismatch(); }));
  EXPECT_FALSE(trap.If(108, [] { return false; }));
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_NE(BoxText(0).find("at line 106\r\r"), std::string::npos);
}

TEST_F(ErrorTrapProcedureTest, AFailureWhileABoxIsOpenIsNotShownOnTopOfItAndTheProcedureCarriesOn) {
  ErrorTrap tick{dialogs, "in Wethrix2021/08/31.Form1.ListTemp "};
  dialogs.while_open = [&] {  // a refresh beneath the box fails again
    tick.Step(112, [] { throw std::runtime_error("Path not found"); });
    tick.Step(114, [&] { ran.push_back(114); });
  };
  trap.Step(150, [] { throw TypeMismatch(); });
  trap.Step(152, [&] { ran.push_back(152); });
  ASSERT_EQ(dialogs.boxes.size(), 1U);
  EXPECT_EQ(BoxText(0), ApplicationErrorText("Type mismatch", kLoadTag, 150));
  EXPECT_EQ(ran, (std::vector<int>{114, 152}));

  tick.Step(112, [] { throw std::runtime_error("Path not found"); });
  EXPECT_EQ(dialogs.boxes.size(), 2U) << "once it is closed, the next failure shows";
}

TEST(ErrorTrapTest, AFailureWhileShowingTheBoxPassesToTheCaller) {
  fakes::FakeDialogs dialogs;
  dialogs.fail_boxes = true;
  ErrorTrap trap{dialogs, kLoadTag};
  EXPECT_THROW(trap.Step(100, [] { throw TypeMismatch(); }), AppError);
  EXPECT_FALSE(dialogs.MessageBoxOpen());
}

}  // namespace
}  // namespace wethrix
