#pragma once
// Handing a document or an address to the program the user chose for it.

#include <string>

namespace platform {

class ShellOpener {
public:
    virtual ~ShellOpener() = default;
    // Opens a web address ("http://..."), a mail address ("mailto:...") or a file with the
    // shell's "open" verb, no parameters, in a normal window (ShellExecuteA). True when the
    // shell started the program for it; false when nothing is registered for it, the file does
    // not exist, or starting failed.
    virtual bool open(const std::string& target) = 0;
};

} // namespace platform
