#include "app/application_title.hpp"

namespace wethrix {
namespace {
constexpr std::size_t kLongestTitle = 40;
}

std::string ApplicationTitle(std::string_view product_name) {
  std::string title(product_name);
  // The last word goes, and more while the title is too long.
  for (auto space = title.rfind(' '); space != std::string::npos; space = title.rfind(' ')) {
    title.erase(space);
    if (title.size() <= kLongestTitle) break;
  }
  return title;
}

}  // namespace wethrix
