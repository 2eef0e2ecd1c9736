#pragma once
// Starting another program.

#include <string>

namespace platform {

// How the new program's first window is shown (the show state handed to it at start).
enum class ShowState { Hidden, Normal };

class ProcessLauncher {
public:
    virtual ~ProcessLauncher() = default;
    // Starts a process from a whole command line; the system takes the program from its first
    // token, so a program path with blanks must be quoted by the caller. The process inherits
    // no handles, runs at normal priority with this program's environment, in `folder` (this
    // program's current folder when it is empty), and is neither waited for nor watched.
    // True when the process was created.
    virtual bool launch(const std::string& commandLine, ShowState show,
                        const std::string& folder) = 0;
};

} // namespace platform
