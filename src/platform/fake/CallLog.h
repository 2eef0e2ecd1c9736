#pragma once
// The shared record of the fakes: one line per call, in call order, across all services, so
// that a test can compare the whole conversation of a component with the OS at once.

#include <string>
#include <vector>

namespace platform {

using CallLog = std::vector<std::string>;

} // namespace platform
