#pragma once
// Other programs open the files we write for a moment: a scanner, the search indexer, a sync
// client. Build tools and package managers on Windows wait such a moment out, and so do we: an
// operation refused as in use is tried again after a pause that grows, and only a refusal that
// outlasts kFilePatience counts as a failure.
#include <algorithm>
#include <chrono>

namespace wethrix {

inline constexpr std::chrono::milliseconds kFilePatience{2000};
inline constexpr std::chrono::milliseconds kFirstFilePause{25};

[[nodiscard]] constexpr std::chrono::milliseconds NextFilePause(std::chrono::milliseconds pause) {
  return std::min(pause * 2, std::chrono::milliseconds{400});
}

}  // namespace wethrix
