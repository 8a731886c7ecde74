// The real program at work and on the road: its requests go out through the proxy set in Windows'
// Internet settings to the TLS stand-in (around.sh --tls), which only that proxy can find. Each
// row blocks the way one way, then clears it. One program run.
#include <gtest/gtest.h>
#include <wincrypt.h>
#include <windows.h>

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>
#include <vector>

#include "tests/acceptance/wethrix_driver.hpp"
#include "tests/support/temp_folder.hpp"

namespace wethrix::acceptance {
namespace {

constexpr wchar_t kInternetSettings[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Internet Settings";
constexpr wchar_t kRootCertificates[] = L"Software\\Microsoft\\SystemCertificates\\Root\\Certificates\\";
constexpr char kReading[] =
    "The current temperature in San Diego is 61 \xC2\xB0"
    "F";
// Three requests at most, each 5 s after the one before, since the service is not on this machine.
constexpr auto kLimit = 20s;

std::string Unavailable(std::string_view reason) {
  return "The current temperature in San Diego CA is unavailable because " + std::string(reason) + ".";
}

// The proxy as Windows keeps it for the user; the one found at the start comes back at the end.
class InternetSettings {
 public:
  InternetSettings() {
    DWORD size = sizeof(enable_);
    had_enable_ = ::RegGetValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable", RRF_RT_REG_DWORD,
                                 nullptr, &enable_, &size) == ERROR_SUCCESS;
    std::wstring server(1024, L'\0');
    size = static_cast<DWORD>(server.size() * sizeof(wchar_t));
    if (::RegGetValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer", RRF_RT_REG_SZ, nullptr,
                       server.data(), &size) == ERROR_SUCCESS) {
      server.resize(size / sizeof(wchar_t) - 1);
      server_ = server;
    }
  }
  InternetSettings(const InternetSettings&) = delete;
  InternetSettings& operator=(const InternetSettings&) = delete;
  InternetSettings(InternetSettings&&) = delete;
  InternetSettings& operator=(InternetSettings&&) = delete;
  ~InternetSettings() {
    if (had_enable_) {
      SetEnable(enable_);
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable");
    }
    if (server_) {
      SetServer(*server_);
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer");
    }
  }

  // Empty for no proxy.
  static void UseProxy(const std::wstring& server) {
    SetEnable(server.empty() ? 0 : 1);
    if (!server.empty()) SetServer(server);
  }

 private:
  static void SetEnable(DWORD enable) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable", REG_DWORD, &enable,
                      sizeof(enable));
  }
  static void SetServer(const std::wstring& server) {
    ::RegSetKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer", REG_SZ, server.c_str(),
                      static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
  }

  bool had_enable_ = false;
  DWORD enable_ = 0;
  std::optional<std::wstring> server_;
};

// The test authority among this machine's trusted roots while it lives.
class TrustedAuthority {
 public:
  explicit TrustedAuthority(const std::wstring& base64) {
    DWORD size = 0;
    ::CryptStringToBinaryW(base64.c_str(), 0, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr);
    std::vector<BYTE> der(size);
    if (!::CryptStringToBinaryW(base64.c_str(), 0, CRYPT_STRING_BASE64, der.data(), &size, nullptr,
                                nullptr)) {
      throw std::runtime_error("the test authority's certificate is not base64");
    }
    PCCERT_CONTEXT added = nullptr;
    {
      const HCERTSTORE root = OpenRoot();
      ::CertAddEncodedCertificateToStore(root, X509_ASN_ENCODING, der.data(), size,
                                         CERT_STORE_ADD_REPLACE_EXISTING, &added);
      ::CertCloseStore(root, 0);
    }
    if (added == nullptr) throw std::runtime_error("the test authority could not be trusted");
    auto hash_size = static_cast<DWORD>(hash_.size());
    ::CertGetCertificateContextProperty(added, CERT_SHA1_HASH_PROP_ID, hash_.data(), &hash_size);
    // Wine keeps the machine's roots in a volatile key that its store cannot add to, so there
    // the certificate is written as Windows' store keeps it.
    if (!Trusted()) WriteAsTheStoreDoes(added);
    ::CertFreeCertificateContext(added);
  }
  TrustedAuthority(const TrustedAuthority&) = delete;
  TrustedAuthority& operator=(const TrustedAuthority&) = delete;
  TrustedAuthority(TrustedAuthority&&) = delete;
  TrustedAuthority& operator=(TrustedAuthority&&) = delete;
  ~TrustedAuthority() {
    const HCERTSTORE root = OpenRoot();
    CRYPT_HASH_BLOB blob{static_cast<DWORD>(hash_.size()), hash_.data()};
    const PCCERT_CONTEXT found =
        ::CertFindCertificateInStore(root, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &blob, nullptr);
    if (found != nullptr) ::CertDeleteCertificateFromStore(found);
    ::CertCloseStore(root, 0);
    ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, KeyPath().c_str());
  }

 private:
  static HCERTSTORE OpenRoot() {
    return ::CertOpenStore(CERT_STORE_PROV_SYSTEM_W, 0, 0, CERT_SYSTEM_STORE_LOCAL_MACHINE, L"Root");
  }

  [[nodiscard]] bool Trusted() {
    const HCERTSTORE root = OpenRoot();
    CRYPT_HASH_BLOB blob{static_cast<DWORD>(hash_.size()), hash_.data()};
    const PCCERT_CONTEXT found =
        ::CertFindCertificateInStore(root, X509_ASN_ENCODING, 0, CERT_FIND_SHA1_HASH, &blob, nullptr);
    ::CertFreeCertificateContext(found);
    ::CertCloseStore(root, 0);
    return found != nullptr;
  }

  // Where Windows' store keeps it: the SHA-1 in capital hexadecimal.
  [[nodiscard]] std::wstring KeyPath() const {
    std::wstring path = kRootCertificates;
    for (const BYTE b : hash_) {
      path += L"0123456789ABCDEF"[b >> 4U];
      path += L"0123456789ABCDEF"[b & 15U];
    }
    return path;
  }

  void WriteAsTheStoreDoes(PCCERT_CONTEXT certificate) const {
    DWORD size = 0;
    ::CertSerializeCertificateStoreElement(certificate, 0, nullptr, &size);
    std::vector<BYTE> blob(size);
    ::CertSerializeCertificateStoreElement(certificate, 0, blob.data(), &size);
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, KeyPath().c_str(), 0, nullptr, REG_OPTION_VOLATILE,
                          KEY_SET_VALUE, nullptr, &key, nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("the test authority could not be trusted");
    }
    ::RegSetValueExW(key, L"Blob", 0, REG_BINARY, blob.data(), size);
    ::RegCloseKey(key);
  }

  std::array<BYTE, 20> hash_{};
};

class WaysOut : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    proxy_ = EnvironmentVariable(L"WETHRIX_STANDIN_PROXY");
    if (proxy_.empty()) GTEST_SKIP() << "the stand-in has no TLS side (around.sh --tls)";
    settings::Clear();
    settings::Set(L"APIKey", L"demo-key");
    standin::Reset();
    internet_settings_ = std::make_unique<InternetSettings>();
    InternetSettings::UseProxy(proxy_);
    authority_ = std::make_unique<TrustedAuthority>(EnvironmentVariable(L"WETHRIX_STANDIN_CA"));
    folder_ = std::make_unique<test_support::TempFolder>(u8"wethrix ways out");
    wethrix_ = std::make_unique<WethrixDriver>(folder_->Path());
    // The program alone asks for the service by the name only the proxy knows; this test goes
    // on reaching the stand-in's own address.
    const std::wstring standin = EnvironmentVariable(L"WETHRIX_API_BASE");
    ::SetEnvironmentVariableW(L"WETHRIX_API_BASE", L"https://weather.test");
    wethrix_->Start();
    ::SetEnvironmentVariableW(L"WETHRIX_API_BASE", standin.c_str());
  }

  static void TearDownTestSuite() {
    if (wethrix_) {
      EXPECT_TRUE(wethrix_->CloseAndWait());
    }
    wethrix_.reset();
    folder_.reset();
    authority_.reset();
    internet_settings_.reset();
    settings::Clear();
  }

  static WethrixDriver& Wethrix() { return *wethrix_; }

  // Waits for Label2 to read `sentence` after a tick; false when it never did.
  static bool RefreshReads(const std::string& sentence) {
    Wethrix().TimerTick();
    return WaitUntil(
               [&] { return Wethrix().Text("Label2") == sentence || !Wethrix().MessageBoxTexts().empty(); },
               kLimit) &&
           Wethrix().Text("Label2") == sentence;
  }

  static inline std::wstring proxy_;
  static inline std::unique_ptr<InternetSettings> internet_settings_;
  static inline std::unique_ptr<TrustedAuthority> authority_;
  static inline std::unique_ptr<test_support::TempFolder> folder_;
  static inline std::unique_ptr<WethrixDriver> wethrix_;
};

// How a request finds its way out: the proxy in Windows' settings (none when empty), the
// certificate the TLS stand-in presents, and what the proxy answers.
struct Way {
  std::wstring proxy;
  const char* certificate;
  const char* proxy_answer;
};

TEST_F(WaysOut, EachBlockedWayIsToldQuietlyAndTheReadingReturnsOnceItIsClear) {
  const Way clear{proxy_, "service", "tunnel"};
  ASSERT_TRUE(WaitUntil([] { return Wethrix().Text("Label2") == kReading; }, kLimit))
      << "no reading through the system's proxy: " << Wethrix().Text("Label2");
  struct Case {
    const char* what;
    Way way;
    const char* reason;  // the status or error Wine's WinINet gives, then the sentence's end
  };
  const Case cases[] = {
      // Status 407, as Windows hands it over with no credentials to offer.
      {"a proxy that asks for a sign-in",
       {proxy_, "service", "sign-in"},
       "the proxy server asks for a sign-in"},
      // ERROR_INTERNET_CANNOT_CONNECT, through a proxy.
      {"a proxy that is down",
       {L"127.0.0.1:1", "service", "tunnel"},
       "the proxy server could not be reached"},
      // ERROR_INTERNET_NAME_NOT_RESOLVED, directly.
      {"no proxy, and no name for the service",
       {L"", "service", "tunnel"},
       "this computer seems to be offline"},
      // ERROR_INTERNET_SEC_CERT_CN_INVALID.
      {"a certificate for another name",
       {proxy_, "other-name", "tunnel"},
       "the network answered with a certificate for another name (a sign-in page or a filter)"},
      // ERROR_INTERNET_SEC_CERT_DATE_INVALID.
      {"an expired certificate",
       {proxy_, "expired", "tunnel"},
       "the weather service's certificate has expired or is not valid yet; check this computer's date and "
       "time"},
      // ERROR_INTERNET_INVALID_CA.
      {"a certificate from nobody trusted",
       {proxy_, "untrusted", "tunnel"},
       "the weather service's certificate is from an authority this computer does not trust"},
  };
  const auto go = [](const Way& way) {
    InternetSettings::UseProxy(way.proxy);
    standin::PresentCertificate(way.certificate);
    standin::ProxyAnswers(way.proxy_answer);
  };
  for (const Case& c : cases) {
    go(c.way);
    EXPECT_TRUE(RefreshReads(Unavailable(c.reason))) << c.what << ": " << Wethrix().Text("Label2");
    EXPECT_EQ(Wethrix().MessageBoxTexts(), std::vector<std::string>{})
        << c.what << ": a box on a silent refresh";
    (void)Wethrix().DismissMessageBoxes();
    go(clear);
    EXPECT_TRUE(RefreshReads(kReading)) << c.what << ", cleared: " << Wethrix().Text("Label2");
  }
  EXPECT_TRUE(standin::Requests().back().find("APPID=demo-key") != std::string::npos);
}

}  // namespace
}  // namespace wethrix::acceptance
