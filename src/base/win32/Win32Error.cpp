#include "base/win32/Win32Error.h"

#include "base/SystemError.h"
#include "base/UniqueHandle.h"

namespace base::win32 {

namespace {

// The buffer FormatMessage allocates for its text.
struct LocalMemoryPolicy {
    using Type = char*;
    static Type invalid() noexcept { return nullptr; }
    static void close(Type memory) noexcept { LocalFree(memory); }
};

} // namespace

std::string systemMessage(DWORD code)
{
    UniqueHandle<LocalMemoryPolicy> text;
    const DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<char*>(text.put()), 0, nullptr);
    std::string message = n ? std::string(text.get(), n) : "System error " + std::to_string(code);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r'))
        message.pop_back();
    return message;
}

} // namespace base::win32

namespace base {

SystemError lastSystemError(std::string call)
{
    const DWORD code = GetLastError();
    return {std::move(call), code, win32::systemMessage(code)};
}

} // namespace base
