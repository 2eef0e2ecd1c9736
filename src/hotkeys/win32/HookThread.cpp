#include "hotkeys/win32/HookThread.h"

#include "hotkeys/win32/FaultInjection.h"

#include <algorithm>

namespace hotkeys::win32 {

namespace {

constexpr UINT_PTR kWatchTimer = 1;

// The thread needs little stack: it matches keys and takes messages.
constexpr SIZE_T kStackSize = 64 * 1024;

constexpr DWORD kKeepAwake = 2000; // ms

// The hook thread object of the thread that runs it: the hook's callback and the watch
// window's procedure run on that thread, and find their object here. Each thread has its own,
// set before it installs anything and cleared once it has removed it.
thread_local HookThread* t_running = nullptr;

HMODULE thisModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS |
                           GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCSTR>(&thisModule), &module);
    return module;
}

// What the system holds down, as of the events before the one being matched.
class SystemKeyState : public KeyState {
public:
    bool isDown(std::uint32_t code) const override
    {
        return (GetAsyncKeyState(static_cast<int>(code)) & 0x8000) != 0;
    }
};
const SystemKeyState g_systemKeys;

} // namespace

HookThread::HookThread(HWND window, const profile::Hotkeys& keys)
    : m_window(window), m_stop(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_ready(CreateEventA(nullptr, TRUE, FALSE, nullptr)),
      m_mailArrived(CreateEventA(nullptr, FALSE, FALSE, nullptr)), m_matcher(keys)
{
}

std::unique_ptr<HookThread> HookThread::start(HWND window, const profile::Hotkeys& keys)
{
    std::unique_ptr<HookThread> thread(new HookThread(window, keys));
    if (!thread->m_stop || !thread->m_ready || !thread->m_mailArrived)
        return nullptr;
    HANDLE handle = CreateThread(nullptr, kStackSize, &threadMain, thread.get(),
                                 STACK_SIZE_PARAM_IS_A_RESERVATION, &thread->m_id);
    if (!handle)
        return nullptr;
    thread->m_thread.reset(handle);
    // Either the hook is in place, or the thread gave up (or died) before.
    HANDLE waits[] = {thread->m_ready.get(), handle};
    WaitForMultipleObjects(2, waits, FALSE, INFINITE);
    if (!thread->m_installed)
        return nullptr;
    return thread;
}

HookThread::~HookThread()
{
    if (m_thread) {
        requestStop();
        WaitForSingleObject(m_thread.get(), INFINITE);
    }
}

void HookThread::requestStop()
{
    SetEvent(m_stop.get());
}

void HookThread::setHotkeys(const profile::Hotkeys& keys)
{
    AcquireSRWLockExclusive(&m_mailLock);
    m_mail = keys;
    ReleaseSRWLockExclusive(&m_mailLock);
    SetEvent(m_mailArrived.get());
}

DWORD WINAPI HookThread::threadMain(void* self)
{
    // An exception ends this thread and nothing else: run() has taken its hook and window
    // away on the way out, and the session's watch starts a new thread.
    try {
        static_cast<HookThread*>(self)->run();
    } catch (...) {
        return 1;
    }
    return 0;
}

void HookThread::run()
{
    MSG msg;
    PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // the thread's message queue
    t_running = this;
    // Whichever way run() ends, the hook and the window go, and the raw input with them.
    struct Cleanup {
        HookThread& thread;
        ~Cleanup()
        {
            thread.m_hook.reset();
            if (thread.m_watchWindow) {
                RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_REMOVE, nullptr};
                RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
                thread.m_watchWindow.reset();
            }
            t_running = nullptr;
        }
    } cleanup{*this};
    HMODULE module = thisModule();

    // The hook goes in before the watch window is made, so that a thread whose watch window
    // can be found has its hook in place (or has failed to place it).
    m_hook.reset(SetWindowsHookExA(WH_KEYBOARD_LL, &keyboardProc, module, 0));
    m_installed = static_cast<bool>(m_hook);
    if (m_installed)
        m_watch.installed(GetTickCount());

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = &watchWindowProc;
    windowClass.hInstance = module;
    windowClass.lpszClassName = kWatchWindowClass;
    RegisterClassA(&windowClass); // fails harmlessly when an earlier thread registered it
    m_watchWindow.reset(CreateWindowExA(0, kWatchWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE,
                                        nullptr, module, nullptr));
    if (m_watchWindow) {
        // Keys typed into any program, also while another one has the focus.
        RAWINPUTDEVICE keyboard{0x01, 0x06, RIDEV_INPUTSINK, m_watchWindow.get()};
        RegisterRawInputDevices(&keyboard, 1, sizeof keyboard);
    }
    SetEvent(m_ready.get());

    if (m_installed) {
        // Ahead of the programs that keep the processor busy: every key waits for this thread.
        SetThreadPriority(GetCurrentThread(), THREAD_PRIORITY_HIGHEST);
        HANDLE waits[] = {m_stop.get(), m_mailArrived.get()};
        for (;;) {
            // Woken at least every kKeepAwake even with nothing to do: Wine passes a hook by at
            // once when its thread has not taken a message for 5 s and is not waiting at that
            // instant, which is the case just after raw input has woken it.
            DWORD woke =
                MsgWaitForMultipleObjectsEx(2, waits, kKeepAwake, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
            if (woke == WAIT_OBJECT_0 || woke == WAIT_FAILED)
                break;
            if (woke == WAIT_OBJECT_0 + 1)
                takeMail();
            // The hook's calls come in here, as messages sent to this thread.
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageA(&msg);
        }
    }
}

LRESULT CALLBACK HookThread::keyboardProc(int code, WPARAM wParam, LPARAM lParam)
{
    // Nothing may leave a callback of the system's but its answer.
    try {
        if (code == HC_ACTION && t_running)
            t_running->onKey(wParam, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(lParam));
    } catch (...) {
    }
    // Every key goes on to the other programs.
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void HookThread::onKey(WPARAM wParam, const KBDLLHOOKSTRUCT& info)
{
    const bool down = wParam == WM_KEYDOWN || wParam == WM_SYSKEYDOWN;
    if (down)
        m_watch.hookKeyDown();
    // While a hook is being replaced, the new one and the old one may both be called for
    // one event; it counts once.
    if (info.vkCode == m_lastEvent.vkCode && info.scanCode == m_lastEvent.scanCode &&
        info.flags == m_lastEvent.flags && info.time == m_lastEvent.time)
        return;
    m_lastEvent = info;
    KeyEvent event;
    event.code = info.vkCode;
    event.down = down;
    event.time = info.time;
    for (const PostedMessage& m : m_matcher.onKey(event, &g_systemKeys))
        PostMessageA(m_window, m.message, 0, m.lParam);
}

void HookThread::takeMail()
{
    fault::pass(fault::Point::HookMail);
    AcquireSRWLockExclusive(&m_mailLock);
    profile::Hotkeys keys = m_mail;
    ReleaseSRWLockExclusive(&m_mailLock);
    m_matcher.setHotkeys(keys);
}

LRESULT CALLBACK HookThread::watchWindowProc(HWND window, UINT message, WPARAM wParam,
                                             LPARAM lParam)
{
    try {
        if (t_running && window == t_running->m_watchWindow.get()) {
            if (message == WM_INPUT)
                t_running->onRawInput(lParam); // the system cleans up in DefWindowProc
            else if (message == WM_TIMER && wParam == kWatchTimer) {
                t_running->onWatchTimer();
                return 0;
            }
        }
    } catch (...) {
        // Nothing may leave a window procedure; the watch tries again at its next key.
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void HookThread::onRawInput(LPARAM rawInput)
{
    RAWINPUT raw;
    UINT size = sizeof raw;
    if (GetRawInputData(reinterpret_cast<HRAWINPUT>(rawInput), RID_INPUT, &raw, &size,
                        sizeof(RAWINPUTHEADER)) == static_cast<UINT>(-1))
        return;
    if (raw.header.dwType != RIM_TYPEKEYBOARD || (raw.data.keyboard.Flags & RI_KEY_BREAK) ||
        raw.data.keyboard.VKey == 0xFF) // 0xFF: part of an escape sequence, not a key
        return;
    m_watch.rawKeyDown(GetTickCount());
    armWatchTimer();
}

void HookThread::onWatchTimer()
{
    DWORD now = GetTickCount();
    if (m_watch.installDue(now))
        installAgain(now);
    armWatchTimer();
}

void HookThread::armWatchTimer()
{
    std::optional<std::uint32_t> next = m_watch.nextCheck(GetTickCount());
    if (next)
        SetTimer(m_watchWindow.get(), kWatchTimer, std::max<UINT>(*next, USER_TIMER_MINIMUM),
                 nullptr);
    else
        KillTimer(m_watchWindow.get(), kWatchTimer);
}

// The system has stopped calling the hook: a new one goes in before the old one goes, so no
// key passes in between.
void HookThread::installAgain(DWORD now)
{
    if (HHOOK fresh = SetWindowsHookExA(WH_KEYBOARD_LL, &keyboardProc, thisModule(), 0))
        m_hook.reset(fresh);
    m_watch.installed(now);
}

} // namespace hotkeys::win32
