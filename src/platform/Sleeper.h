#pragma once
// Waiting on the calling thread.

#include <chrono>

namespace platform {

class Sleeper {
public:
    virtual ~Sleeper() = default;
    // Blocks the calling thread for that long; window messages wait in the queue meanwhile.
    virtual void sleep(std::chrono::milliseconds duration) = 0;
};

} // namespace platform
