#pragma once
// What one SetTheHook starts: the hook thread, and a watch thread beside it that reads the
// profile again when it changes and starts the hook thread again should it ever end. The
// watch thread does everything that may block (file access, waiting for a thread), so that
// the hook thread never does.
//
// The profile is read again when its folder reports a change of it: at once for the first
// report after a quiet spell, and once more when reports follow within kSettle, after they
// have been quiet for kSettle (at most kMaxSettle after the first); and otherwise when its stamp
// changes (looked at every kPollInterval, for a profile that is a link into another folder or
// on a drive that reports no changes). A save that renames a new file over the profile fails
// while anyone holds the profile open (the store then tries again for a moment), so it is
// opened as seldom and as briefly as this allows: never for the stamp of a plain file.
//
// Nothing the watch thread meets ends the process: a read that fails in any way, an exception
// included, keeps the keys in force, and an exception out of the watch itself starts it over.
// Ending a session is bounded: a watch thread stuck in a read is cancelled, and one that still
// does not end is left to end on its own (with the hook thread already ended, so nothing is
// posted any more), reported to the debugger, and never waited for forever.

#include "hotkeys/KeySource.h"
#include "hotkeys/win32/HookThread.h"

#include <windows.h>

#include <memory>
#include <string>

namespace hotkeys::win32 {

class HookSession {
public:
    static constexpr DWORD kPollInterval = 1000;
    static constexpr DWORD kSettle = 50;
    static constexpr DWORD kMaxSettle = 500;
    // How long ending a session waits for the watch thread before and after cancelling its
    // read, and then for the hook thread.
    static constexpr DWORD kStopWait = 1500;

    // Reads the hotkeys of `profilePath`, installs the hook for `window` and starts watching.
    // Nothing when the hook could not be installed.
    static std::unique_ptr<HookSession> start(HWND window, std::string profilePath);

    // Ends both threads; returns once the hook thread has ended, and at most about three times
    // kStopWait later, whatever the watch thread is stuck in (see above).
    ~HookSession();
    HookSession(const HookSession&) = delete;
    HookSession& operator=(const HookSession&) = delete;

private:
    // What the watch thread works on, shared by the session and the thread, so that a thread
    // left to end on its own still has it. The hook thread object is the watch thread's: it
    // alone makes and replaces it while it runs (under hookLock), and the session touches it
    // only to tell it to stop, until the watch thread has ended.
    struct Watch {
        Watch(HWND window, std::string profilePath);
        void run();
        void refresh(KeySource::Refresh how);
        void restartHook();
        bool stopping() const;

        HWND window;
        KeySource keys;
        KernelHandle stop;
        SRWLOCK hookLock = SRWLOCK_INIT;
        std::unique_ptr<HookThread> hook; // guarded by hookLock for writes and for others' reads
    };

    explicit HookSession(std::shared_ptr<Watch> watch) : m_watch(std::move(watch)) {}
    static DWORD WINAPI watchMain(void* shared);
    // Tells the hook thread to stop and waits for it at most `timeout`; true once it ended.
    bool stopHookThread(DWORD timeout);

    std::shared_ptr<Watch> m_watch;
    KernelHandle m_thread;
};

// The stamp of the file at `path` (following links), or one that says it does not exist.
FileStamp fileStamp(const std::string& path);

} // namespace hotkeys::win32
