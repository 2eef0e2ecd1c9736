#include "platform/fake/FakeWindowMessenger.h"

#include "platform/fake/FoldCase.h"

#include <algorithm>
#include <cstdio>

namespace platform {

namespace {

std::string handleText(WindowHandle window)
{
    return std::to_string(static_cast<std::uintptr_t>(window));
}

} // namespace

WindowHandle FakeWindowMessenger::addWindow(const std::string& className, const std::string& title,
                                            const std::string& programPath)
{
    auto handle = static_cast<WindowHandle>(m_nextHandle++);
    m_windows.push_back({handle, className, title, programPath});
    return handle;
}

void FakeWindowMessenger::removeWindow(WindowHandle window)
{
    std::erase_if(m_windows, [window](const Window& w) { return w.handle == window; });
}

std::string FakeWindowMessenger::messageName(MessageId id) const
{
    auto it = m_names.find(id);
    return it == m_names.end() ? std::string() : it->second;
}

bool FakeWindowMessenger::exists(WindowHandle window) const
{
    return std::any_of(m_windows.begin(), m_windows.end(),
                       [window](const Window& w) { return w.handle == window; });
}

std::vector<WindowHandle> FakeWindowMessenger::findTopLevelWindows(const std::string& className,
                                                                   const std::string& title)
{
    if (onFind)
        onFind(++m_finds);
    else
        ++m_finds;
    m_log.push_back("find " + className + " \"" + title + "\"");
    std::vector<WindowHandle> found;
    for (const auto& w : m_windows) {
        if (foldCase(w.className) == foldCase(className) && foldCase(w.title) == foldCase(title))
            found.push_back(w.handle);
    }
    return found;
}

std::optional<std::string> FakeWindowMessenger::programPathOf(WindowHandle window)
{
    for (const auto& w : m_windows) {
        if (w.handle == window && !w.programPath.empty())
            return w.programPath;
    }
    return std::nullopt;
}

MessageId FakeWindowMessenger::registerMessage(const std::string& name)
{
    m_log.push_back("register " + name);
    auto [it, added] = m_registered.try_emplace(
        foldCase(name), static_cast<MessageId>(0xC000 + m_registered.size()));
    if (added)
        m_names[it->second] = name;
    return it->second;
}

bool FakeWindowMessenger::postMessage(WindowHandle window, MessageId message, std::uintptr_t wParam,
                                      std::intptr_t lParam)
{
    std::string name = messageName(message);
    if (name.empty()) {
        char hex[16];
        std::snprintf(hex, sizeof hex, "0x%X", message);
        name = hex;
    }
    m_log.push_back("post " + name + " " + std::to_string(wParam) + " " + std::to_string(lParam) +
                    " -> " + handleText(window));
    if (!exists(window))
        return false;
    m_deliveries.push_back({window, message, wParam, lParam});
    return true;
}

bool FakeWindowMessenger::sendCopyData(WindowHandle window, const CopyData& data,
                                       std::chrono::milliseconds timeout)
{
    std::string bytes(static_cast<const char*>(data.lpData), data.cbData);
    m_log.push_back("copydata " + std::to_string(data.dwData) + " " + std::to_string(data.cbData) +
                    " \"" + bytes.substr(0, bytes.find('\0')) + "\" -> " + handleText(window));
    if (!exists(window) || !copyDataSucceeds)
        return false;
    Delivery delivery{window, CopyDataMessage};
    delivery.dwData = data.dwData;
    delivery.cbData = data.cbData;
    delivery.bytes = std::move(bytes);
    delivery.timeout = timeout;
    m_deliveries.push_back(std::move(delivery));
    return true;
}

} // namespace platform
