#include "platform/win32/services/wininet_transfer.hpp"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <utility>

#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/check.hpp"
#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {
namespace {

// A weather reply is a few hundred bytes; anything far larger is not one.
constexpr std::size_t kMaxBody = 1 << 20;
constexpr DWORD kReadChunk = 8192;
// A transfer that fails when its time is up has timed out, whatever code WinINet gives the failure
// (some report a receive time-out as an aborted connection).
constexpr std::chrono::milliseconds kClockSlack{100};
// One request a minute never reuses a connection. A kept one only costs: WinINet starts a thread
// to reap its idle connections, which under Wine holds 3 MB for as long as one is pooled.
constexpr const wchar_t* kCloseAfterReply = L"Connection: close\r\n";

struct UrlParts {
  bool secure = false;
  INTERNET_PORT port = 0;
  std::wstring host;
  std::wstring path_and_query;
};

UrlParts CrackUrl(const std::wstring& url) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof(parts);
  parts.dwHostNameLength = static_cast<DWORD>(-1);
  parts.dwUrlPathLength = static_cast<DWORD>(-1);
  parts.dwExtraInfoLength = static_cast<DWORD>(-1);
  ThrowIfFalse(::InternetCrackUrlW(url.c_str(), 0, 0, &parts));
  if (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS) {
    ThrowWin32Error(ERROR_INTERNET_UNRECOGNIZED_SCHEME);
  }
  return {parts.nScheme == INTERNET_SCHEME_HTTPS, parts.nPort,
          std::wstring(parts.lpszHostName, parts.dwHostNameLength),
          std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
              std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength)};
}

DWORD Milliseconds(std::chrono::milliseconds duration) {
  return static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(duration.count(), 1));
}

void SetTimeout(HINTERNET handle, DWORD option, DWORD milliseconds) {
  ThrowIfFalse(::InternetSetOptionW(handle, option, &milliseconds, sizeof(milliseconds)));
}

// Set on the request itself: not every WinINet passes a session's time-outs down to its requests.
void SetTimeouts(HINTERNET handle, HttpTimeouts timeouts) {
  SetTimeout(handle, INTERNET_OPTION_CONNECT_TIMEOUT, Milliseconds(timeouts.connect));
  SetTimeout(handle, INTERNET_OPTION_SEND_TIMEOUT, Milliseconds(timeouts.total));
  SetTimeout(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, Milliseconds(timeouts.total));
}

unique_hinternet OpenSession(HttpTimeouts timeouts) {
  unique_hinternet session(::InternetOpenW(L"Wethrix", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!session) ThrowLastError();
  SetTimeouts(session.get(), timeouts);
  return session;
}

unique_hinternet OpenRequest(HINTERNET connection, const UrlParts& url, HttpTimeouts timeouts) {
  // The service never redirects, and a redirect followed would take the key in the query to
  // wherever it points: a 3xx is an answer like any other unexpected one.
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI | INTERNET_FLAG_NO_AUTO_REDIRECT |
                      (url.secure ? INTERNET_FLAG_SECURE : 0U);
  const wchar_t* accept[] = {L"application/json", L"*/*", nullptr};
  unique_hinternet request(
      ::HttpOpenRequestW(connection, L"GET", url.path_and_query.c_str(), nullptr, nullptr, accept, flags, 0));
  if (!request) ThrowLastError();
  SetTimeouts(request.get(), timeouts);
  return request;
}

HttpReply Failed(DWORD error) {
  return {false, error == ERROR_INTERNET_TIMEOUT, 0, {}};
}

HttpReply TimedOut() {
  return Failed(ERROR_INTERNET_TIMEOUT);
}

int StatusCode(HINTERNET request) {
  DWORD status = 0;
  DWORD size = sizeof(status);
  ThrowIfFalse(
      ::HttpQueryInfoW(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr));
  return static_cast<int>(status);
}

// Signalled while no transfer is in flight.
unique_kernel_handle NewFinishedEvent() {
  unique_kernel_handle event(::CreateEventW(nullptr, TRUE, TRUE, nullptr));
  if (!event) ThrowLastError();
  return event;
}

// The parents of a request; the worker closes them only after the request.
struct Connection {
  unique_hinternet session;
  unique_hinternet connection;
};

}  // namespace

class WinInetTransfer::Flight {
 public:
  Flight() : finished_(NewFinishedEvent()) {}

  // Starts the worker; the flight must not be running.
  void Start(const std::string& url, HttpTimeouts timeouts);
  [[nodiscard]] bool Running() const { return worker_ && !Done(); }
  [[nodiscard]] bool Done() const { return ::WaitForSingleObject(finished_.get(), 0) == WAIT_OBJECT_0; }
  [[nodiscard]] HANDLE FinishedEvent() const { return finished_.get(); }
  // Closes the request, which wakes a blocked call where the system can; what the worker gets
  // after that is dropped.
  void GiveUp();
  [[nodiscard]] bool GivenUp();
  // Joins an ended worker and drops what it left; the flight is then as new.
  void Forget() noexcept;
  void Join() noexcept;
  [[nodiscard]] HttpReply TakeReply();

 private:
  static DWORD WINAPI WorkerMain(void* flight);
  void Run() noexcept;
  [[nodiscard]] HttpReply Fetch(Connection& parents);
  // Hands the request over; false, and the request closed, when the flight was given up first.
  [[nodiscard]] bool HandOver(unique_hinternet request);
  // Given up, or past the transfer's total time, which the worker keeps itself between reads.
  [[nodiscard]] bool Over();
  void Finish(HttpReply reply);

  // Shared by the worker and the user-interface thread; guarded by `mutex_`.
  std::mutex mutex_;
  unique_hinternet request_;
  bool given_up_ = false;
  std::chrono::steady_clock::time_point deadline_;
  HttpReply reply_;

  // The transfer the worker runs; written before it starts, read only by it.
  std::string url_;
  HttpTimeouts timeouts_;

  unique_kernel_handle finished_;  // manual-reset event, set when the worker is done
  unique_kernel_handle worker_;
};

void WinInetTransfer::Flight::Start(const std::string& url, HttpTimeouts timeouts) {
  Forget();
  {
    const std::lock_guard lock(mutex_);
    deadline_ = std::chrono::steady_clock::now() + timeouts.total;
  }
  ThrowIfFalse(::ResetEvent(finished_.get()));
  url_ = url;
  timeouts_ = timeouts;
  worker_.reset(::CreateThread(nullptr, 0, &WorkerMain, this, 0, nullptr));
  if (!worker_) {
    ::SetEvent(finished_.get());
    ThrowLastError();
  }
}

void WinInetTransfer::Flight::GiveUp() {
  const std::lock_guard lock(mutex_);
  given_up_ = true;
  request_.reset();
}

bool WinInetTransfer::Flight::GivenUp() {
  const std::lock_guard lock(mutex_);
  return given_up_;
}

void WinInetTransfer::Flight::Forget() noexcept {
  Join();
  const std::lock_guard lock(mutex_);
  given_up_ = false;
  reply_ = {};
}

void WinInetTransfer::Flight::Join() noexcept {
  if (!worker_) return;
  ::WaitForSingleObject(worker_.get(), INFINITE);
  worker_.reset();
}

HttpReply WinInetTransfer::Flight::TakeReply() {
  Join();
  const std::lock_guard lock(mutex_);
  return std::exchange(reply_, {});
}

bool WinInetTransfer::Flight::HandOver(unique_hinternet request) {
  const std::lock_guard lock(mutex_);
  if (given_up_) return false;
  request_ = std::move(request);
  return true;
}

bool WinInetTransfer::Flight::Over() {
  const std::lock_guard lock(mutex_);
  return given_up_ || std::chrono::steady_clock::now() >= deadline_;
}

void WinInetTransfer::Flight::Finish(HttpReply reply) {
  {
    const std::lock_guard lock(mutex_);
    if (given_up_) {
      reply = TimedOut();  // whatever came after the transfer was given up is dropped
    } else if (!reply.reached && std::chrono::steady_clock::now() + kClockSlack >= deadline_) {
      reply.timed_out = true;
    }
    reply_ = std::move(reply);
    request_.reset();
  }
  ::SetEvent(finished_.get());
}

DWORD WINAPI WinInetTransfer::Flight::WorkerMain(void* flight) {
  static_cast<Flight*>(flight)->Run();
  return 0;
}

void WinInetTransfer::Flight::Run() noexcept {
  Connection parents;  // declared first so it closes last, after the request
  HttpReply reply;
  try {
    reply = Fetch(parents);
  } catch (const std::exception&) {
    reply = {};
  }
  Finish(std::move(reply));
}

HttpReply WinInetTransfer::Flight::Fetch(Connection& parents) {
  const UrlParts parts = CrackUrl(Widen(url_));
  parents.session = OpenSession(timeouts_);
  parents.connection.reset(::InternetConnectW(parents.session.get(), parts.host.c_str(), parts.port, nullptr,
                                              nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!parents.connection) ThrowLastError();
  unique_hinternet owned = OpenRequest(parents.connection.get(), parts, timeouts_);
  const HINTERNET request = owned.get();
  if (!HandOver(std::move(owned))) return TimedOut();

  if (!::HttpSendRequestW(request, kCloseAfterReply, static_cast<DWORD>(-1), nullptr, 0)) {
    return Failed(::GetLastError());
  }
  HttpReply reply{true, false, StatusCode(request), {}};
  // No status line at all: the connection closed before any reply, which is no answer.
  if (reply.status == 0) return Failed(ERROR_HTTP_INVALID_SERVER_RESPONSE);
  char chunk[kReadChunk];
  DWORD read = 0;
  while (reply.body.size() < kMaxBody) {
    if (Over()) return TimedOut();
    if (!::InternetReadFile(request, chunk, kReadChunk, &read)) return Failed(::GetLastError());
    if (read == 0) break;
    reply.body.append(chunk, read);
  }
  return reply;
}

std::uintptr_t WinInetTransfer::LiveFinished::NativeHandle() const {
  return reinterpret_cast<std::uintptr_t>(transfer_.live_->FinishedEvent());
}

bool WinInetTransfer::LiveFinished::Done() const {
  return transfer_.live_->Done();
}

WinInetTransfer::WinInetTransfer()
    : live_(std::make_unique<Flight>()), abandoned_(std::make_unique<Flight>()) {}

WinInetTransfer::~WinInetTransfer() {
  live_->GiveUp();
  abandoned_->GiveUp();
  live_->Join();
  abandoned_->Join();
}

bool WinInetTransfer::Begin(const std::string& url, HttpTimeouts timeouts) {
  if (live_->Running() && !(live_->GivenUp() && SetAside())) return false;
  live_->Start(url, timeouts);
  return true;
}

bool WinInetTransfer::StillExecuting() const {
  return live_->Running();
}

bool WinInetTransfer::Abandon() {
  if (!live_->Running()) return true;
  live_->GiveUp();
  return SetAside();
}

HttpReply WinInetTransfer::TakeReply() {
  if (live_->Running()) return {};
  return live_->TakeReply();
}

bool WinInetTransfer::SetAside() {
  if (abandoned_->Running()) return false;
  abandoned_->Forget();
  std::swap(live_, abandoned_);
  return true;
}

}  // namespace wethrix::win32
