#include "hotkeys/win32/HookSession.h"

#include "hotkeys/win32/FaultInjection.h"

#include "base/Paths.h"

#include <algorithm>
#include <string_view>

namespace hotkeys::win32 {

namespace {

constexpr SIZE_T kStackSize = 64 * 1024;

using base::fileNameOf;
using base::folderOf;

std::wstring wide(const std::string& text)
{
    int n = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), out.data(), n);
    return out;
}

// Reports changes of one file by watching its folder. Other files of the folder do not count:
// a save writes a file of its own beside the profile before it renames it over the profile,
// and the profile is read only once that is done. (The profile being open at the moment a
// save renames over it makes the save fail.)
class ProfileChanges {
public:
    explicit ProfileChanges(const std::string& path)
        : m_folder(folderOf(path)), m_name(wide(fileNameOf(path))),
          m_event(CreateEventA(nullptr, TRUE, FALSE, nullptr))
    {
        open();
    }
    ~ProfileChanges() { close(); }
    ProfileChanges(const ProfileChanges&) = delete;
    ProfileChanges& operator=(const ProfileChanges&) = delete;

    bool watching() const { return static_cast<bool>(m_folderHandle); }
    // Signalled when the folder reported changes; then call takeChanges().
    HANDLE event() const { return m_event.get(); }

    // Tries again where the folder could not be watched (it may exist by now).
    void open()
    {
        if (watching() || !m_event)
            return;
        m_folderHandle.reset(
            CreateFileA(m_folder.c_str(), FILE_LIST_DIRECTORY,
                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
        if (watching() && !arm())
            close();
    }

    // Whether the changes reported concern the profile; watches on. A report too long for
    // the buffer counts as a change.
    bool takeChanges()
    {
        DWORD bytes = 0;
        if (!GetOverlappedResult(m_folderHandle.get(), &m_overlapped, &bytes, FALSE)) {
            close(); // the folder went away; open() tries again later
            return true;
        }
        bool profile = bytes == 0;
        for (DWORD offset = 0; offset < bytes;) {
            const auto* info = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(m_buffer + offset);
            std::wstring_view name(info->FileName, info->FileNameLength / sizeof(WCHAR));
            if (CompareStringW(LOCALE_INVARIANT, NORM_IGNORECASE, name.data(),
                               static_cast<int>(name.size()), m_name.data(),
                               static_cast<int>(m_name.size())) == CSTR_EQUAL)
                profile = true;
            if (info->NextEntryOffset == 0)
                break;
            offset += info->NextEntryOffset;
        }
        if (!arm())
            close();
        return profile;
    }

private:
    bool arm()
    {
        ResetEvent(m_event.get());
        m_overlapped = {};
        m_overlapped.hEvent = m_event.get();
        return ReadDirectoryChangesW(m_folderHandle.get(), m_buffer, sizeof m_buffer, FALSE,
                                     FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_LAST_WRITE |
                                         FILE_NOTIFY_CHANGE_SIZE,
                                     nullptr, &m_overlapped, nullptr) != 0;
    }
    void close()
    {
        if (!watching())
            return;
        // The buffer must outlive the read the system may still be doing.
        if (CancelIo(m_folderHandle.get())) {
            DWORD bytes = 0;
            GetOverlappedResult(m_folderHandle.get(), &m_overlapped, &bytes, TRUE);
        }
        m_folderHandle.reset();
        ResetEvent(m_event.get());
    }

    std::string m_folder;
    std::wstring m_name;
    KernelHandle m_event;
    base::win32::UniqueFile m_folderHandle;
    OVERLAPPED m_overlapped{};
    alignas(DWORD) BYTE m_buffer[8192];
};

} // namespace

FileStamp fileStamp(const std::string& path)
{
    // Asked by name, so that the file is not held open: a save that renames over an open file
    // fails. A link is opened to reach the file it names.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return {};
    FileStamp stamp;
    stamp.exists = true;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        stamp.writeTime = (std::uint64_t(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
        stamp.size = (std::uint64_t(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        return stamp;
    }
    base::win32::UniqueFile file(CreateFileA(path.c_str(), 0,
                                             FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                             nullptr, OPEN_EXISTING, 0, nullptr));
    if (!file)
        return {};
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info))
        return {};
    stamp.writeTime = (std::uint64_t(info.ftLastWriteTime.dwHighDateTime) << 32) |
                      info.ftLastWriteTime.dwLowDateTime;
    stamp.size = (std::uint64_t(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    stamp.fileId = ((std::uint64_t(info.nFileIndexHigh) << 32) | info.nFileIndexLow) ^
                   (std::uint64_t(info.dwVolumeSerialNumber) << 16);
    return stamp;
}

HookSession::Watch::Watch(HWND window_, std::string profilePath)
    : window(window_), keys(std::move(profilePath)),
      stop(CreateEventA(nullptr, TRUE, FALSE, nullptr))
{
}

bool HookSession::Watch::stopping() const
{
    return WaitForSingleObject(stop.get(), 0) == WAIT_OBJECT_0;
}

std::unique_ptr<HookSession> HookSession::start(HWND window, std::string profilePath)
{
    auto watch = std::make_shared<Watch>(window, std::move(profilePath));
    if (!watch->stop)
        return nullptr;
    watch->keys.refresh(fileStamp(watch->keys.path()), KeySource::Refresh::Always);
    watch->hook = HookThread::start(window, watch->keys.keys());
    if (!watch->hook)
        return nullptr;
    std::unique_ptr<HookSession> session(new HookSession(watch));
    // Without the watch thread the hook still works, with the keys read now.
    auto* shared = new std::shared_ptr<Watch>(std::move(watch));
    session->m_thread.reset(CreateThread(nullptr, kStackSize, &watchMain, shared,
                                         STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
    if (!session->m_thread)
        delete shared;
    return session;
}

bool HookSession::stopHookThread(DWORD timeout)
{
    KernelHandle ended;
    AcquireSRWLockExclusive(&m_watch->hookLock);
    if (m_watch->hook) {
        m_watch->hook->requestStop();
        // A handle of our own: the watch thread may replace its hook object meanwhile.
        DuplicateHandle(GetCurrentProcess(), m_watch->hook->handle(), GetCurrentProcess(),
                        ended.put(), SYNCHRONIZE, FALSE, 0);
    }
    ReleaseSRWLockExclusive(&m_watch->hookLock);
    if (!ended)
        return true;
    return WaitForSingleObject(ended.get(), timeout) == WAIT_OBJECT_0;
}

HookSession::~HookSession()
{
    SetEvent(m_watch->stop.get());
    if (!m_thread) {
        m_watch->hook.reset();
        return;
    }
    // The hook goes first: from then on nothing is posted, whatever the watch thread does.
    stopHookThread(0);
    bool ended = WaitForSingleObject(m_thread.get(), kStopWait) == WAIT_OBJECT_0;
    if (!ended) {
        // A read of a profile on a drive that stopped answering.
        CancelSynchronousIo(m_thread.get());
        ended = WaitForSingleObject(m_thread.get(), kStopWait) == WAIT_OBJECT_0;
    }
    if (ended) {
        m_watch->hook.reset();
        return;
    }
    // The watch thread ends on its own when its read returns; it starts no hook any more.
    if (!stopHookThread(kStopWait))
        OutputDebugStringA("kestrihk: the hook thread did not end\n");
    OutputDebugStringA("kestrihk: the profile watch is stuck in a read; it ends on its own\n");
}

DWORD WINAPI HookSession::watchMain(void* shared)
{
    std::unique_ptr<std::shared_ptr<Watch>> owner(static_cast<std::shared_ptr<Watch>*>(shared));
    Watch& watch = **owner;
    // An exception out of the watch starts it over, after a pause that keeps a fault that
    // recurs from taking the processor.
    while (!watch.stopping()) {
        try {
            watch.run();
        } catch (...) {
            WaitForSingleObject(watch.stop.get(), kPollInterval);
        }
    }
    AcquireSRWLockExclusive(&watch.hookLock);
    std::unique_ptr<HookThread> last = std::move(watch.hook);
    ReleaseSRWLockExclusive(&watch.hookLock);
    return 0;
}

void HookSession::Watch::refresh(KeySource::Refresh how)
{
    // A read that fails in any way, running out of memory included, keeps the keys in force;
    // the next look reads again.
    try {
        fault::pass(fault::Point::WatchRead);
        if (keys.refresh(fileStamp(keys.path()), how) && hook)
            hook->setHotkeys(keys.keys());
    } catch (...) {
    }
}

void HookSession::Watch::restartHook()
{
    std::unique_ptr<HookThread> old;
    AcquireSRWLockExclusive(&hookLock);
    old = std::move(hook);
    ReleaseSRWLockExclusive(&hookLock);
    old.reset(); // ended already, or ends at once
    if (stopping())
        return;
    std::unique_ptr<HookThread> fresh = HookThread::start(window, keys.keys());
    AcquireSRWLockExclusive(&hookLock);
    hook = std::move(fresh);
    if (stopping() && hook)
        hook->requestStop();
    ReleaseSRWLockExclusive(&hookLock);
}

void HookSession::Watch::run()
{
    ProfileChanges changes(keys.path());
    bool settling = false;
    bool changedSince = false;
    DWORD settleStart = 0;
    DWORD lastChange = 0;
    for (;;) {
        HANDLE waits[3] = {stop.get()};
        DWORD count = 1;
        DWORD changeIndex = MAXDWORD;
        DWORD hookIndex = MAXDWORD;
        if (changes.watching()) {
            changeIndex = count;
            waits[count++] = changes.event();
        }
        if (hook) {
            hookIndex = count;
            waits[count++] = hook->handle();
        }
        DWORD timeout = kPollInterval;
        if (settling) {
            DWORD now = GetTickCount();
            DWORD quiet = now - lastChange;
            DWORD waited = now - settleStart;
            timeout = quiet >= kSettle || waited >= kMaxSettle
                          ? 0
                          : std::min<DWORD>(kSettle - quiet, kMaxSettle - waited);
        }
        DWORD woke = WaitForMultipleObjects(count, waits, FALSE, timeout);
        if (woke == WAIT_OBJECT_0)
            return;
        if (woke == WAIT_OBJECT_0 + changeIndex) {
            if (changes.takeChanges()) {
                lastChange = GetTickCount();
                if (!settling) {
                    // The first report after a quiet spell is read at once (a save reports
                    // the profile once it is complete); those that follow it closely, once
                    // they have stopped.
                    refresh(KeySource::Refresh::Always);
                    settling = true;
                    settleStart = lastChange;
                    changedSince = false;
                } else {
                    changedSince = true;
                }
            }
        } else if (woke == WAIT_OBJECT_0 + hookIndex) {
            // The hook thread ended, and its hook with it: a new one takes over.
            restartHook();
        } else if (woke == WAIT_TIMEOUT) {
            if (!settling)
                refresh(KeySource::Refresh::IfStampChanged);
            else if (changedSince)
                refresh(KeySource::Refresh::Always);
            settling = false;
            changes.open();
            if (!hook)
                restartHook();
        } else {
            Sleep(kPollInterval); // cannot happen with valid handles; never spin
        }
    }
}

} // namespace hotkeys::win32
