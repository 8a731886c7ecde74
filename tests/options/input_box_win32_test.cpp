// The input box driven like a user would.
#include "platform/win32/services/dialogs.hpp"
#include "platform/win32/services/input_box.hpp"
#include "tests/options/dialog_driver.hpp"

namespace wethrix {
namespace {

using test::Field;
using test::Press;
using test::TextOf;
using test::Type;
using test::WithScript;

TEST(InputBoxWin32Test, TypingReplacesTheSelectedDefaultAndEnterConfirms) {
  const std::string answer =
      WithScript({L"Typing test",
                  [](HWND dialog) {
                    HWND field = Field(dialog);
                    Type(field, L"Paris France");
                    Press(field, VK_RETURN);
                  }},
                 [] { return win32::RunInputBox(nullptr, "Where?", "Typing test", "San Diego"); });
  EXPECT_EQ(answer, "Paris France");
}

TEST(InputBoxWin32Test, OkWithTheDefaultReturnsItUntouched) {
  const std::string answer =
      WithScript({L"Default test", [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDOK, 0); }},
                 [] { return win32::RunInputBox(nullptr, "Where?", "Default test", "  Zürich  "); });
  EXPECT_EQ(answer, "  Zürich  ");
}

TEST(InputBoxWin32Test, EscapeAndCancelReturnTheEmptyText) {
  const std::string escaped =
      WithScript({L"Escape test", [](HWND dialog) { Press(Field(dialog), VK_ESCAPE); }},
                 [] { return win32::RunInputBox(nullptr, "Where?", "Escape test", "kept"); });
  EXPECT_EQ(escaped, "");
  const std::string cancelled =
      WithScript({L"Cancel test", [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); }},
                 [] { return win32::RunInputBox(nullptr, "Where?", "Cancel test", "kept"); });
  EXPECT_EQ(cancelled, "");
}

TEST(InputBoxWin32Test, WithoutATitleTheApplicationTitleIsTheCaption) {
  win32::Win32Dialogs dialogs("Wethrix");
  const std::string answer =
      WithScript({L"Wethrix", [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDOK, 0); }},
                 [&] { return dialogs.InputBox("Where?", "", "San Diego"); });
  EXPECT_EQ(answer, "San Diego");
}

TEST(InputBoxWin32Test, ShowsThePromptWithItsLineBreaks) {
  std::wstring prompt;
  static_cast<void>(
      WithScript({L"Prompt test",
                  [&](HWND dialog) {
                    prompt = TextOf(::FindWindowExW(dialog, nullptr, L"Static", nullptr));
                    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
                  }},
                 [] { return win32::RunInputBox(nullptr, "One\r\n\r\nThree", "Prompt test", ""); }));
  EXPECT_EQ(prompt, L"One\r\n\r\nThree");
}

}  // namespace
}  // namespace wethrix
