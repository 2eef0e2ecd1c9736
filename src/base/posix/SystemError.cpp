#include "base/SystemError.h"

#include <cerrno>
#include <cstring>

namespace base {

SystemError lastSystemError(std::string call)
{
    const int code = errno;
    return {std::move(call), static_cast<std::uint32_t>(code), std::strerror(code)};
}

} // namespace base
