#pragma once
// The thread of the keyboard hook. Every key press on the desktop waits for a low-level
// hook's callback, and the callback runs only when the thread that installed the hook takes
// its messages. So the hook lives on a thread that does nothing else: it waits for messages,
// and its callback matches the key against the hotkey table in memory and posts the messages.
// It reads no file, waits for no other thread, and allocates nothing in the callback. New
// tables come in through a mailbox that is held locked only to copy a table.
//
// The thread also takes the keyboard's raw input, which keeps arriving when the system has
// removed the hook (HookWatch.h), and then installs the hook again.
//
// Nothing the thread meets ends the process: an exception ends the thread alone (its hook
// and window go with it), and the session's watch thread starts a new one.

#include "hotkeys/HookWatch.h"
#include "hotkeys/HotkeyMatcher.h"

#include "profile/Hotkeys.h"

#include "base/win32/Handles.h"

#include <windows.h>

#include <memory>

namespace hotkeys::win32 {

// The class of the hook thread's message-only window, which takes the raw input; never shown.
inline constexpr char kWatchWindowClass[] = "KestrihkKeyWatch";

using KernelHandle = base::win32::UniqueKernelHandle;

class HookThread {
public:
    // Starts the thread and returns once its hook is installed; nothing when the thread
    // could not be started or the system refused the hook (the thread has then ended).
    // Messages go to `window`, from `keys` until setHotkeys() hands over others.
    static std::unique_ptr<HookThread> start(HWND window, const profile::Hotkeys& keys);

    // Ends the thread and returns once it has ended: nothing is posted after that. The thread
    // never waits for anything but its messages, so this takes no longer than one message.
    ~HookThread();
    HookThread(const HookThread&) = delete;
    HookThread& operator=(const HookThread&) = delete;

    // Signalled once the thread has ended, whatever ended it.
    HANDLE handle() const { return m_thread.get(); }
    DWORD id() const { return m_id; }

    // Hands the thread a new table; it takes it before the next key. Callable from any thread.
    void setHotkeys(const profile::Hotkeys& keys);
    // Tells the thread to end, and returns at once; handle() is signalled once it has ended.
    // Callable from any thread.
    void requestStop();

private:
    HookThread(HWND window, const profile::Hotkeys& keys);
    static DWORD WINAPI threadMain(void* self);
    static LRESULT CALLBACK keyboardProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK watchWindowProc(HWND window, UINT message, WPARAM wParam,
                                            LPARAM lParam);

    // On the thread itself (keyboardProc and watchWindowProc find it through a pointer of
    // that thread's own, set while run() runs):
    void run();
    void onKey(WPARAM wParam, const KBDLLHOOKSTRUCT& info);
    void onRawInput(LPARAM rawInput);
    void onWatchTimer();
    void takeMail();
    void armWatchTimer();
    void installAgain(DWORD now);

    HWND m_window;
    KernelHandle m_thread;
    DWORD m_id = 0;
    KernelHandle m_stop;  // set by the owner: end the thread
    KernelHandle m_ready; // set by the thread: the hook is installed, or failed
    KernelHandle m_mailArrived;
    bool m_installed = false;

    SRWLOCK m_mailLock = SRWLOCK_INIT;
    profile::Hotkeys m_mail; // guarded by m_mailLock

    // Owned by the thread:
    HotkeyMatcher m_matcher;
    HookWatch m_watch;
    base::win32::UniqueHook m_hook;
    base::win32::UniqueWindow m_watchWindow;
    KBDLLHOOKSTRUCT m_lastEvent{};
};

} // namespace hotkeys::win32
