#pragma once
#include <cstdint>

#include "tray/notify_record.hpp"

namespace wethrix {

// The shell's notification area: the one place where tray records are handed over.
class TrayShell {
 public:
  virtual ~TrayShell() = default;
  // `message` is kNimAdd, kNimModify or kNimDelete; true when the shell accepted the record.
  [[nodiscard]] virtual bool Notify(std::uint32_t message, const NotifyRecord& record) noexcept = 0;
};

}  // namespace wethrix
