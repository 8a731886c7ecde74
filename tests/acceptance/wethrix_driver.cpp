#include "tests/acceptance/wethrix_driver.hpp"

#include <wininet.h>

#include <algorithm>
#include <stdexcept>

#include "app/main_layout.hpp"
#include "options/key_dialog_layout.hpp"
#include "platform/win32/services/wide.hpp"
#include "platform/win32/windows/main_window.hpp"

namespace wethrix::acceptance {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kFirstControlId = 100;  // of the main window and the key dialog alike
constexpr UINT kTrayCallback = 0x465;
constexpr UINT_PTR kTimer1Id = 1;
constexpr UINT kSendLimitMs = 5000;
constexpr UINT kHandleLimitMs = 20000;  // a sent message whose handler refreshes
constexpr DWORD kPollMs = 25;

void PumpOwnMessages() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageW(&msg);
}

std::wstring ClassName(HWND window) {
  std::wstring name(256, L'\0');
  name.resize(static_cast<std::size_t>(::GetClassNameW(window, name.data(), static_cast<int>(name.size()))));
  return name;
}

using unique_hinternet_handle = win32::unique_handle<HINTERNET, &::InternetCloseHandle>;

std::string HttpGet(const std::wstring& path) {
  const std::wstring url = EnvironmentVariable(L"WETHRIX_API_BASE") + path;
  const unique_hinternet_handle session(
      ::InternetOpenW(L"WethrixAcceptance", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
  const unique_hinternet_handle request(::InternetOpenUrlW(
      session.get(), url.c_str(), nullptr, 0, INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
  if (!request) throw std::runtime_error("the weather stand-in does not answer");
  std::string body;
  char buffer[4096];
  DWORD read = 0;
  while (::InternetReadFile(request.get(), buffer, sizeof buffer, &read) && read > 0) {
    body.append(buffer, read);
  }
  return body;
}

// A REG_SZ value under HKEY_CURRENT_USER, or nothing when it is missing or of another type.
std::optional<std::string> ReadText(const wchar_t* key, const std::wstring& name) {
  DWORD size = 0;
  if (::RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &size) !=
      ERROR_SUCCESS) {
    return std::nullopt;
  }
  std::wstring value(size / sizeof(wchar_t), L'\0');
  ::RegGetValueW(HKEY_CURRENT_USER, key, name.c_str(), RRF_RT_REG_SZ, nullptr, value.data(), &size);
  value.resize(size / sizeof(wchar_t));
  while (!value.empty() && value.back() == L'\0') value.pop_back();
  return win32::Narrow(value);
}

bool HasChildOfClass(HWND window, const std::wstring& child_class) {
  return ::FindWindowExW(window, nullptr, child_class.c_str(), nullptr) != nullptr;
}

}  // namespace

std::wstring EnvironmentVariable(const wchar_t* name) {
  std::wstring value(32767, L'\0');
  const DWORD length = ::GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
  value.resize(length);
  return value;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds limit) {
  const auto end = std::chrono::steady_clock::now() + limit;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    PumpOwnMessages();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kPollMs, QS_ALLINPUT);
  }
  return true;
}

namespace settings {

void Clear() {
  ::RegDeleteTreeW(HKEY_CURRENT_USER, kSettingsKey);
}

void Set(const std::wstring& key, const std::wstring& value) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, key.c_str(), REG_SZ, value.c_str(),
                    static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void SetBinary(const std::wstring& key, const std::vector<BYTE>& bytes) {
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kSettingsKey, key.c_str(), REG_BINARY, bytes.data(),
                    static_cast<DWORD>(bytes.size()));
}

std::optional<std::string> Get(const std::wstring& key) {
  return ReadText(kSettingsKey, key);
}

}  // namespace settings

void BeginSession() {
  settings::Clear();
  settings::Set(L"APIKey", L"demo-key");
  standin::Reset();
}

namespace run_key {

std::optional<std::string> Get(const std::wstring& name) {
  return ReadText(kRunKey, name);
}

void Remove(const std::wstring& name) {
  ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kRunKey, name.c_str());
}

}  // namespace run_key

namespace standin {

namespace {

std::vector<std::string> Lines(const std::wstring& path) {
  std::vector<std::string> lines;
  const std::string body = HttpGet(path);
  std::size_t start = 0;
  while (start < body.size()) {
    const std::size_t end = std::min(body.find('\n', start), body.size());
    lines.push_back(body.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

}  // namespace

std::vector<std::string> Requests() {
  return Lines(L"/__log");
}

std::vector<double> RequestTimes() {
  std::vector<double> times;
  for (const std::string& line : Lines(L"/__times")) times.push_back(std::stod(line));
  return times;
}

void Reset() {
  (void)HttpGet(L"/__reset");
}

void GoDown() {
  (void)HttpGet(L"/__down");
}

void ComeBack() {
  (void)HttpGet(L"/__up");
}

void Hold() {
  (void)HttpGet(L"/__hold");
}

void Release() {
  (void)HttpGet(L"/__release");
}

void SetKelvin(std::string_view place, double kelvin) {
  std::wstring query = L"/__kelvin?place=";
  for (const char c : place) {
    query += c == ' ' ? std::wstring(L"%20") : std::wstring(1, static_cast<wchar_t>(c));
  }
  (void)HttpGet(query + L"&k=" + std::to_wstring(kelvin));
}

void PresentCertificate(std::string_view way) {
  (void)HttpGet(L"/__certificate?way=" + win32::Widen(std::string(way)));
}

void ProxyAnswers(std::string_view answer) {
  (void)HttpGet(L"/__proxy?answer=" + win32::Widen(std::string(answer)));
}

}  // namespace standin

std::string WindowText(HWND window) {
  DWORD_PTR length = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length);
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  ::SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_ABORTIFHUNG, 5000, &copied);
  text.resize(copied);
  return win32::Narrow(text);
}

void SetEditText(HWND edit, const std::string& text) {
  const std::wstring wide = win32::Widen(text);
  DWORD_PTR ignored = 0;
  ::SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(wide.c_str()), SMTO_ABORTIFHUNG,
                        kSendLimitMs, &ignored);
}

void Type(HWND edit, const std::string& text) {
  for (const wchar_t unit : win32::Widen(text)) ::PostMessageW(edit, WM_CHAR, unit, 1);
}

void PressButton(HWND dialog, int id) {
  ::PostMessageW(::GetDlgItem(dialog, id), BM_CLICK, 0, 0);
}

HWND KeyDialogControl(HWND dialog, std::string_view name) {
  const auto design = KeyDialogDesign();
  const auto found = std::ranges::find(design, name, &ControlDesign::name);
  if (found == design.end()) throw std::invalid_argument("no key dialog control named " + std::string(name));
  return ::GetDlgItem(dialog, kFirstControlId + static_cast<int>(found - design.begin()));
}

WethrixDriver::WethrixDriver(std::filesystem::path folder) : folder_(std::move(folder)) {
  std::filesystem::create_directories(folder_);
  std::filesystem::copy_file(EnvironmentVariable(L"WETHRIX_EXE"), folder_ / "Wethrix.exe",
                             std::filesystem::copy_options::overwrite_existing);
}

WethrixDriver::~WethrixDriver() {
  if (Running()) {
    ::TerminateProcess(process_.get(), 1);
    ::WaitForSingleObject(process_.get(), 10000);
  }
}

void WethrixDriver::Start() {
  Launch();
  if (!WaitUntil([this] {
        for (HWND window : OwnTopLevelWindows()) {
          if (ClassName(window) == L"WethrixMainWindow") main_ = window;
        }
        return main_ != nullptr;
      })) {
    throw std::runtime_error("Wethrix.exe showed no main window");
  }
}

void WethrixDriver::Launch() {
  const std::wstring program = (folder_ / "Wethrix.exe").wstring();
  std::wstring command_line = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  // Under Wine a process start fails now and then (about once in a few hundred starts here), with
  // the program never run; another try is what a user would do.
  constexpr int kTries = 3;
  DWORD error = 0;
  for (int attempt = 0; attempt < kTries; ++attempt) {
    if (::CreateProcessW(program.c_str(), command_line.data(), nullptr, nullptr, FALSE, 0, nullptr,
                         folder_.wstring().c_str(), &startup, &info) != FALSE) {
      error = 0;
      break;
    }
    error = ::GetLastError();
  }
  if (error != 0) throw std::runtime_error("Wethrix.exe did not start: error " + std::to_string(error));
  process_.reset(info.hProcess);
  win32::unique_kernel_handle thread(info.hThread);
  process_id_ = info.dwProcessId;
}

std::vector<HWND> WethrixDriver::OwnTopLevelWindows() const {
  struct Search {
    DWORD process_id;
    std::vector<HWND> found;
  } search{process_id_, {}};
  ::EnumWindows(
      [](HWND window, LPARAM context) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(context);
        DWORD owner = 0;
        ::GetWindowThreadProcessId(window, &owner);
        if (owner == s.process_id) s.found.push_back(window);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

HWND WethrixDriver::Control(std::string_view name) const {
  const auto design = MainWindowDesign();
  for (std::size_t i = 0; i < design.size(); ++i) {
    if (FullName(design[i]) != name) continue;
    struct Search {
      int id;
      HWND found;
    } search{kFirstControlId + static_cast<int>(i), nullptr};
    ::EnumChildWindows(
        main_,
        [](HWND child, LPARAM context) -> BOOL {
          auto& s = *reinterpret_cast<Search*>(context);
          if (::GetDlgCtrlID(child) == s.id) s.found = child;
          return s.found == nullptr ? TRUE : FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
  }
  throw std::invalid_argument("no control named " + std::string(name));
}

std::string WethrixDriver::Text(std::string_view name) const {
  return WindowText(Control(name));
}

bool WethrixDriver::Checked(std::string_view name) const {
  DWORD_PTR state = 0;
  ::SendMessageTimeoutW(Control(name), BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
  return state == BST_CHECKED;
}

bool WethrixDriver::Visible(std::string_view name) const {
  return ::IsWindowVisible(Control(name)) != FALSE;
}

void WethrixDriver::Click(std::string_view name) const {
  ::PostMessageW(Control(name), BM_CLICK, 0, 0);
}

HWND WethrixDriver::FindOwnWindow(const std::wstring& caption) const {
  for (HWND window : OwnTopLevelWindows()) {
    if (window != main_ && ::IsWindowVisible(window) != FALSE &&
        win32::Widen(WindowText(window)) == caption) {
      return window;
    }
  }
  return nullptr;
}

HWND WethrixDriver::WaitForOwnWindow(const std::wstring& caption, std::chrono::milliseconds limit) const {
  HWND found = nullptr;
  (void)WaitUntil([&] { return (found = FindOwnWindow(caption)) != nullptr; }, limit);
  return found;
}

HWND WethrixDriver::WaitForDialog(const std::wstring& caption, const std::wstring& child_class,
                                  std::chrono::milliseconds limit) const {
  HWND found = nullptr;
  (void)WaitUntil(
      [&] {
        for (HWND window : OwnTopLevelWindows()) {
          if (ClassName(window) == kDialogClass && ::IsWindowVisible(window) != FALSE &&
              win32::Widen(WindowText(window)) == caption && HasChildOfClass(window, child_class)) {
            found = window;
          }
        }
        return found != nullptr;
      },
      limit);
  return found;
}

std::vector<HWND> WethrixDriver::MessageBoxes() const {
  std::vector<HWND> boxes;
  for (HWND window : OwnTopLevelWindows()) {
    if (ClassName(window) == kDialogClass && ::IsWindowVisible(window) != FALSE &&
        ::GetDlgItem(window, kMessageBoxTextId) != nullptr) {
      boxes.push_back(window);
    }
  }
  return boxes;
}

std::vector<std::string> WethrixDriver::MessageBoxTexts() const {
  std::vector<std::string> texts;
  for (HWND box : MessageBoxes()) texts.push_back(WindowText(::GetDlgItem(box, kMessageBoxTextId)));
  return texts;
}

std::vector<std::string> WethrixDriver::MessageBoxCaptions() const {
  std::vector<std::string> captions;
  for (HWND box : MessageBoxes()) captions.push_back(WindowText(box));
  return captions;
}

int WethrixDriver::DismissMessageBoxes() const {
  const auto boxes = MessageBoxes();
  for (HWND box : boxes) PressButton(box, IDOK);
  (void)WaitUntil([this] { return MessageBoxes().empty(); });
  return static_cast<int>(boxes.size());
}

void WethrixDriver::TrayMessage(UINT mouse_message) const {
  ::PostMessageW(TrayWindow(), kTrayCallback, 0, mouse_message);
}

HWND WethrixDriver::TrayWindow() const {
  for (HWND window : OwnTopLevelWindows()) {
    if (ClassName(window) == L"WethrixTrayWindow") return window;
  }
  return nullptr;
}

void WethrixDriver::TimerTick() const {
  ::PostMessageW(main_, WM_TIMER, kTimer1Id, 0);
}

std::optional<LRESULT> WethrixDriver::Send(UINT message, WPARAM wparam) const {
  DWORD_PTR result = 0;
  if (::SendMessageTimeoutW(main_, message, wparam, 0, SMTO_ABORTIFHUNG, kHandleLimitMs, &result) == 0) {
    return std::nullopt;
  }
  return static_cast<LRESULT>(result);
}

bool WethrixDriver::PowerResume() const {
  return Send(WM_POWERBROADCAST, PBT_APMRESUMEAUTOMATIC).has_value();
}

std::optional<LRESULT> WethrixDriver::QueryEndSession() const {
  return Send(WM_QUERYENDSESSION, 0);
}

std::optional<LRESULT> WethrixDriver::EndSession(bool ending) const {
  return Send(WM_ENDSESSION, ending ? TRUE : FALSE);
}

bool WethrixDriver::RoundTrip() const {
  return Send(WM_NULL, 0).has_value();
}

std::uint32_t WethrixDriver::FinishedRefreshes() const {
  return static_cast<std::uint32_t>(
      reinterpret_cast<std::uintptr_t>(::GetPropW(main_, win32::kFinishedRefreshesProperty)));
}

bool WethrixDriver::WaitForRefreshAfter(std::uint32_t count, std::chrono::milliseconds limit) const {
  (void)WaitUntil([&] { return FinishedRefreshes() > count || !MessageBoxes().empty(); }, limit);
  return FinishedRefreshes() > count;
}

void WethrixDriver::Minimize() const {
  ::PostMessageW(main_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
}

bool WethrixDriver::MainWindowShown() const {
  return ::IsWindowVisible(main_) != FALSE && ::IsIconic(main_) == FALSE;
}

bool WethrixDriver::MainWindowActive() const {
  return ::GetForegroundWindow() == main_;
}

bool WethrixDriver::CloseAndWait(std::chrono::milliseconds limit) {
  ::PostMessageW(main_, WM_CLOSE, 0, 0);
  return WaitForEnd(limit);
}

bool WethrixDriver::WaitForEnd(std::chrono::milliseconds limit) const {
  return ::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

std::optional<DWORD> WethrixDriver::ExitCode() const {
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_.get(), &code) || code == STILL_ACTIVE) return std::nullopt;
  return code;
}

bool WethrixDriver::Running() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::filesystem::path ConverterFile() {
  return std::filesystem::path(EnvironmentVariable(L"TEMP")) / "nconvert.exe";
}

}  // namespace wethrix::acceptance
