#include "platform/win32/services/picture_loader.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <vector>

#include "image/icon_writer.hpp"
#include "image/resample.hpp"
#include "platform/errors.hpp"
#include "platform/fakes/fake_services.hpp"
#include "platform/win32/services/clock.hpp"
#include "platform/win32/services/event_pump.hpp"
#include "platform/win32/services/tray_icon_size.hpp"
#include "platform/win32/services/tray_shell.hpp"
#include "platform/win32/services/tray_window.hpp"
#include "test_files.hpp"
#include "tray/sys_tray.hpp"

namespace wethrix::win32 {
namespace {

// The colours (as 0xAARRGGBB, top row first) and the AND mask of an icon, as the shell reads them.
struct IconPixels {
  SIZE size{};
  std::vector<std::uint32_t> argb;
  std::vector<std::uint8_t> mask;
};

// Room for the two colours a monochrome bitmap's header is followed by.
struct DibHeader {
  BITMAPINFOHEADER header;
  RGBQUAD colours[2];
};

std::vector<std::uint8_t> DibBits(HBITMAP bitmap, LONG width, LONG height, WORD bits) {
  DibHeader info{{sizeof(BITMAPINFOHEADER), width, -height, 1, bits, BI_RGB, 0, 0, 0, 0, 0}, {}};
  std::vector<std::uint8_t> out(static_cast<std::size_t>((width * bits + 31) / 32 * 4 * height));
  const HDC dc = ::CreateCompatibleDC(nullptr);
  EXPECT_EQ(::GetDIBits(dc, bitmap, 0, static_cast<UINT>(height), out.data(),
                        reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
            height);
  ::DeleteDC(dc);
  return out;
}

IconPixels ReadIcon(HICON icon) {
  ICONINFO info{};
  EXPECT_TRUE(::GetIconInfo(icon, &info));
  BITMAP header{};
  ::GetObjectW(info.hbmColor, sizeof header, &header);
  IconPixels pixels{
      {header.bmWidth, header.bmHeight}, {}, DibBits(info.hbmMask, header.bmWidth, header.bmHeight, 1)};
  const std::vector<std::uint8_t> colours = DibBits(info.hbmColor, header.bmWidth, header.bmHeight, 32);
  pixels.argb.resize(colours.size() / 4);
  std::memcpy(pixels.argb.data(), colours.data(), colours.size());
  ::DeleteObject(info.hbmColor);
  ::DeleteObject(info.hbmMask);
  return pixels;
}

std::vector<std::uint32_t> OpaqueArgb(const imaging::Image& image) {
  std::vector<std::uint32_t> argb;
  argb.reserve(image.pixels.size());
  for (const imaging::Rgb& p : image.pixels) {
    argb.push_back(0xFF000000U | static_cast<std::uint32_t>(p.red) << 16U |
                   static_cast<std::uint32_t>(p.green) << 8U | p.blue);
  }
  return argb;
}

// Black and white columns over a red top and a blue bottom half, the size of the refresh picture.
imaging::Image RefreshSizedPicture() {
  imaging::Image image{32, 33, {}};
  for (std::uint8_t y = 0; y < 33; ++y) {
    for (std::uint8_t x = 0; x < 32; ++x) {
      const std::uint8_t level = x % 2 == 0 ? 0 : 255;
      image.pixels.push_back({y < 16 ? std::uint8_t{255} : level, level, y < 16 ? level : std::uint8_t{255}});
    }
  }
  return image;
}

TEST(PictureLoaderTest, ARefreshIconReachesTheTrayAtItsSizeWithAveragedOpaqueColours) {
  Win32PictureLoader loader;
  const Bytes file = imaging::WriteIcon(RefreshSizedPicture());
  const PicturePtr picture = loader.FromIconFile(file);
  const IconPixels icon = ReadIcon(reinterpret_cast<HICON>(picture->Handle()));
  const SIZE tray = TraySmallIconSize();
  if (::GetDpiForSystem() == USER_DEFAULT_SCREEN_DPI) {
    EXPECT_EQ(tray.cx, 16);
  }
  ASSERT_EQ(icon.size.cx, tray.cx);
  ASSERT_EQ(icon.size.cy, tray.cy);
  EXPECT_EQ(icon.argb, OpaqueArgb(imaging::ResampleByAreaAverage(RefreshSizedPicture(), tray.cx, tray.cy)));
  EXPECT_EQ(std::count(icon.mask.begin(), icon.mask.end(), 0), static_cast<std::ptrdiff_t>(icon.mask.size()));
  EXPECT_EQ(loader.FromIconFile(file)->Handle(), picture->Handle()) << "an unchanged picture shares its icon";
}

// 40 is the tray of a 240 DPI screen: a larger tray averages too rather than repeating pixels.
TEST(PictureLoaderTest, EveryTraySizeGetsTheAverageOfThePicture) {
  for (const LONG side : {16, 20, 24, 32, 40}) {
    const unique_hicon fitted = OpaqueIconOfSize(RefreshSizedPicture(), SIZE{side, side});
    const IconPixels icon = ReadIcon(fitted.get());
    ASSERT_EQ(icon.size.cx, side);
    ASSERT_EQ(icon.size.cy, side);
    EXPECT_EQ(icon.argb, OpaqueArgb(imaging::ResampleByAreaAverage(RefreshSizedPicture(), side, side)))
        << side;
  }
  // Black and white columns become the grey between them, over red at the top, blue at the bottom.
  const IconPixels icon = ReadIcon(OpaqueIconOfSize(RefreshSizedPicture(), SIZE{16, 16}).get());
  EXPECT_EQ(icon.argb.front(), 0xFFFF8080U);
  EXPECT_EQ(icon.argb.back(), 0xFF8080FFU);
}

// Only the converter's kind of icon file is taken: anything else is no picture of ours.
TEST(PictureLoaderTest, AnythingButTheConvertersIconIsRefused) {
  Win32PictureLoader loader;
  Bytes translucent = imaging::WriteIcon(RefreshSizedPicture());
  translucent[22 + 40 + 3] = 0x80;
  for (const Bytes& file : {Bytes{1, 2, 3, 4}, Bytes{'h', 'i'}, translucent, Bytes{}}) {
    try {
      static_cast<void>(loader.FromIconFile(file));
      ADD_FAILURE() << "taken: " << file.size() << " bytes";
    } catch (const AppError& error) {
      EXPECT_EQ(error.Number(), error_number::kInvalidPicture);
    }
  }
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
  const Bytes files[] = {test::OneColourIconFile({0x20, 0x60, 0xC0}),
                         imaging::WriteIcon(RefreshSizedPicture())};
  tray.SetInTray(true);
  tray.SetTrayIcon(loader.FromIconFile(files[1]));

  const HANDLE process = ::GetCurrentProcess();
  const DWORD gdi_before = ::GetGuiResources(process, GR_GDIOBJECTS);
  const DWORD user_before = ::GetGuiResources(process, GR_USEROBJECTS);
  std::vector<std::uintptr_t> replaced;
  for (int i = 0; i < 1000; ++i) {
    replaced.push_back(tray.TrayIcon()->Handle());
    tray.SetTrayIcon(loader.FromIconFile(i % 2 == 0 ? files[0] : files[1]));
  }
  EXPECT_EQ(::GetGuiResources(process, GR_GDIOBJECTS), gdi_before);
  EXPECT_EQ(::GetGuiResources(process, GR_USEROBJECTS), user_before);
  EXPECT_EQ(std::count_if(replaced.begin(), replaced.end(), IsLiveIcon), 0);
  EXPECT_TRUE(IsLiveIcon(tray.TrayIcon()->Handle()));
}

}  // namespace
}  // namespace wethrix::win32
