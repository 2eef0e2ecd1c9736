#pragma once
// The one way a failed call of the system is reported: the call's name and the system's error
// code, taken at the call (`Win32Error::last("CreateFileA")` right after it failed), and one
// text for it. Texts users see keep their own fixed wording; the code goes with them where
// they show it.

#include <windows.h>

#include <stdexcept>
#include <string>

namespace base::win32 {

// The system's own text for an error code, without its line end; "System error N" when the
// system has none.
std::string systemMessage(DWORD code);

class Win32Error : public std::runtime_error {
public:
    Win32Error(std::string call, DWORD code)
        : std::runtime_error(call + ": " + systemMessage(code)), m_call(std::move(call)),
          m_code(code)
    {
    }
    // The error of the call that just failed on this thread.
    static Win32Error last(std::string call) { return Win32Error(std::move(call), GetLastError()); }

    const std::string& call() const noexcept { return m_call; }
    DWORD code() const noexcept { return m_code; }

private:
    std::string m_call;
    DWORD m_code;
};

} // namespace base::win32
