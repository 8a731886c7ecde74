#include "platform/win32/windows/picture_box.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <vector>

#include "app/main_layout.hpp"
#include "platform/errors.hpp"
#include "platform/win32/handles/unique_handle.hpp"
#include "platform/win32/services/colors.hpp"
#include "platform/win32/services/wide.hpp"
#include "tests/window/window_test_support.hpp"

namespace wethrix::win32 {
namespace {

constexpr Color kRed = 0x000000FF;
using testing::kWhite;
constexpr Color kBlack = 0;

// The simplest reader of a 24-bit bitmap file: size and the colour of one pixel (0x00BBGGRR).
class PlainBitmap {
 public:
  explicit PlainBitmap(Bytes bytes) : bytes_(std::move(bytes)) {}
  [[nodiscard]] int Width() const { return static_cast<int>(Read32(18)); }
  [[nodiscard]] int Height() const { return static_cast<int>(Read32(22)); }
  [[nodiscard]] int Bits() const { return static_cast<unsigned char>(bytes_.at(28)); }
  [[nodiscard]] Color Pixel(int x, int y) const {
    const std::size_t row = (static_cast<std::size_t>(Width()) * 3 + 3) & ~std::size_t{3};
    const std::size_t at =
        Read32(10) + row * static_cast<std::size_t>(Height() - 1 - y) + 3 * static_cast<std::size_t>(x);
    return Byte(at + 2) | (Byte(at + 1) << 8) | (Byte(at) << 16);
  }

 private:
  [[nodiscard]] std::uint32_t Byte(std::size_t at) const { return bytes_.at(at); }
  [[nodiscard]] std::uint32_t Read32(std::size_t at) const {
    return Byte(at) | (Byte(at + 1) << 8) | (Byte(at + 2) << 16) | (Byte(at + 3) << 24);
  }
  Bytes bytes_;
};

[[nodiscard]] std::wstring TempPath(const wchar_t* name) {
  wchar_t folder[MAX_PATH];
  ::GetTempPathW(MAX_PATH, folder);
  return std::wstring(folder) + name;
}

class PictureBoxTest : public ::testing::Test {
 protected:
  PictureBoxTest() { picture_.Place({0, 0, 40, 30}); }

  // Every pixel of the image, read back from its bitmap file; 0x00BBGGRR, top row first.
  [[nodiscard]] std::vector<std::vector<Color>> Pixels() const {
    const PlainBitmap bitmap(picture_.BitmapFile());
    std::vector<std::vector<Color>> rows(static_cast<std::size_t>(bitmap.Height()));
    for (int y = 0; y < bitmap.Height(); ++y) {
      for (int x = 0; x < bitmap.Width(); ++x) {
        rows[static_cast<std::size_t>(y)].push_back(bitmap.Pixel(x, y));
      }
    }
    return rows;
  }

  unique_hwnd parent_{::CreateWindowExW(0, L"Static", L"", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                                        nullptr, ::GetModuleHandleW(nullptr), nullptr)};
  PictureBoxWindow picture_{parent_.get(), 1, kIconSurfaceFont, kWhite, false};
};

TEST_F(PictureBoxTest, TheBitmapFileReadsBackWithItsSizeAndColoursAndTheSystemLoadsIt) {
  picture_.SetBackColor(kRed);
  const Bytes file = picture_.BitmapFile();
  const std::wstring path = TempPath(L"wethrix-saved.bmp");
  std::ofstream(std::filesystem::path(path), std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));

  const PlainBitmap plain(file);
  EXPECT_EQ(plain.Bits(), 24);
  EXPECT_EQ(plain.Width(), 40);
  EXPECT_EQ(plain.Height(), 30);
  EXPECT_EQ(plain.Pixel(0, 0), kRed);
  EXPECT_EQ(plain.Pixel(39, 29), kRed);

  const unique_hbitmap loaded(static_cast<HBITMAP>(
      ::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
  ASSERT_TRUE(loaded);
  BITMAP info{};
  ::GetObjectW(loaded.get(), sizeof(info), &info);
  EXPECT_EQ(info.bmWidth, 40);
  EXPECT_EQ(info.bmHeight, 30);
  const unique_hdc dc(::CreateCompatibleDC(nullptr));
  ::SelectObject(dc.get(), loaded.get());
  EXPECT_EQ(::GetPixel(dc.get(), 20, 15), kRed);
  ::DeleteFileW(path.c_str());
}

TEST_F(PictureBoxTest, TheBackColourClearsAndSystemColoursAreResolved) {
  picture_.SetBackColor(kButtonFace);
  EXPECT_EQ(picture_.BackColor(), kButtonFace);
  EXPECT_EQ(Pixels()[10][10], ToColorRef(kButtonFace));
  picture_.SetForeColor(kWhite);
  picture_.Print("88");
  picture_.Cls();
  EXPECT_EQ(picture_.CurrentX(), 0);
  EXPECT_EQ(picture_.CurrentY(), 0);
  for (const auto& row : Pixels()) {
    for (const Color pixel : row) ASSERT_EQ(pixel, ToColorRef(kButtonFace));
  }
}

TEST_F(PictureBoxTest, PrintedTextHasOnlyTheTwoColoursWithinItsMeasuredBox) {
  picture_.SetBackColor(kBlack);
  picture_.SetForeColor(kWhite);
  picture_.SetScaleModePixels();
  const float width = picture_.TextWidth("78");
  const float height = picture_.TextHeight("78");
  picture_.SetCurrentX(4.4F);
  picture_.SetCurrentY(2.0F);
  picture_.Print("78");
  EXPECT_EQ(picture_.CurrentX(), 0);
  EXPECT_FLOAT_EQ(picture_.CurrentY(), 2.0F + height);

  int lit = 0;
  const auto rows = Pixels();
  for (std::size_t y = 0; y < rows.size(); ++y) {
    for (std::size_t x = 0; x < rows[y].size(); ++x) {
      ASSERT_TRUE(rows[y][x] == kBlack || rows[y][x] == kWhite) << x << "," << y;
      if (rows[y][x] != kWhite) continue;
      ++lit;
      EXPECT_GE(static_cast<float>(x), 4.0F);
      EXPECT_LT(static_cast<float>(x), 4.0F + width);
      EXPECT_GE(static_cast<float>(y), 2.0F);
      EXPECT_LT(static_cast<float>(y), 2.0F + height);
    }
  }
  EXPECT_GT(lit, 10);
}

TEST_F(PictureBoxTest, AUserScaleSpansTheInnerAreaWhateverItsPixels) {
  picture_.SetScaleModePixels();
  EXPECT_EQ(picture_.ScaleWidth(), 40);
  EXPECT_EQ(picture_.ScaleHeight(), 30);
  const float pixel_width = picture_.TextWidth("N/A");
  const float pixel_height = picture_.TextHeight("N/A");

  picture_.SetScaleHeight(16);
  picture_.SetScaleWidth(16);
  EXPECT_EQ(picture_.ScaleWidth(), 16);
  EXPECT_EQ(picture_.ScaleHeight(), 16);
  EXPECT_FLOAT_EQ(picture_.TextWidth("N/A"), pixel_width * 16 / 40);
  EXPECT_FLOAT_EQ(picture_.TextHeight("N/A"), pixel_height * 16 / 30);

  // Half the scale width is half the pixels.
  picture_.SetBackColor(kBlack);
  picture_.SetForeColor(kWhite);
  picture_.SetCurrentX(8);
  picture_.Print("1");
  for (const auto& row : Pixels()) {
    for (std::size_t x = 0; x < 20; ++x) ASSERT_EQ(row[x], kBlack) << x;
  }

  picture_.SetScaleModePixels();
  EXPECT_EQ(picture_.ScaleWidth(), 40);
}

TEST_F(PictureBoxTest, AScaleOfZeroOrNotANumberIsRefused) {
  EXPECT_THROW(picture_.SetScaleWidth(0), AppError);
  EXPECT_THROW(picture_.SetScaleHeight(std::numeric_limits<float>::quiet_NaN()), AppError);
  EXPECT_THROW(picture_.SetFontSize(0), AppError);
  EXPECT_EQ(picture_.ScaleWidth(), 40);
}

TEST_F(PictureBoxTest, TextMeasuresFollowTheFont) {
  const float designed = picture_.TextHeight("70");
  EXPECT_EQ(picture_.FontSize(), 12);
  picture_.SetFontSize(24);
  EXPECT_EQ(picture_.FontSize(), 24);
  EXPECT_GT(picture_.TextHeight("70"), designed * 1.7F);
  EXPECT_GT(picture_.TextWidth("7000"), picture_.TextWidth("70"));
  EXPECT_EQ(picture_.TextWidth(""), 0);
  EXPECT_GT(picture_.TextHeight(""), 0);
  EXPECT_FLOAT_EQ(picture_.TextHeight("a\r\nb"), 2 * picture_.TextHeight("a"));
}

TEST_F(PictureBoxTest, ResizingKeepsTheImageAndFillsTheNewPartWithTheBackground) {
  picture_.SetBackColor(kRed);
  picture_.SetForeColor(kWhite);
  picture_.Print("8");
  const auto count_white = [](const auto& rows) {
    int white = 0;
    for (const auto& row : rows) white += static_cast<int>(std::ranges::count(row, kWhite));
    return white;
  };
  const int before = count_white(Pixels());
  picture_.Place({0, 0, 50, 40});
  const auto rows = Pixels();
  ASSERT_EQ(rows.size(), 40U);
  ASSERT_EQ(rows[0].size(), 50U);
  EXPECT_EQ(count_white(rows), before);
  EXPECT_GT(before, 0);
  EXPECT_EQ(rows[35][45], kRed);
}

}  // namespace
}  // namespace wethrix::win32
