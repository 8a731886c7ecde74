#pragma once
// Whose machine a web address's host is.
#include <string_view>

namespace wethrix {

// localhost, 127.0.0.0/8 written as four decimal parts, or ::1 with or without its brackets:
// a host that is this machine, whatever the network and its proxies.
[[nodiscard]] bool IsLoopbackHost(std::string_view host);

}  // namespace wethrix
