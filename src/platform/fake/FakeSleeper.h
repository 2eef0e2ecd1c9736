#pragma once
// Records waits instead of waiting. Logs "sleep <milliseconds>".

#include "platform/Sleeper.h"
#include "platform/fake/CallLog.h"

#include <string>

namespace platform {

class FakeSleeper : public Sleeper {
public:
    explicit FakeSleeper(CallLog& log) : m_log(log) {}

    std::chrono::milliseconds total{0};

    void sleep(std::chrono::milliseconds duration) override
    {
        m_log.push_back("sleep " + std::to_string(duration.count()));
        total += duration;
    }

private:
    CallLog& m_log;
};

} // namespace platform
