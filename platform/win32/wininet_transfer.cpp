#include "platform/win32/wininet_transfer.hpp"

#include <algorithm>

#include "platform/win32/check.hpp"
#include "platform/win32/wide.hpp"

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
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                      INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI |
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

}  // namespace

WinInetTransfer::WinInetTransfer() : finished_(NewFinishedEvent()), finished_waitable_(finished_.get()) {}

WinInetTransfer::~WinInetTransfer() {
  Cancel();
  JoinWorker();
}

bool WinInetTransfer::Begin(const std::string& url, HttpTimeouts timeouts) {
  if (StillExecuting()) return false;
  JoinWorker();
  {
    const std::lock_guard lock(flight_.mutex);
    flight_.cancelled = false;
    flight_.deadline = std::chrono::steady_clock::now() + timeouts.total;
    flight_.reply = {};
  }
  ThrowIfFalse(::ResetEvent(finished_.get()));
  url_ = url;
  timeouts_ = timeouts;
  worker_.reset(::CreateThread(nullptr, 0, &WorkerMain, this, 0, nullptr));
  if (!worker_) ThrowLastError();
  return true;
}

bool WinInetTransfer::StillExecuting() const {
  return worker_ && !finished_waitable_.Done();
}

void WinInetTransfer::Cancel() {
  const std::lock_guard lock(flight_.mutex);
  flight_.cancelled = true;
  flight_.request.reset();
}

HttpReply WinInetTransfer::TakeReply() {
  if (StillExecuting()) return {};
  JoinWorker();
  const std::lock_guard lock(flight_.mutex);
  return std::exchange(flight_.reply, {});
}

bool WinInetTransfer::HandOver(unique_hinternet request) {
  const std::lock_guard lock(flight_.mutex);
  if (flight_.cancelled) return false;
  flight_.request = std::move(request);
  return true;
}

// Cancelled, or past the transfer's total time, which the worker keeps itself between reads.
bool WinInetTransfer::GivenUp() {
  const std::lock_guard lock(flight_.mutex);
  return flight_.cancelled || std::chrono::steady_clock::now() >= flight_.deadline;
}

void WinInetTransfer::Finish(HttpReply reply) {
  {
    const std::lock_guard lock(flight_.mutex);
    if (!reply.reached &&
        (flight_.cancelled || std::chrono::steady_clock::now() + kClockSlack >= flight_.deadline))
      reply.timed_out = true;
    flight_.reply = std::move(reply);
    flight_.request.reset();
  }
  ::SetEvent(finished_.get());
}

DWORD WINAPI WinInetTransfer::WorkerMain(void* transfer) {
  static_cast<WinInetTransfer*>(transfer)->Run();
  return 0;
}

void WinInetTransfer::JoinWorker() noexcept {
  if (!worker_) return;
  ::WaitForSingleObject(worker_.get(), INFINITE);
  worker_.reset();
}

void WinInetTransfer::Run() noexcept {
  Connection parents;  // declared first so it closes last, after the request
  HttpReply reply;
  try {
    reply = Fetch(url_, timeouts_, parents);
  } catch (const std::exception&) {
    reply = {};
  }
  Finish(std::move(reply));
}

HttpReply WinInetTransfer::Fetch(const std::string& url, HttpTimeouts timeouts, Connection& parents) {
  const UrlParts parts = CrackUrl(Widen(url));
  parents.session = OpenSession(timeouts);
  parents.connection.reset(::InternetConnectW(parents.session.get(), parts.host.c_str(), parts.port, nullptr,
                                              nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!parents.connection) ThrowLastError();
  unique_hinternet owned = OpenRequest(parents.connection.get(), parts, timeouts);
  const HINTERNET request = owned.get();
  if (!HandOver(std::move(owned))) return Failed(ERROR_INTERNET_TIMEOUT);

  if (!::HttpSendRequestW(request, kCloseAfterReply, static_cast<DWORD>(-1), nullptr, 0)) {
    return Failed(::GetLastError());
  }
  HttpReply reply{true, false, StatusCode(request), {}};
  // No status line at all: the connection closed before any reply, which is no answer.
  if (reply.status == 0) return Failed(ERROR_HTTP_INVALID_SERVER_RESPONSE);
  char chunk[kReadChunk];
  DWORD read = 0;
  while (reply.body.size() < kMaxBody) {
    if (GivenUp()) return Failed(ERROR_INTERNET_TIMEOUT);
    if (!::InternetReadFile(request, chunk, kReadChunk, &read)) return Failed(::GetLastError());
    if (read == 0) break;
    reply.body.append(chunk, read);
  }
  return reply;
}

}  // namespace wethrix::win32
