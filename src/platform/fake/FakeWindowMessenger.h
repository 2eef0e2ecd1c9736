#pragma once
// Top-level windows in memory that record what they are sent. Logs, one line per call:
//   register <name>
//   find <class> "<title>"          (one line for each search of every window so named)
//   post <message name, or its id in hex> <wParam> <lParam> -> <window>
//   copydata <dwData> <cbData> "<text up to the first zero>" -> <window>
// A post or send to a window that does not exist is logged and fails.

#include "platform/WindowMessenger.h"
#include "platform/fake/CallLog.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace platform {

class FakeWindowMessenger : public WindowMessenger {
public:
    explicit FakeWindowMessenger(CallLog& log) : m_log(log) {}

    // A message that reached one of the windows.
    struct Delivery {
        WindowHandle window;
        MessageId message; // 0x4A for copy data
        std::uintptr_t wParam = 0;
        std::intptr_t lParam = 0;
        // Copy data only: the record's tag, its byte count and a copy of its bytes, taken
        // while the send was in progress.
        std::uintptr_t dwData = 0;
        std::uint32_t cbData = 0;
        std::string bytes;
        std::chrono::milliseconds timeout{0};
    };

    static constexpr MessageId CopyDataMessage = 0x4A;

    // Adds a window and returns its handle (1, 2, ... in order of creation). The program path
    // is what programPathOf answers for it; an empty one stands for a process the system
    // does not tell about.
    WindowHandle addWindow(const std::string& className, const std::string& title,
                           const std::string& programPath = {});
    void removeWindow(WindowHandle window);

    // What sendCopyData answers for an existing window (a hung or busy receiver is false).
    bool copyDataSucceeds = true;
    // Runs at the start of every find with its number (1, 2, ...): lets a test make a window
    // come or go in the middle of a conversation.
    std::function<void(int findNumber)> onFind;

    const std::vector<Delivery>& deliveries() const { return m_deliveries; }
    // The name registered for an id, or empty.
    std::string messageName(MessageId id) const;

    std::vector<WindowHandle> findTopLevelWindows(const std::string& className,
                                                  const std::string& title) override;
    std::optional<std::string> programPathOf(WindowHandle window) override;
    MessageId registerMessage(const std::string& name) override;
    bool postMessage(WindowHandle window, MessageId message, std::uintptr_t wParam,
                     std::intptr_t lParam) override;
    bool sendCopyData(WindowHandle window, const CopyData& data,
                      std::chrono::milliseconds timeout) override;

private:
    struct Window {
        WindowHandle handle;
        std::string className;
        std::string title;
        std::string programPath;
    };
    bool exists(WindowHandle window) const;

    CallLog& m_log;
    std::vector<Window> m_windows;
    std::uintptr_t m_nextHandle = 1;
    std::map<std::string, MessageId> m_registered; // by folded name
    std::map<MessageId, std::string> m_names;
    int m_finds = 0;
    std::vector<Delivery> m_deliveries;
};

} // namespace platform
