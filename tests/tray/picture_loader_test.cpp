#include "platform/win32/picture_loader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/win32/clock.hpp"
#include "platform/win32/event_pump.hpp"
#include "platform/win32/tray_shell.hpp"
#include "platform/win32/tray_window.hpp"
#include "test_files.hpp"
#include "tray/sys_tray.hpp"

namespace wethrix::win32 {
namespace {

int LoadError(Win32PictureLoader& loader, const std::string& path) {
  try {
    static_cast<void>(loader.Load(path));
  } catch (const AppError& error) {
    return error.Number();
  }
  return 0;
}

TEST(PictureLoaderTest, LoadsEachKindByItsExtension) {
  Win32PictureLoader loader;
  const PicturePtr icon = loader.Load(test::WriteIconFile("wethrix-kind.ICO"));
  EXPECT_EQ(icon->Type(), PictureType::kIcon);
  ICONINFO info{};
  ASSERT_TRUE(::GetIconInfo(reinterpret_cast<HICON>(icon->Handle()), &info));
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);

  const PicturePtr bitmap = loader.Load(test::WriteBitmapFile("wethrix-kind.bmp"));
  EXPECT_EQ(bitmap->Type(), PictureType::kBitmap);
  BITMAP header{};
  EXPECT_EQ(::GetObjectW(reinterpret_cast<HBITMAP>(bitmap->Handle()), sizeof(header), &header),
            static_cast<int>(sizeof(header)));
  EXPECT_EQ(header.bmWidth, 16);
}

TEST(PictureLoaderTest, MissingOrUnreadableFilesAreReported) {
  Win32PictureLoader loader;
  EXPECT_EQ(LoadError(loader, test::TempPath("wethrix-missing.ico")), error_number::kFileNotFound);
  EXPECT_EQ(LoadError(loader, test::WriteFile("wethrix-garbage.ico", {1, 2, 3, 4})),
            error_number::kInvalidPicture);
  EXPECT_EQ(LoadError(loader, test::WriteFile("wethrix-text.txt", {'h', 'i'})),
            error_number::kInvalidPicture);
}

bool IsLiveIcon(std::uintptr_t handle) {
  ICONINFO info{};
  if (!::GetIconInfo(reinterpret_cast<HICON>(handle), &info)) return false;
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return true;
}

// The object counts catch a leak on Windows; Wine reports no counts, so every replaced icon's
// handle is also checked to be gone.
TEST(PictureLoaderTest, AThousandIconChangesLeaveTheObjectCountsFlat) {
  Win32PictureLoader loader;
  Win32TrayShell shell;
  Win32EventPump pump;
  SteadyClock clock;
  cSysTray tray(std::make_unique<Win32TrayWindow>(), shell, pump, clock);
  const std::string path = test::WriteIconFile("wethrix-many.ico");
  tray.SetInTray(true);
  tray.SetTrayIcon(loader.Load(path));

  const HANDLE process = ::GetCurrentProcess();
  const DWORD gdi_before = ::GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user_before = ::GetGuiResources(process, GR_USEROBJECTS);
  std::vector<std::uintptr_t> replaced;
  for (int i = 0; i < 1000; ++i) {
    replaced.push_back(tray.TrayIcon()->Handle());
    tray.SetTrayIcon(loader.Load(path));
  }
  EXPECT_EQ(::GetGuiResources(process, GR_GDIOBJECTS), gdi_before);
  EXPECT_EQ(::GetGuiResources(process, GR_USEROBJECTS), user_before);
  EXPECT_EQ(std::count_if(replaced.begin(), replaced.end(), IsLiveIcon), 0);
  EXPECT_TRUE(IsLiveIcon(tray.TrayIcon()->Handle()));
}

}  // namespace
}  // namespace wethrix::win32
