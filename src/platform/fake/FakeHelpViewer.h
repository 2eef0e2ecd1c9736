#pragma once
// Records help requests. Logs "help <owner window> <context> <file>".

#include "platform/HelpViewer.h"
#include "platform/fake/CallLog.h"

#include <set>
#include <string>
#include <vector>

namespace platform {

class FakeHelpViewer : public HelpViewer {
public:
    explicit FakeHelpViewer(CallLog& log) : m_log(log) {}

    struct Request {
        WindowHandle owner;
        std::string helpFile;
        std::uint32_t context;
    };

    // The help files that exist with a viewer for them: what canShow() answers true for. None
    // at first, as on current Windows.
    std::set<std::string> showable;
    // What showContext() answers.
    bool succeeds = true;
    const std::vector<Request>& requests() const { return m_requests; }

    bool canShow(const std::string& helpFile) override { return showable.count(helpFile) > 0; }

    bool showContext(WindowHandle owner, const std::string& helpFile,
                     std::uint32_t context) override
    {
        m_log.push_back("help " + std::to_string(static_cast<std::uintptr_t>(owner)) + " " +
                        std::to_string(context) + " " + helpFile);
        m_requests.push_back({owner, helpFile, context});
        return succeeds;
    }

private:
    CallLog& m_log;
    std::vector<Request> m_requests;
};

} // namespace platform
