#pragma once
// Records what would be opened. Logs "shell open <target>".

#include "platform/ShellOpener.h"
#include "platform/fake/CallLog.h"

#include <string>
#include <vector>

namespace platform {

class FakeShellOpener : public ShellOpener {
public:
    explicit FakeShellOpener(CallLog& log) : m_log(log) {}

    // What open() answers.
    bool succeeds = true;
    const std::vector<std::string>& opened() const { return m_opened; }

    bool open(const std::string& target) override
    {
        m_log.push_back("shell open " + target);
        m_opened.push_back(target);
        return succeeds;
    }

private:
    CallLog& m_log;
    std::vector<std::string> m_opened;
};

} // namespace platform
