#pragma once
#include "platform/environment.hpp"

namespace wethrix::win32 {

// The running process as Win32 reports it; resources come from the program's own file.
class Win32Environment final : public Environment {
 public:
  [[nodiscard]] std::optional<std::string> Variable(std::string_view name) const override;
  [[nodiscard]] std::string ProgramPath() const override;
  [[nodiscard]] std::string ProgramFolder() const override;
  [[nodiscard]] std::string SystemTempFolder() const override;
  [[nodiscard]] std::string LocalAppDataFolder() const override;
  [[nodiscard]] Bytes Resource(std::string_view type, int id) const override;
  [[nodiscard]] std::string DecimalSeparator() const override;
};

}  // namespace wethrix::win32
