#pragma once
// The one way the program tells the user about an unexpected failure. A trapped procedure is a
// plain list of numbered steps; a step that fails shows the "Application Error" box and the
// procedure goes on with the next step:
//
//   ErrorTrap trap{dialogs, "in Wethrix2021/08/31.Form1.Form_Load "};
//   trap.Step(100, [&] { ... });
//   if (trap.If(106, [&] { return condition; })) trap.Step(108, [&] { ... });
//
// A callee without a trap of its own simply throws; its failure is reported under the caller's
// tag with the number of the calling step. A failure while the box itself is shown escapes.
#include <exception>
#include <string>
#include <string_view>

#include "platform/dialogs.hpp"

namespace wethrix {

inline constexpr std::string_view kSupportAddress = "support@kestrivon.example";
inline constexpr std::string_view kApplicationErrorTitle = "Application Error";

// The box's text: the description, CR LF, the tag (which ends in a space), "at line " and the
// number, two bare CRs, then the request to e-mail a screenshot.
[[nodiscard]] std::string ApplicationErrorText(std::string_view description, std::string_view tag, int line);

class ErrorTrap {
 public:
  ErrorTrap(Dialogs& dialogs, std::string_view tag) : dialogs_(dialogs), tag_(tag) {}

  template <typename Action>
  void Step(int line, Action&& action) {
    try {
      action();
    } catch (const std::exception& error) {
      Report(line, error.what());
    }
  }

  // A conditional step. A condition that fails to evaluate counts as true: the procedure
  // continues with the first step inside the conditional.
  template <typename Condition>
  [[nodiscard]] bool If(int line, Condition&& condition) {
    try {
      return static_cast<bool>(condition());
    } catch (const std::exception& error) {
      Report(line, error.what());
      return true;
    }
  }

 private:
  void Report(int line, std::string_view description);

  Dialogs& dialogs_;
  std::string tag_;
};

}  // namespace wethrix
