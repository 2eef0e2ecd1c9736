// The backend object: its windows, message boxes, the message loops and the modal state.
#include "ui/win32/Win32Backend.h"
#include "base/win32/Win32Error.h"
#include "ui/win32/Win32Peer.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace ui::win32 {

namespace {

Win32Backend* g_backend = nullptr;

// The system sends WM_DPICHANGED, with the address of a rectangle in this process; it never
// posts it. One taken from the queue was posted by another program, with an address of its
// choosing: it becomes an empty message.
LRESULT CALLBACK dropPostedSystemMessages(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HC_ACTION) {
        auto* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == WM_DPICHANGED) {
            msg->message = WM_NULL;
            msg->wParam = 0;
            msg->lParam = 0;
        }
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

Win32Backend* installedBackend()
{
    return g_backend;
}

std::uint8_t shiftState()
{
    std::uint8_t shift = ssNone;
    if (GetKeyState(VK_SHIFT) < 0) {
        shift |= ssShift;
    }
    if (GetKeyState(VK_CONTROL) < 0) {
        shift |= ssCtrl;
    }
    if (GetKeyState(VK_MENU) < 0) {
        shift |= ssAlt;
    }
    return shift;
}

Win32Backend::Win32Backend(HINSTANCE instance) : m_instance(instance)
{
    g_backend = this;
    INITCOMMONCONTROLSEX icc{sizeof icc,
                             ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);
    registerWindowClasses(instance);
    m_appWindow.reset(CreateWindowExA(0, AppClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0,
                                      0, nullptr, nullptr, instance, nullptr));
    if (!m_appWindow) {
        throw base::win32::Win32Error::last("CreateWindowExA");
    }
    m_queueFilter.reset(
        SetWindowsHookExA(WH_GETMESSAGE, &dropPostedSystemMessages, nullptr, GetCurrentThreadId()));
}

Win32Backend::~Win32Backend()
{
    // The filter, the tooltip and the application window go with their owners, in that order.
    if (g_backend == this) {
        g_backend = nullptr;
    }
}

HWND Win32Backend::tooltipWindow()
{
    if (!m_tooltip) {
        m_tooltip.reset(CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                        WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                        CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                        m_appWindow.get(), nullptr, m_instance, nullptr));
    }
    return m_tooltip.get();
}

ModalResult Win32Backend::showMessageBox(const MessageBoxRequest& request)
{
    UINT flags = static_cast<UINT>(request.buttons);
    switch (request.icon) {
    case MessageIcon::None: break;
    case MessageIcon::Error: flags |= MB_ICONERROR; break;
    case MessageIcon::Warning: flags |= MB_ICONWARNING; break;
    case MessageIcon::Information: flags |= MB_ICONINFORMATION; break;
    case MessageIcon::Question: flags |= MB_ICONQUESTION; break;
    }
    HWND owner = GetActiveWindow();
    if (!owner || !peerOf(owner)) {
        owner = m_appWindow.get();
    }
    const int answer = MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), flags);
    return answer == 0 ? ModalResult::Cancel : static_cast<ModalResult>(answer);
}

std::uint32_t Win32Backend::systemColor(int index) const
{
    return GetSysColor(index);
}

bool Win32Backend::highContrast() const
{
    HIGHCONTRASTA setting{};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

std::string Win32Backend::keyName(std::uint16_t key) const
{
    // The keys of the cursor block, the number pad's divide key and the right-hand modifiers
    // share their scan codes with others and are told apart by the extended-key bit.
    static constexpr std::uint16_t extended[] = {
        VK_PRIOR,    VK_NEXT,  VK_END,    VK_HOME,   VK_LEFT,   VK_UP,
        VK_RIGHT,    VK_DOWN,  VK_INSERT, VK_DELETE, VK_DIVIDE, VK_NUMLOCK,
        VK_RCONTROL, VK_RMENU, VK_LWIN,   VK_RWIN,   VK_APPS};
    const UINT scan = MapVirtualKeyA(key, MAPVK_VK_TO_VSC);
    if (scan != 0) {
        LONG lParam = static_cast<LONG>(scan << 16);
        if (std::find(std::begin(extended), std::end(extended), key) != std::end(extended)) {
            lParam |= 1L << 24;
        }
        char name[64] = {};
        if (GetKeyNameTextA(lParam, name, sizeof name) > 0) {
            return name;
        }
    }
    // The system names no key without a scan code (under Wine, the number pad's).
    return Backend::keyName(key);
}

void Win32Backend::accessibleEvent(Control& control, AccessibleEvent event)
{
    notifyAccessibleEvent(control, event);
}

void Win32Backend::announce(Control& control, const std::string& text)
{
    announceText(control, text);
}

std::unique_ptr<ControlPeer> Win32Backend::createPeer(WinControl& control)
{
    return createControlWindow(control, m_instance, m_appWindow.get());
}

void Win32Backend::applicationChanged(Application& application)
{
    SetWindowTextA(m_appWindow.get(), application.title().c_str());
    LONG_PTR ex = GetWindowLongPtrA(m_appWindow.get(), GWL_EXSTYLE);
    ex = application.toolWindowOwner() ? (ex | WS_EX_TOOLWINDOW) : (ex & ~WS_EX_TOOLWINDOW);
    SetWindowLongPtrA(m_appWindow.get(), GWL_EXSTYLE, ex);
}

void Win32Backend::postMessage(Form& target, const Message& message)
{
    target.createHandle();
    if (HWND hwnd = windowHandle(target)) {
        PostMessageA(hwnd, message.id, message.wParam, message.lParam);
    }
}

bool Win32Backend::handleOne(const MSG& msg)
{
    if (msg.message == WM_QUIT) {
        return false;
    }
    if (msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) {
        if (Peer* peer = peerOf(msg.hwnd)) {
            if (Form* form = Form::parentForm(peer->control())) {
                const auto key = static_cast<std::uint16_t>(msg.wParam);
                const std::uint8_t shift = shiftState();
                bool used = false;
                runUserAction([&] { used = form->handleKey(key, shift); });
                if (used) {
                    return true;
                }
            }
        }
    }
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

void Win32Backend::processMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!handleOne(msg)) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
    }
}

void Win32Backend::runMessageLoop(Application& application)
{
    MSG msg;
    while (!application.terminated() && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        handleOne(msg);
    }
}

void Win32Backend::quit()
{
    PostMessageA(m_appWindow.get(), WM_NULL, 0, 0); // wakes the loop, which then sees the flag
}

void Win32Backend::runModalLoop(Form& form)
{
    // Every other window of the program takes no input while the form is open.
    std::vector<HWND> disabled;
    HWND own = windowHandle(form);
    Application* app = Application::current();
    if (app) {
        for (Component* c : app->components()) {
            auto* other = dynamic_cast<Form*>(c);
            HWND hwnd = other ? windowHandle(*other) : nullptr;
            if (hwnd && hwnd != own && IsWindowEnabled(hwnd)) {
                EnableWindow(hwnd, FALSE);
                disabled.push_back(hwnd);
            }
        }
    }
    if (own) {
        SetForegroundWindow(own);
    }
    MSG msg;
    while (form.modalResult() == ModalResult::None && !(app && app->terminated())) {
        if (GetMessageA(&msg, nullptr, 0, 0) <= 0) {
            PostQuitMessage(0);
            break;
        }
        handleOne(msg);
    }
    for (HWND hwnd : disabled) {
        if (IsWindow(hwnd)) {
            EnableWindow(hwnd, TRUE);
        }
    }
}

int layoutDpi(const Control& control)
{
    const ControlPeer* peer = control.windowPeer();
    return peer ? peer->dpi() : kDesignDpi;
}

HWND windowHandle(const Control& control)
{
    ControlPeer* peer = control.windowPeer();
    auto* p = dynamic_cast<Peer*>(peer);
    return p ? p->hwnd() : nullptr;
}

} // namespace ui::win32
