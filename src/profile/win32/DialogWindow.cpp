#include "profile/DialogWindow.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/win32/Win32Backend.h"

#include <windows.h>

namespace profile {

namespace {

// The window property that holds a form's help hook; never translated.
const char* const HelpProperty = "KestrionContextHelp";

struct ContextHelp {
    ui::Form& form;
    std::function<void(ui::Control&)> onHelp;
    WNDPROC previous;
};

// The windowed control below `parent` whose window is `hwnd`, or null.
ui::Control* controlOfWindow(const ui::WinControl& parent, HWND hwnd)
{
    for (ui::Control* child : parent.controls()) {
        auto* windowed = dynamic_cast<ui::WinControl*>(child);
        if (!windowed) {
            continue;
        }
        if (ui::win32::windowHandle(*windowed) == hwnd) {
            return windowed;
        }
        if (ui::Control* inner = controlOfWindow(*windowed, hwnd)) {
            return inner;
        }
    }
    return nullptr;
}

// The form's window procedure in front of the framework's. A help request for a child
// window travels up to the form through the system's default handling, so one hook on the
// form sees them all.
LRESULT CALLBACK helpProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    auto* help = static_cast<ContextHelp*>(GetPropA(hwnd, HelpProperty));
    if (!help) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    const WNDPROC previous = help->previous;
    if (msg == WM_HELP) {
        // F1 is a key of the form's own: the dialog turns it into help, a key field takes it
        // as a hotkey. The system asks for help on the same key press once more, while F1 is
        // still down; that request goes no further.
        if (GetKeyState(VK_F1) < 0) {
            return TRUE;
        }
        const auto* info = reinterpret_cast<const HELPINFO*>(lParam);
        if (info && info->iContextType == HELPINFO_WINDOW) {
            auto* item = static_cast<HWND>(info->hItemHandle);
            ui::Control* control = item == hwnd ? &help->form : controlOfWindow(help->form, item);
            if (control) {
                ui::runUserAction([help, control] { help->onHelp(*control); });
            }
        }
        return TRUE;
    }
    if (msg == WM_NCDESTROY) {
        RemovePropA(hwnd, HelpProperty);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(previous));
        delete help;
    }
    return CallWindowProcA(previous, hwnd, msg, wParam, lParam);
}

} // namespace

void enableContextHelp(ui::Form& form, std::function<void(ui::Control&)> onHelp)
{
    HWND hwnd = ui::win32::windowHandle(form);
    if (!hwnd || GetPropA(hwnd, HelpProperty)) {
        return;
    }
    auto* help = new ContextHelp{form, std::move(onHelp), nullptr};
    SetPropA(hwnd, HelpProperty, help);
    help->previous = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&helpProc)));
    // The help button shows in the title bar of a window without minimize and maximize
    // buttons; the frame is drawn anew to show it.
    SetWindowLongPtrA(hwnd, GWL_EXSTYLE, GetWindowLongPtrA(hwnd, GWL_EXSTYLE) | WS_EX_CONTEXTHELP);
    SetWindowPos(hwnd, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void syncTopIndex(ui::ListBox& list)
{
    HWND hwnd = ui::win32::windowHandle(list);
    if (!hwnd) {
        return;
    }
    const auto top = static_cast<std::int32_t>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
    if (top >= 0 && top != list.topIndex()) {
        list.scrolledByUser(top);
    }
}

} // namespace profile
