#pragma once
// Records launches instead of starting anything. Logs "launch <command line> [hidden]" (or
// "[normal]"), with " in <folder>" after it when a folder is given, also for a launch it is
// told to fail.

#include "platform/ProcessLauncher.h"
#include "platform/fake/CallLog.h"

#include <functional>
#include <string>
#include <vector>

namespace platform {

class FakeProcessLauncher : public ProcessLauncher {
public:
    explicit FakeProcessLauncher(CallLog& log) : m_log(log) {}

    struct Launch {
        std::string commandLine;
        ShowState show;
        std::string folder;
    };

    // What launch() answers.
    bool succeeds = true;
    // Runs for every successful launch, after it is recorded: lets a test make the started
    // program's window appear.
    std::function<void(const std::string& commandLine)> onLaunch;

    const std::vector<Launch>& launches() const { return m_launches; }

    bool launch(const std::string& commandLine, ShowState show, const std::string& folder) override
    {
        m_log.push_back("launch " + commandLine +
                        (show == ShowState::Hidden ? " [hidden]" : " [normal]") +
                        (folder.empty() ? "" : " in " + folder));
        m_launches.push_back({commandLine, show, folder});
        if (succeeds && onLaunch)
            onLaunch(commandLine);
        return succeeds;
    }

private:
    CallLog& m_log;
    std::vector<Launch> m_launches;
};

} // namespace platform
