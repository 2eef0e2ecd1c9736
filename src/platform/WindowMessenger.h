#pragma once
// Finding another program's top-level window and handing it messages.

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// A window of any process. None is "no window".
enum class WindowHandle : std::uintptr_t { None = 0 };

// A window-message id (registered ids are 0xC000..0xFFFF). 0 means registration failed.
using MessageId = unsigned int;

// The copy-data record sent with WM_COPYDATA: a tag, a byte count and the bytes. The bytes
// must stay valid until sendCopyData returns.
struct CopyData {
    std::uintptr_t dwData = 0;
    std::uint32_t cbData = 0;
    const void* lpData = nullptr;
};

class WindowMessenger {
public:
    virtual ~WindowMessenger() = default;

    // Every top-level window of that class whose title equals `title` (compared without
    // regard to letter case, as the system does), front to back; empty when there is none.
    virtual std::vector<WindowHandle> findTopLevelWindows(const std::string& className,
                                                          const std::string& title) = 0;

    // The full path of the program whose process made the window, or nothing when the
    // system does not tell (the window or its process is gone, or may not be asked).
    virtual std::optional<std::string> programPathOf(WindowHandle window) = 0;

    // The system-wide id of a named message; the same name gives the same id in every process.
    // 0 when the system refuses.
    virtual MessageId registerMessage(const std::string& name) = 0;

    // Queues a message for the window and returns at once. False when it could not be queued
    // (the window is gone, or its queue is full).
    virtual bool postMessage(WindowHandle window, MessageId message, std::uintptr_t wParam,
                             std::intptr_t lParam) = 0;

    // Sends WM_COPYDATA with this program's module instance handle as first parameter and
    // waits until the window has handled it, but never longer than `timeout`, and not at all
    // once the system deems the receiver hung. True only when the window procedure received
    // the data; what it answered is not looked at. A send that gave up is never delivered
    // later.
    virtual bool sendCopyData(WindowHandle window, const CopyData& data,
                              std::chrono::milliseconds timeout) = 0;
};

} // namespace platform
