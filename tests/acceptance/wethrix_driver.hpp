#pragma once
// Drives a real Wethrix.exe from outside its process, as a user and the system would: window
// messages to its controls, the tray callback message, the registry, its files and the local
// weather stand-in's request log.
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/win32/handles/unique_handle.hpp"

namespace wethrix::acceptance {

using namespace std::chrono_literals;

// Where the program keeps its settings, under HKEY_CURRENT_USER.
inline constexpr wchar_t kSettingsKey[] = L"Software\\Kestrivon\\Wethrix";
// The id of a message box's text.
inline constexpr int kMessageBoxTextId = 0xFFFF;

// Empty when the variable is not set.
[[nodiscard]] std::wstring EnvironmentVariable(const wchar_t* name);

// Waits for `condition`, letting this thread's own messages run; false when time ran out. The
// program's state lives in another process, so it is looked at again at least every poll.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit = 20s);

// The program's settings, read and written as the program stores them.
namespace settings {
void Clear();
void Set(const std::wstring& key, const std::wstring& value);
void SetBinary(const std::wstring& key, const std::vector<BYTE>& bytes);
[[nodiscard]] std::optional<std::string> Get(const std::wstring& key);  // UTF-8
}  // namespace settings

// A first start's settings but for the stand-in's key, and a stand-in that has heard nothing yet.
void BeginSession();

// The current user's Run key, where run-at-logon entries live.
namespace run_key {
[[nodiscard]] std::optional<std::string> Get(const std::wstring& name);  // UTF-8
void Remove(const std::wstring& name);
}  // namespace run_key

// The stand-in's log of request lines, and its reset.
namespace standin {
[[nodiscard]] std::vector<std::string> Requests();
// When each of them reached the stand-in, in seconds of its steady clock.
[[nodiscard]] std::vector<double> RequestTimes();
void Reset();
// While down, every weather request is logged and its connection closed without a reply.
void GoDown();
void ComeBack();
// While held, every weather request is logged and left waiting until the release, then answered.
void Hold();
void Release();
// One of the stand-in's places, as typed, has this temperature from now on.
void SetKelvin(std::string_view place, double kelvin);
// With TLS (around.sh --tls): the certificate it presents from now on (certificates.sh's names),
// and what its proxy answers ("tunnel" or "sign-in").
void PresentCertificate(std::string_view way);
void ProxyAnswers(std::string_view answer);
}  // namespace standin

class WethrixDriver {
 public:
  // Copies the program into `folder` so its image files land in a place of the test's own.
  explicit WethrixDriver(std::filesystem::path folder);
  // Drives the Wethrix.exe already in `folder`, such as an installed one.
  struct InPlace {};
  WethrixDriver(InPlace /*in_place*/, std::filesystem::path folder) : folder_(std::move(folder)) {}
  WethrixDriver(const WethrixDriver&) = delete;
  WethrixDriver& operator=(const WethrixDriver&) = delete;
  WethrixDriver(WethrixDriver&&) = delete;
  WethrixDriver& operator=(WethrixDriver&&) = delete;
  ~WethrixDriver();

  // Starts the program and waits for its main window.
  void Start();
  // Starts the program and waits for nothing.
  void Launch();
  [[nodiscard]] DWORD ProcessId() const { return process_id_; }
  [[nodiscard]] HWND MainWindow() const { return main_; }
  [[nodiscard]] bool MainWindowShown() const;
  [[nodiscard]] bool MainWindowActive() const;
  [[nodiscard]] HWND Control(std::string_view name) const;
  [[nodiscard]] std::string Text(std::string_view name) const;
  [[nodiscard]] bool Checked(std::string_view name) const;
  [[nodiscard]] bool Visible(std::string_view name) const;
  // Clicks without waiting, since a click may open a modal box.
  void Click(std::string_view name) const;
  // A top-level window of the program with this caption other than the main window, or null.
  [[nodiscard]] HWND FindOwnWindow(const std::wstring& caption) const;
  [[nodiscard]] HWND WaitForOwnWindow(const std::wstring& caption,
                                      std::chrono::milliseconds limit = 20s) const;
  // A dialog of the program (class "#32770") with this caption holding a child of this class.
  [[nodiscard]] HWND WaitForDialog(const std::wstring& caption, const std::wstring& child_class,
                                   std::chrono::milliseconds limit = 20s) const;
  // Every message box the program shows, with its text.
  [[nodiscard]] std::vector<std::string> MessageBoxTexts() const;
  [[nodiscard]] std::vector<std::string> MessageBoxCaptions() const;
  // Presses OK on every message box shown; the number dismissed.
  [[nodiscard]] int DismissMessageBoxes() const;
  // Posts the tray callback message to the tray control's window.
  void TrayMessage(UINT mouse_message) const;
  // The tray control's window, or null.
  [[nodiscard]] HWND TrayWindow() const;
  // What the system sends: Timer1's tick, a resume from sleep, the minimise command, the end of
  // the session. The tick and the minimise are posted; the others are sent as the system sends
  // them, and return once the program has handled them, refreshes included; nothing when one was
  // not handled in time.
  void TimerTick() const;
  [[nodiscard]] bool PowerResume() const;
  [[nodiscard]] std::optional<LRESULT> QueryEndSession() const;
  [[nodiscard]] std::optional<LRESULT> EndSession(bool ending) const;
  // Returns once the program has handled what was posted to its main window before.
  [[nodiscard]] bool RoundTrip() const;
  void Minimize() const;
  // How many refreshes the program has finished; it publishes the number on its main window. A
  // trigger that arrives while a refresh runs is folded into that refresh's round of one count.
  [[nodiscard]] std::uint32_t FinishedRefreshes() const;
  // Waits until more than `count` refreshes have finished or a message box shows; true in the
  // first case. A box raised by a refresh holds that refresh until dismissed, so it is seen first.
  [[nodiscard]] bool WaitForRefreshAfter(std::uint32_t count, std::chrono::milliseconds limit = 20s) const;
  // Closes the main window and waits for the process to end.
  [[nodiscard]] bool CloseAndWait(std::chrono::milliseconds limit = 30s);
  [[nodiscard]] bool WaitForEnd(std::chrono::milliseconds limit = 30s) const;
  [[nodiscard]] bool Running() const;
  // The process's exit code once it has ended.
  [[nodiscard]] std::optional<DWORD> ExitCode() const;
  [[nodiscard]] const std::filesystem::path& Folder() const { return folder_; }

 private:
  [[nodiscard]] std::vector<HWND> OwnTopLevelWindows() const;
  [[nodiscard]] std::optional<LRESULT> Send(UINT message, WPARAM wparam) const;
  [[nodiscard]] std::vector<HWND> MessageBoxes() const;

  std::filesystem::path folder_;
  win32::unique_kernel_handle process_;
  DWORD process_id_ = 0;
  HWND main_ = nullptr;
};

// Where the programs started here extract their converter: in the TEMP folder they inherit.
[[nodiscard]] std::filesystem::path ConverterFile();
// Text of any window, read across processes.
[[nodiscard]] std::string WindowText(HWND window);
// Sets an edit control's text as a paste would, so its parent hears EN_CHANGE.
void SetEditText(HWND edit, const std::string& text);
// Posts one WM_CHAR per UTF-16 unit, as typing would.
void Type(HWND edit, const std::string& text);
// Clicks the child `id` of a dialog without waiting for what it opens.
void PressButton(HWND dialog, int id);
// The key dialog's control of this name.
[[nodiscard]] HWND KeyDialogControl(HWND dialog, std::string_view name);

}  // namespace wethrix::acceptance
