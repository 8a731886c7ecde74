#include "platform/win32/services/process_launcher.hpp"

#include <windows.h>

#include "platform/errors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/kernel_waitable.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

class Win32RunningProcess final : public RunningProcess {
 public:
  explicit Win32RunningProcess(unique_kernel_handle process)
      : process_(std::move(process)), ended_(process_.get()) {}

  [[nodiscard]] std::uint32_t ExitCode() const override {
    DWORD code = 0;
    ThrowIfFalse(::GetExitCodeProcess(process_.get(), &code));
    return code;
  }

  [[nodiscard]] const Waitable& Ended() const override { return ended_; }

  void Terminate() noexcept override { ::TerminateProcess(process_.get(), ERROR_TIMEOUT); }

 private:
  unique_kernel_handle process_;
  KernelWaitable ended_;
};

int LaunchErrorNumber(DWORD error) {
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return error_number::kFileNotFound;
  return static_cast<int>(error);
}

}  // namespace

LaunchResult Win32ProcessLauncher::Start(std::string_view command_line, int window_style) {
  std::wstring line = Widen(command_line);  // CreateProcessW may write into it
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(window_style);
  PROCESS_INFORMATION created{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &created)) {
    return {nullptr, LaunchErrorNumber(::GetLastError())};
  }
  const unique_kernel_handle thread(created.hThread);
  return {std::make_unique<Win32RunningProcess>(unique_kernel_handle(created.hProcess)), 0};
}

}  // namespace wethrix::win32
