#include "app/application_title.hpp"

namespace wethrix {
namespace {
constexpr std::size_t kLongestTitle = 40;
}

std::string ApplicationTitle(std::string_view product_name) {
  std::string title(product_name);
  do {
    const auto space = title.rfind(' ');
    if (space == std::string::npos) break;
    title.erase(space);
  } while (title.size() > kLongestTitle);
  return title;
}

}  // namespace wethrix
