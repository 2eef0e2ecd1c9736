#pragma once

#include "platform/Sleeper.h"

namespace platform {

// Sleep() on the calling thread.
class Win32Sleeper : public Sleeper {
public:
    void sleep(std::chrono::milliseconds duration) override;
};

} // namespace platform
