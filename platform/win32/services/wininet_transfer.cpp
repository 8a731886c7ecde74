#include "platform/win32/services/wininet_transfer.hpp"

#include <algorithm>
#include <chrono>
#include <mutex>
#include <utility>

#include "platform/web_address.hpp"
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
// How long the program's end waits for a transfer's worker, which may be held in the system
// until the request's time-outs; one still running then ends with the process.
constexpr std::chrono::seconds kEndWait{1};

// The neutral reasons are WinINet's own numbers.
static_assert(http_error::kNameNotResolved == ERROR_INTERNET_NAME_NOT_RESOLVED);
static_assert(http_error::kCannotConnect == ERROR_INTERNET_CANNOT_CONNECT);
static_assert(http_error::kCertificateDateInvalid == ERROR_INTERNET_SEC_CERT_DATE_INVALID);
static_assert(http_error::kCertificateNameInvalid == ERROR_INTERNET_SEC_CERT_CN_INVALID);
static_assert(http_error::kUnknownAuthority == ERROR_INTERNET_INVALID_CA);
static_assert(http_error::kCertificateErrors == ERROR_INTERNET_SEC_CERT_ERRORS);
static_assert(http_error::kCertificateNoRevocation == ERROR_INTERNET_SEC_CERT_NO_REV);
static_assert(http_error::kCertificateRevocationFailed == ERROR_INTERNET_SEC_CERT_REV_FAILED);
static_assert(http_error::kSecureChannel == ERROR_INTERNET_SECURITY_CHANNEL_ERROR);
static_assert(http_error::kDisconnected == ERROR_INTERNET_DISCONNECTED);
static_assert(http_error::kProxyUnreachable == ERROR_INTERNET_PROXY_SERVER_UNREACHABLE);
static_assert(http_error::kCertificateInvalid == ERROR_INTERNET_SEC_INVALID_CERT);
static_assert(http_error::kCertificateRevoked == ERROR_INTERNET_SEC_CERT_REVOKED);

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

// The user's own way out (their proxy, automatic configuration, a proxy that signs them in with
// their Windows account) unless `direct`.
unique_hinternet OpenSession(HttpTimeouts timeouts, bool direct) {
  unique_hinternet session(::InternetOpenW(
      L"Wethrix", direct ? INTERNET_OPEN_TYPE_DIRECT : INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
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

// Whether the system handed the request to a proxy server, as it decided from the user's settings.
bool ViaProxy(HINTERNET request) {
  DWORD flags = 0;
  DWORD size = sizeof(flags);
  return ::InternetQueryOptionW(request, INTERNET_OPTION_REQUEST_FLAGS, &flags, &size) != FALSE &&
         (flags & INTERNET_REQFLAG_VIA_PROXY) != 0;
}

HttpReply Failed(HINTERNET request, DWORD error) {
  return {false, error == ERROR_INTERNET_TIMEOUT, 0, {}, error, ViaProxy(request)};
}

HttpReply TimedOut() {
  return {false, true, 0, {}, ERROR_INTERNET_TIMEOUT};
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
  Flight();
  Flight(const Flight&) = delete;
  Flight& operator=(const Flight&) = delete;
  Flight(Flight&&) = delete;
  Flight& operator=(Flight&&) = delete;
  ~Flight();

  // Starts the worker; the flight must not be running.
  void Start(const std::string& url, HttpTimeouts timeouts);
  [[nodiscard]] bool Running() const { return worker_ && !Done(); }
  [[nodiscard]] bool Done() const;
  [[nodiscard]] HANDLE FinishedEvent() const;
  // Marks the transfer given up: the worker stops at its next step, and what it gets after that
  // is dropped.
  void GiveUp();
  [[nodiscard]] bool GivenUp();
  // Joins an ended worker and drops what it left; the flight is then as new.
  void Forget() noexcept;
  void Join() noexcept;
  // Waits for the worker until `until` at most; one still running then goes on alone.
  void LetGo(std::chrono::steady_clock::time_point until) noexcept;
  [[nodiscard]] HttpReply TakeReply();

 private:
  struct Shared;

  static DWORD WINAPI WorkerMain(void* share);
  [[nodiscard]] static HttpReply Fetch(Shared& shared, Connection& parents);

  std::shared_ptr<Shared> shared_;
  unique_kernel_handle worker_;
};

// What a flight's worker uses. The worker holds a share of it, so one that outlives the transfer
// (the program ends while the system still holds a call) touches nothing freed.
struct WinInetTransfer::Flight::Shared {
  // Guarded by `mutex`.
  std::mutex mutex;
  bool given_up = false;
  std::chrono::steady_clock::time_point deadline;
  HttpReply reply;

  // The transfer the worker runs; written before it starts, read only by it.
  std::string url;
  HttpTimeouts timeouts;

  unique_kernel_handle finished = NewFinishedEvent();  // manual-reset, set when the worker is done

  // Given up, or past the transfer's total time, which the worker keeps itself between reads.
  [[nodiscard]] bool Over() {
    const std::lock_guard lock(mutex);
    return given_up || std::chrono::steady_clock::now() >= deadline;
  }

  void Finish(HttpReply result) {
    {
      const std::lock_guard lock(mutex);
      if (given_up) {
        result = TimedOut();  // whatever came after the transfer was given up is dropped
      } else if (!result.reached && std::chrono::steady_clock::now() + kClockSlack >= deadline) {
        result.timed_out = true;
      }
      reply = std::move(result);
    }
    ::SetEvent(finished.get());
  }
};

WinInetTransfer::Flight::Flight() : shared_(std::make_shared<Shared>()) {}

WinInetTransfer::Flight::~Flight() = default;

void WinInetTransfer::Flight::Start(const std::string& url, HttpTimeouts timeouts) {
  Forget();
  {
    const std::lock_guard lock(shared_->mutex);
    shared_->deadline = std::chrono::steady_clock::now() + timeouts.total;
  }
  ThrowIfFalse(::ResetEvent(shared_->finished.get()));
  shared_->url = url;
  shared_->timeouts = timeouts;
  auto share = std::make_unique<std::shared_ptr<Shared>>(shared_);
  worker_.reset(::CreateThread(nullptr, 0, &WorkerMain, share.get(), 0, nullptr));
  if (!worker_) {
    ::SetEvent(shared_->finished.get());
    ThrowLastError();
  }
  (void)share.release();  // the worker's now
}

bool WinInetTransfer::Flight::Done() const {
  return ::WaitForSingleObject(shared_->finished.get(), 0) == WAIT_OBJECT_0;
}

HANDLE WinInetTransfer::Flight::FinishedEvent() const {
  return shared_->finished.get();
}

void WinInetTransfer::Flight::GiveUp() {
  const std::lock_guard lock(shared_->mutex);
  shared_->given_up = true;
}

bool WinInetTransfer::Flight::GivenUp() {
  const std::lock_guard lock(shared_->mutex);
  return shared_->given_up;
}

void WinInetTransfer::Flight::Forget() noexcept {
  Join();
  const std::lock_guard lock(shared_->mutex);
  shared_->given_up = false;
  shared_->reply = {};
}

void WinInetTransfer::Flight::Join() noexcept {
  if (!worker_) return;
  ::WaitForSingleObject(worker_.get(), INFINITE);
  worker_.reset();
}

void WinInetTransfer::Flight::LetGo(std::chrono::steady_clock::time_point until) noexcept {
  if (!worker_) return;
  const auto left = std::chrono::ceil<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
  ::WaitForSingleObject(worker_.get(),
                        static_cast<DWORD>(std::max<std::chrono::milliseconds::rep>(left.count(), 0)));
  worker_.reset();
}

HttpReply WinInetTransfer::Flight::TakeReply() {
  Join();
  const std::lock_guard lock(shared_->mutex);
  return std::exchange(shared_->reply, {});
}

DWORD WINAPI WinInetTransfer::Flight::WorkerMain(void* share) {
  const std::unique_ptr<std::shared_ptr<Shared>> owned(static_cast<std::shared_ptr<Shared>*>(share));
  Shared& shared = **owned;
  Connection parents;  // declared first so it closes last, after the request
  HttpReply reply;
  try {
    reply = Fetch(shared, parents);
  } catch (const std::exception&) {
    reply = {};
  }
  shared.Finish(std::move(reply));
  return 0;
}

// Only this worker ever calls WinINet with its request, and closes it: Microsoft documents a close
// as safe only while no call is made with the handle. So nothing wakes a call from outside; each
// call ends by itself at the request's time-outs, and the body is read as it comes, a piece at a
// time, so that a transfer given up ends as soon as its next piece arrives.
HttpReply WinInetTransfer::Flight::Fetch(Shared& shared, Connection& parents) {
  const UrlParts parts = CrackUrl(Widen(shared.url));
  // A service on this machine (the tests', the demo's) is reached directly: no proxy has any
  // business there, and the key in its plain-text query would cross one in the clear.
  parents.session = OpenSession(shared.timeouts, IsLoopbackHost(Narrow(parts.host)));
  parents.connection.reset(::InternetConnectW(parents.session.get(), parts.host.c_str(), parts.port, nullptr,
                                              nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!parents.connection) ThrowLastError();
  const unique_hinternet owned = OpenRequest(parents.connection.get(), parts, shared.timeouts);
  const HINTERNET request = owned.get();
  if (shared.Over()) return TimedOut();

  if (!::HttpSendRequestW(request, kCloseAfterReply, static_cast<DWORD>(-1), nullptr, 0)) {
    return Failed(request, ::GetLastError());
  }
  HttpReply reply{true, false, StatusCode(request), {}, 0, ViaProxy(request)};
  // No status line at all: the connection closed before any reply, which is no answer.
  if (reply.status == 0) return Failed(request, ERROR_HTTP_INVALID_SERVER_RESPONSE);
  char chunk[kReadChunk];
  while (reply.body.size() < kMaxBody) {
    if (shared.Over()) return TimedOut();
    DWORD available = 0;
    if (!::InternetQueryDataAvailable(request, &available, 0, 0)) return Failed(request, ::GetLastError());
    if (available == 0) break;  // the end of the body
    DWORD read = 0;
    if (!::InternetReadFile(request, chunk, std::min(available, kReadChunk), &read)) {
      return Failed(request, ::GetLastError());
    }
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
  const auto until = std::chrono::steady_clock::now() + kEndWait;
  live_->LetGo(until);
  abandoned_->LetGo(until);
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
