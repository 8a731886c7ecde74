#pragma once
// The one exception type of the program. Its description is what the error trap shows; the
// number identifies the kind of failure for callers that branch on it.
#include <stdexcept>
#include <string>

namespace wethrix {

class AppError : public std::runtime_error {
 public:
  AppError(int number, const std::string& description) : std::runtime_error(description), number_(number) {}
  [[nodiscard]] int Number() const noexcept { return number_; }

 private:
  int number_;
};

namespace error_number {
inline constexpr int kOverflow = 6;
inline constexpr int kSubscriptOutOfRange = 9;
inline constexpr int kTypeMismatch = 13;
inline constexpr int kFileNotFound = 53;
inline constexpr int kPermissionDenied = 70;
// Another program holds the file for now (a sharing, lock or access-denied violation): worth a
// second try in a moment.
inline constexpr int kFileInUse = 75;
inline constexpr int kPathNotFound = 76;
inline constexpr int kInvalidPicture = 481;
inline constexpr int kSystem = 1000;  // a Win32 failure; the description is the system's message
}  // namespace error_number

[[nodiscard]] inline AppError TypeMismatch() {
  return {error_number::kTypeMismatch, "Type mismatch"};
}
[[nodiscard]] inline AppError Overflow() {
  return {error_number::kOverflow, "Overflow"};
}
[[nodiscard]] inline AppError InvalidPicture() {
  return {error_number::kInvalidPicture, "Invalid picture"};
}

}  // namespace wethrix
