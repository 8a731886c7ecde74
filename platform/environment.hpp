#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "platform/file_system.hpp"

namespace wethrix {

// Facts about the running process and its user.
class Environment {
 public:
  virtual ~Environment() = default;
  [[nodiscard]] virtual std::optional<std::string> Variable(std::string_view name) const = 0;
  // Full path of the running executable, and its folder without a trailing backslash
  // (except a drive root such as "C:\").
  [[nodiscard]] virtual std::string ProgramPath() const = 0;
  [[nodiscard]] virtual std::string ProgramFolder() const = 0;
  // The system's temporary folder, without a trailing backslash.
  [[nodiscard]] virtual std::string SystemTempFolder() const = 0;
  // %LOCALAPPDATA%, without a trailing backslash.
  [[nodiscard]] virtual std::string LocalAppDataFolder() const = 0;
  // Bytes of a resource of the program's own file; throws AppError when it is missing.
  [[nodiscard]] virtual Bytes Resource(std::string_view type, int id) const = 0;
  // The user's locale: decimal separator ("." or ",") for text-to-number conversions.
  [[nodiscard]] virtual std::string DecimalSeparator() const = 0;
};

}  // namespace wethrix
