#pragma once
#include <string>
#include <string_view>

namespace wethrix {

inline constexpr std::string_view kProductName = "Wethrix";

// The name the system lists the task under: the product name cut before its last space at least
// once, then again while longer than 40 characters. A one-word name is kept whole.
[[nodiscard]] std::string ApplicationTitle(std::string_view product_name);

}  // namespace wethrix
