#include "platform/win32/services/check.hpp"

#include "platform/win32/services/wide.hpp"

namespace wethrix::win32 {

std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
      error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : L"System error " + std::to_wstring(error);
  ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' ')) {
    text.pop_back();
  }
  return Narrow(text);
}

void ThrowWin32Error(DWORD error) {
  throw AppError(error_number::kSystem, SystemMessage(error));
}

}  // namespace wethrix::win32
