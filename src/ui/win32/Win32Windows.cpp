// Making windows: the window classes, the window of each kind of control, and where a form
// opens, at which scale.
#include "base/win32/Win32Error.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Dpi.h"
#include "ui/win32/Win32Peer.h"

#include "ui/Application.h"
#include "ui/Form.h"

#include <commctrl.h>

namespace ui::win32 {

namespace {

// A form's window belongs to a window class named after the form's class (TMainForm,
// TSettingsDlg), as other programs and scripts find a program's windows by class.
std::string formWindowClass(HINSTANCE instance, const Form& form)
{
    std::string name = form.className();
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExA(instance, name.c_str(), &existing)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        if (!GetClassInfoExA(instance, FormClass, &wc))
            return FormClass;
        wc.lpszClassName = name.c_str();
        if (!RegisterClassExA(&wc))
            return FormClass;
    }
    return name;
}

RECT toRect(const Box& box)
{
    return {box.left, box.top, box.right, box.bottom};
}

Box toBox(const RECT& rect)
{
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// The window a form is centred over: the main form's, while it is shown; null for the work
// area of the primary monitor.
HWND centringWindow(const Form& form)
{
    if (form.position() != FormPosition::MainFormCenter &&
        form.position() != FormPosition::OwnerFormCenter) {
        return nullptr;
    }
    Application* app = Application::current();
    Form* main = app ? app->mainForm() : nullptr;
    if (!main || main == &form || !main->visible()) {
        return nullptr;
    }
    return windowHandle(*main);
}

// Where a form's window opens, in screen pixels, and the dpi it is laid out at there.
struct Opening {
    int dpi = kDesignDpi;
    bool systemChosen = false; // the system picks the place (CW_USEDEFAULT)
    Box window;                // the window's rectangle otherwise
};

// A form that opens at its designed place or centred is kept inside the work area of its
// monitor, moved but never cut; the system's own choice of a place is left alone.
Opening formOpening(const Form& form, DWORD style, DWORD exStyle)
{
    Opening opening;
    const bool menu = form.menu() != nullptr;
    auto sizeAt = [&](int dpi) {
        const SIZE client = scaledClientSize(form, dpi);
        const RECT frame = frameAround(style, exStyle, menu, dpi);
        return SIZE{client.cx + frame.left + frame.right, client.cy + frame.top + frame.bottom};
    };
    switch (form.position()) {
    case FormPosition::Designed: {
        // The designed place is in design units of the monitor it falls on.
        const Point guess = scalePoint({form.left(), form.top()}, systemDpi());
        opening.dpi = monitorDpi(MonitorFromPoint({guess.x, guess.y}, MONITOR_DEFAULTTONEAREST));
        const Point at = scalePoint({form.left(), form.top()}, opening.dpi);
        const SIZE size = sizeAt(opening.dpi);
        opening.window = {at.x, at.y, at.x + size.cx, at.y + size.cy};
        break;
    }
    case FormPosition::Default:
    case FormPosition::DefaultPosOnly:
        opening.dpi = systemDpi();
        opening.systemChosen = true;
        return opening;
    default: {
        RECT over;
        if (HWND main = centringWindow(form)) {
            GetWindowRect(main, &over);
            opening.dpi = windowDpi(main);
        } else {
            HMONITOR primary = MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY);
            over = workAreaNear({0, 0, 1, 1});
            opening.dpi = monitorDpi(primary);
        }
        const SIZE size = sizeAt(opening.dpi);
        opening.window = centredOver(toBox(over), size.cx, size.cy);
        break;
    }
    }
    opening.window = keptInside(opening.window, toBox(workAreaNear(toRect(opening.window))));
    return opening;
}

} // namespace

void registerWindowClasses(HINSTANCE instance)
{
    // The program's icon, each in the size the system shows at its scale, from an image of
    // that size (the icon holds one for each scale). Not shared: a shared icon keeps the
    // size it was first loaded in, whatever size a later load asks for (the tray's, for one).
    // The classes own them for the life of the program.
    auto icon = [instance](int width, int height) {
        return static_cast<HICON>(LoadImageA(instance, ProgramIcon, IMAGE_ICON,
                                             GetSystemMetrics(width), GetSystemMetrics(height), 0));
    };
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpfnWndProc = &ownProc;
    wc.lpszClassName = FormClass;
    wc.hIcon = icon(SM_CXICON, SM_CYICON);
    wc.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
    RegisterClassExA(&wc);
    wc.lpszClassName = ContainerClass;
    wc.hIcon = nullptr;
    wc.hIconSm = nullptr;
    RegisterClassExA(&wc);
    wc.lpfnWndProc = &appProc;
    wc.lpszClassName = AppClass;
    wc.hIcon = icon(SM_CXICON, SM_CYICON);
    wc.hIconSm = icon(SM_CXSMICON, SM_CYSMICON);
    RegisterClassExA(&wc);
}

DWORD formStyle(const Form& form, DWORD& exStyle)
{
    exStyle = 0;
    switch (form.borderStyle()) {
    case FormBorderStyle::None: return WS_POPUP;
    case FormBorderStyle::Single: return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    case FormBorderStyle::Sizeable: return WS_OVERLAPPEDWINDOW;
    case FormBorderStyle::Dialog:
        exStyle = WS_EX_DLGMODALFRAME;
        return WS_POPUP | WS_CAPTION | WS_SYSMENU;
    case FormBorderStyle::ToolWindow:
        exStyle = WS_EX_TOOLWINDOW;
        return WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
    case FormBorderStyle::SizeToolWin: exStyle = WS_EX_TOOLWINDOW; return WS_OVERLAPPEDWINDOW;
    }
    return WS_OVERLAPPEDWINDOW;
}

std::unique_ptr<ControlPeer> createControlWindow(WinControl& control, HINSTANCE instance,
                                                 HWND appWindow)
{
    HWND parent = nullptr;
    int dpi = kDesignDpi;
    if (control.parent()) {
        auto* p = static_cast<Peer*>(control.parent()->peer());
        if (!p || !p->hwnd()) {
            return nullptr; // the parent's window comes first
        }
        parent = p->hwnd();
        dpi = p->dpi();
    }
    const WindowKind& kind = windowKindOf(control);
    const char* cls = kind.windowClass ? kind.windowClass : ContainerClass;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
    DWORD exStyle = kind.exStyle;
    const bool subclass = kind.subclass;
    Box place = scaleBox(control.boundsRect(), dpi);
    int x = place.left;
    int y = place.top;

    std::string formClass;
    Form* form = kind.form ? static_cast<Form*>(&control) : nullptr;
    if (form) {
        formClass = formWindowClass(instance, *form);
        cls = formClass.c_str();
        style = formStyle(*form, exStyle) | WS_CLIPCHILDREN;
        parent = appWindow;
        const Opening opening = formOpening(*form, style, exStyle);
        dpi = opening.dpi;
        // The model's frame in design units; its client size stays as designed.
        const RECT frame = frameAround(style, exStyle, form->menu() != nullptr, dpi);
        const Box insets{unscaleLength(frame.left, dpi), unscaleLength(frame.top, dpi),
                         unscaleLength(frame.right, dpi), unscaleLength(frame.bottom, dpi)};
        if (insets != form->frameInsets()) {
            form->setFrameInsets(insets);
        }
        const SIZE client = scaledClientSize(*form, dpi);
        place = {0, 0, client.cx + frame.left + frame.right, client.cy + frame.top + frame.bottom};
        if (opening.systemChosen) {
            x = CW_USEDEFAULT;
            y = CW_USEDEFAULT;
        } else {
            place = opening.window;
            x = place.left;
            y = place.top;
        }
    } else if (kind.valueStyles) {
        kind.valueStyles(control, style, exStyle);
    }
    if (!form && control.visible()) {
        style |= WS_VISIBLE;
    }
    if (!control.enabled()) {
        style |= WS_DISABLED;
    }
    if (control.tabStop()) {
        style |= WS_TABSTOP;
    }
    HWND hwnd = CreateWindowExA(exStyle, cls, control.text().c_str(), style, x, y, place.width(),
                                place.height(), parent, nullptr, instance, nullptr);
    if (!hwnd) {
        // A control without its window would take every change and show none of it.
        throw base::win32::Win32Error::last("CreateWindowExA");
    }
    auto peer = std::make_unique<Peer>(control, hwnd, subclass, dpi);
    if (form) {
        // The window's own scale wins where the system tells it (a place on another monitor
        // than expected); the client area gets its exact size.
        if (const int actual = windowDpi(hwnd); actual != dpi) {
            RECT r;
            GetWindowRect(hwnd, &r);
            peer->dpiChanged(actual, r);
        } else {
            fitClientArea(hwnd, scaledClientSize(*form, dpi));
        }
        peer->formPlaced();
    }
    peer->applyAll();
    return peer;
}

namespace {

// What a caption takes in a control's window, in its pixels: the text's extent in the
// window's font (access-key marks left out), and what stands before the text (a check box's
// box and the gap after it) or around it (a button's edges, on each side).
struct CaptionMetrics {
    SIZE extent{};
    int lead = 0;
    SIZE edges{};
};

CaptionMetrics captionMetrics(HWND hwnd, const WinControl& control, int dpi)
{
    CaptionMetrics metrics;
    base::win32::WindowDC window(hwnd);
    if (!window) {
        return metrics;
    }
    const HDC dc = window.get();
    base::win32::SelectionGuard font(
        dc, reinterpret_cast<HGDIOBJ>(SendMessageA(hwnd, WM_GETFONT, 0, 0)));
    const std::string text = windowText(hwnd);
    RECT extent{0, 0, 0, 0};
    DrawTextA(dc, text.c_str(), -1, &extent, DT_CALCRECT | DT_SINGLELINE);
    metrics.extent = {extent.right, extent.bottom};
    const CaptionLayout layout = windowKindOf(control).caption;
    if (layout == CaptionLayout::AfterBox) {
        // The box, then half a digit's width before the text, as the system draws them.
        INT digit = 0;
        GetCharWidth32A(dc, '0', '0', &digit);
        metrics.lead = metricForDpi(SM_CXMENUCHECK, dpi) + digit / 2;
    } else if (layout == CaptionLayout::WithinEdge) {
        metrics.edges = {metricForDpi(SM_CXEDGE, dpi), metricForDpi(SM_CYEDGE, dpi)};
    }
    return metrics;
}

} // namespace

int captionWidth(HWND hwnd, const WinControl& control, int dpi)
{
    const CaptionMetrics metrics = captionMetrics(hwnd, control, dpi);
    return metrics.lead + metrics.extent.cx;
}

TextFit measureText(const WinControl& control)
{
    TextFit fit;
    auto* peer = dynamic_cast<const Peer*>(control.peer());
    if (!peer || !peer->hwnd()) {
        return fit;
    }
    const CaptionMetrics metrics = captionMetrics(peer->hwnd(), control, peer->dpi());
    RECT client;
    GetClientRect(peer->hwnd(), &client);
    fit.extent = metrics.extent;
    fit.room = {client.right - metrics.lead - 2 * metrics.edges.cx,
                client.bottom - 2 * metrics.edges.cy};
    return fit;
}

} // namespace ui::win32
