// One conversion of a refresh-sized (32 x 33) bitmap, in process: decoding and encoding alone,
// and the converter's whole run with its file reading and writing; and the program's shrinking
// of that picture to the tray's 16 pixels.
#include <benchmark/benchmark.h>

#include <fstream>
#include <sstream>

#include "image/bitmap_reader.hpp"
#include "image/icon_writer.hpp"
#include "image/resample.hpp"
#include "tests/image/bitmap_builder.hpp"
#include "tests/support/temp_folder.hpp"
#include "tools/nconvert/convert.hpp"

namespace {

using namespace wethrix::imaging;
using wethrix::nconvert::ExitCode;
using wethrix::nconvert::RunConverter;

std::vector<std::uint8_t> RefreshBitmap() {
  return test_support::BuildBitmap(test_support::Pattern(32, 33, 2), 24);
}

void DecodeAndEncode(benchmark::State& state) {
  const auto bitmap = RefreshBitmap();
  for (auto _ : state) {
    auto icon = WriteIcon(ReadBitmap(bitmap));
    benchmark::DoNotOptimize(icon.data());
  }
}
BENCHMARK(DecodeAndEncode);

void WholeRunWithFiles(benchmark::State& state) {
  const wethrix::test_support::TempFolder temp(u8"nconvert-bench");
  const auto bitmap = RefreshBitmap();
  std::ofstream(temp.Path() / "CurTemp.bmp", std::ios::binary)
      .write(reinterpret_cast<const char*>(bitmap.data()), static_cast<std::streamsize>(bitmap.size()));
  const std::vector<std::string> arguments{"-out", "ico", temp.Utf8(u8"CurTemp.bmp")};
  std::string errors;
  for (auto _ : state) {
    if (RunConverter(arguments, errors) != ExitCode::kConverted) state.SkipWithError("conversion failed");
  }
}
BENCHMARK(WholeRunWithFiles);

void ResampleToTheTray(benchmark::State& state) {
  const Image picture = test_support::Pattern(32, 33, 2);
  for (auto _ : state) {
    auto tray = ResampleByAreaAverage(picture, 16, 16);
    benchmark::DoNotOptimize(tray.pixels.data());
  }
}
BENCHMARK(ResampleToTheTray);

}  // namespace
