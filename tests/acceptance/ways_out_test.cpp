// The real program at work and on the road: its requests go out through the proxy set in Windows'
// Internet settings to the TLS stand-in (around.sh --tls), which only that proxy can find. Each
// row blocks the way one way, then clears it. One program run.
// wincrypt.h needs windows.h first.
// clang-format off
#include <windows.h>
#include <wincrypt.h>
// clang-format on

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
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

// A value of the user's Internet settings, where Windows keeps their proxy; as found at the start
// when this ends.
class SavedSetting {
 public:
  explicit SavedSetting(const wchar_t* name)
      : name_(name),
        found_(::RegGetValueW(HKEY_CURRENT_USER, kInternetSettings, name, RRF_RT_ANY | RRF_NOEXPAND, &type_,
                              data_.data(), &size_) == ERROR_SUCCESS) {}
  SavedSetting(const SavedSetting&) = delete;
  SavedSetting& operator=(const SavedSetting&) = delete;
  SavedSetting(SavedSetting&&) = delete;
  SavedSetting& operator=(SavedSetting&&) = delete;
  ~SavedSetting() {
    if (found_) {
      ::RegSetKeyValueW(HKEY_CURRENT_USER, kInternetSettings, name_, type_, data_.data(), size_);
    } else {
      ::RegDeleteKeyValueW(HKEY_CURRENT_USER, kInternetSettings, name_);
    }
  }

 private:
  const wchar_t* name_;
  std::array<BYTE, 4096> data_{};
  DWORD type_ = 0;
  DWORD size_ = static_cast<DWORD>(data_.size());
  bool found_ = false;
};

// The proxy in the user's Internet settings; none when empty.
void UseProxy(const std::wstring& server) {
  const DWORD enable = server.empty() ? 0 : 1;
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyEnable", REG_DWORD, &enable, sizeof(enable));
  ::RegSetKeyValueW(HKEY_CURRENT_USER, kInternetSettings, L"ProxyServer", REG_SZ, server.c_str(),
                    static_cast<DWORD>((server.size() + 1) * sizeof(wchar_t)));
}

// The test authority among this machine's trusted roots while it lives, written where Windows'
// store keeps them: Wine keeps that key volatile, and its store cannot add to it.
class TrustedAuthority {
 public:
  explicit TrustedAuthority(const std::wstring& base64) {
    DWORD size = 0;
    ::CryptStringToBinaryW(base64.c_str(), 0, CRYPT_STRING_BASE64, nullptr, &size, nullptr, nullptr);
    std::vector<BYTE> der(size);
    ::CryptStringToBinaryW(base64.c_str(), 0, CRYPT_STRING_BASE64, der.data(), &size, nullptr, nullptr);
    const PCCERT_CONTEXT certificate = ::CertCreateCertificateContext(X509_ASN_ENCODING, der.data(), size);
    if (certificate == nullptr) throw std::runtime_error("the test authority's certificate does not read");
    std::array<BYTE, 20> hash{};
    auto hash_size = static_cast<DWORD>(hash.size());
    ::CertGetCertificateContextProperty(certificate, CERT_SHA1_HASH_PROP_ID, hash.data(), &hash_size);
    constexpr std::wstring_view kHex = L"0123456789ABCDEF";
    for (const BYTE b : hash) {
      key_ += kHex[b >> 4U];
      key_ += kHex[b & 15U];
    }
    ::CertSerializeCertificateStoreElement(certificate, 0, nullptr, &size);
    std::vector<BYTE> blob(size);
    ::CertSerializeCertificateStoreElement(certificate, 0, blob.data(), &size);
    ::CertFreeCertificateContext(certificate);
    HKEY key = nullptr;
    if (::RegCreateKeyExW(HKEY_LOCAL_MACHINE, key_.c_str(), 0, nullptr, REG_OPTION_VOLATILE, KEY_SET_VALUE,
                          nullptr, &key, nullptr) != ERROR_SUCCESS) {
      throw std::runtime_error("the test authority could not be trusted");
    }
    ::RegSetValueExW(key, L"Blob", 0, REG_BINARY, blob.data(), size);
    ::RegCloseKey(key);
  }
  TrustedAuthority(const TrustedAuthority&) = delete;
  TrustedAuthority& operator=(const TrustedAuthority&) = delete;
  TrustedAuthority(TrustedAuthority&&) = delete;
  TrustedAuthority& operator=(TrustedAuthority&&) = delete;
  ~TrustedAuthority() { ::RegDeleteTreeW(HKEY_LOCAL_MACHINE, key_.c_str()); }

 private:
  std::wstring key_ = kRootCertificates;  // and the SHA-1 in capital hexadecimal
};

class WaysOut : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    proxy_ = EnvironmentVariable(L"WETHRIX_STANDIN_PROXY");
    if (proxy_.empty()) GTEST_SKIP() << "the stand-in has no TLS side (around.sh --tls)";
    settings::Clear();
    settings::Set(L"APIKey", L"demo-key");
    standin::Reset();
    enable_ = std::make_unique<SavedSetting>(L"ProxyEnable");
    server_ = std::make_unique<SavedSetting>(L"ProxyServer");
    UseProxy(proxy_);
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
    server_.reset();
    enable_.reset();
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
  static inline std::unique_ptr<SavedSetting> enable_;
  static inline std::unique_ptr<SavedSetting> server_;
  static inline std::unique_ptr<TrustedAuthority> authority_;
  static inline std::unique_ptr<test_support::TempFolder> folder_;
  static inline std::unique_ptr<WethrixDriver> wethrix_;
};

// How a request finds its way out: the proxy in Windows' settings (none when empty), the
// certificate the TLS stand-in presents, and what the proxy answers.
struct Way {
  std::wstring proxy;
  const char* certificate = nullptr;
  const char* proxy_answer = nullptr;
};

TEST_F(WaysOut, EachBlockedWayIsToldQuietlyAndTheReadingReturnsOnceItIsClear) {
  const Way clear{proxy_, "service", "tunnel"};
  ASSERT_TRUE(WaitUntil([] { return Wethrix().Text("Label2") == kReading; }, kLimit))
      << "no reading through the system's proxy: " << Wethrix().Text("Label2");
  struct Case {
    const char* what = nullptr;
    Way way;
    const char* reason = nullptr;  // the status or error Wine's WinINet gives, then the sentence's end
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
    UseProxy(way.proxy);
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
