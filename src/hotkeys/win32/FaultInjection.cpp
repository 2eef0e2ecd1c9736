// Only in the test build of the hook library (KESTRIHK_FAULT_INJECTION).
#include "hotkeys/win32/FaultInjection.h"

#include "base/win32/Handles.h"

#include <windows.h>

#include <atomic>
#include <new>

namespace hotkeys::win32::fault {

namespace {

std::atomic<int> g_watchRead{0};
std::atomic<int> g_hookMail{0};

std::atomic<int>& slot(Point point)
{
    return point == Point::WatchRead ? g_watchRead : g_hookMail;
}

// A read of a pipe whose other end stays open and silent: it waits until the system
// cancels it (CancelSynchronousIo), as a read of a file on a hung network drive does.
void blockInRead()
{
    base::win32::UniqueKernelHandle readEnd;
    base::win32::UniqueKernelHandle writeEnd;
    if (!CreatePipe(readEnd.put(), writeEnd.put(), nullptr, 0))
        return;
    char byte = 0;
    DWORD got = 0;
    ReadFile(readEnd.get(), &byte, 1, &got, nullptr);
}

} // namespace

void arm(Point point, Kind kind)
{
    slot(point).store(static_cast<int>(kind));
}

void pass(Point point)
{
    switch (static_cast<Kind>(slot(point).load())) {
    case Kind::Throw: throw std::bad_alloc();
    case Kind::Block:
        slot(point).store(0);
        blockInRead();
        break;
    case Kind::None: break;
    }
}

} // namespace hotkeys::win32::fault

extern "C" __declspec(dllexport) void WINAPI KestrihkInjectFault(int point, int kind)
{
    hotkeys::win32::fault::arm(static_cast<hotkeys::win32::fault::Point>(point),
                               static_cast<hotkeys::win32::fault::Kind>(kind));
}
