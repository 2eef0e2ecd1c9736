#pragma once
// Points where a test build of the hook library (kestrihk_faulty.dll, compiled with
// KESTRIHK_FAULT_INJECTION) makes a thread meet what a real run may bring: an exception (a
// profile read that runs out of memory) or a read that blocks (a profile on a drive that
// stops answering). The library must survive the first and still stop in bounded time with
// the second. In the program's own kestrihk.dll every point is empty.

namespace hotkeys::win32::fault {

enum class Point {
    WatchRead = 1, // the watch thread, before it reads the profile
    HookMail = 2,  // the hook thread, as it takes a new key table
};

enum class Kind {
    None = 0,
    Throw = 1, // std::bad_alloc, at every pass until the point is disarmed (None)
    Block = 2, // a synchronous read that waits until the system cancels it, once
};

#ifdef KESTRIHK_FAULT_INJECTION
// Arms a point; its next pass meets the fault.
void arm(Point point, Kind kind);
// Meets the fault armed at `point`, if any.
void pass(Point point);
#else
inline void pass(Point)
{
}
#endif

} // namespace hotkeys::win32::fault
