// The window procedures: what the system tells our windows goes to the model's functions as
// user actions (see Win32Backend.h for the list).
#include "ui/win32/Win32Peer.h"

#include "ui/win32/Win32Backend.h"

#include "base/win32/Handles.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/Menu.h"

#include <commctrl.h>
#include <windowsx.h>

namespace ui::win32 {

namespace {

// What our own windows (forms, containers) and the subclassed system windows both handle.
bool commonMessage(Peer& peer, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result)
{
    switch (msg) {
    case WM_COMMAND:
        if (lParam != 0) {
            if (peer.childCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam))) {
                result = 0;
                return true;
            }
        } else if (HIWORD(wParam) == 0) {
            if (Form* form = peer.form(); form && form->menu()) {
                if (MenuItem* item = form->menu()->findByCommand(LOWORD(wParam))) {
                    runUserAction([item] { item->click(); });
                    result = 0;
                    return true;
                }
            }
        }
        return false;
    case WM_MENUCOMMAND:
        if (Form* form = peer.form(); form && form->menu()) {
            if (MenuItem* item = chosenByPlace(reinterpret_cast<HMENU>(lParam),
                                               static_cast<UINT>(wParam), *form->menu())) {
                runUserAction([item] { item->click(); });
            }
            result = 0;
            return true;
        }
        return false;
    case WM_INITMENUPOPUP:
        if (Form* form = peer.form(); form && form->menu()) {
            fillOpeningSubmenu(reinterpret_cast<HMENU>(wParam), *form->menu());
        }
        return false;
    case WM_UNINITMENUPOPUP:
        // A long submenu that was filled as it opened goes again with the next menu bar, once
        // the menu has closed: the bar is never replaced while the user moves through it.
        if (GetMenuItemCount(reinterpret_cast<HMENU>(wParam)) > FilledWhenOpened) {
            peer.rebuildMenuAfterLoop();
        }
        return false;
    case WM_EXITMENULOOP:
        if (peer.takeMenuRebuild()) {
            PostMessageA(hwnd, RebuildMenuMessage, 0, 0);
        }
        return false;
    case RebuildMenuMessage:
        peer.rebuildMenu();
        result = 0;
        return true;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (lParam != 0) {
            peer.scrolled(reinterpret_cast<HWND>(lParam));
            result = 0;
            return true;
        }
        return false;
    case WM_CONTEXTMENU: {
        Peer* target = peerOf(reinterpret_cast<HWND>(wParam));
        if (!target) {
            return false;
        }
        int x = GET_X_LPARAM(lParam);
        int y = GET_Y_LPARAM(lParam);
        if (x == -1 && y == -1) { // from the keyboard: at the control's top-left corner
            POINT p{0, 0};
            ClientToScreen(target->hwnd(), &p);
            x = p.x;
            y = p.y;
        }
        bool opened = false;
        runUserAction([&] { opened = target->control().contextPopup(x, y); });
        result = 0;
        return opened;
    }
    case WM_GETOBJECT: return answerGetObject(hwnd, wParam, lParam, result);
    default: return false;
    }
}

struct ColourChange {
    UINT msg;
    WPARAM wParam;
    LPARAM lParam;
};

BOOL CALLBACK passColourChange(HWND child, LPARAM data)
{
    const auto* change = reinterpret_cast<const ColourChange*>(data);
    SendMessageA(child, change->msg, change->wParam, change->lParam);
    return TRUE;
}

// The system's colours or its high-contrast setting changed: the common controls below a
// top-level window hear of it only from that window, and the model paints its controls again.
void coloursChanged(Peer& peer, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if ((GetWindowLongPtrA(hwnd, GWL_STYLE) & WS_CHILD) != 0) {
        return;
    }
    ColourChange change{msg, wParam, lParam};
    EnumChildWindows(hwnd, passColourChange, reinterpret_cast<LPARAM>(&change));
    peer.control().systemColorsChanged();
}

// Passes the pointer's moves and clicks over a window with a hint on to the tip, which shows
// the hint when the pointer rests there.
void relayToTip(const Peer& peer, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (!peer.hasTip() || msg < WM_MOUSEFIRST || msg > WM_MBUTTONUP) {
        return;
    }
    Win32Backend* backend = installedBackend();
    if (!backend) {
        return;
    }
    const DWORD at = GetMessagePos();
    MSG relayed{hwnd,
                msg,
                wParam,
                lParam,
                static_cast<DWORD>(GetMessageTime()),
                POINT{GET_X_LPARAM(at), GET_Y_LPARAM(at)}};
    SendMessageA(backend->tooltipWindow(), TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

} // namespace

LRESULT CALLBACK ownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Peer* peer = peerOf(hwnd);
    if (!peer) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    relayToTip(*peer, hwnd, msg, wParam, lParam);
    LRESULT result = 0;
    if (commonMessage(*peer, hwnd, msg, wParam, lParam, result)) {
        return result;
    }
    Form* form = peer->form();
    switch (msg) {
    case WM_PAINT: {
        // The windowless children draw themselves through the window's own context, once
        // the system's painting has validated the window.
        {
            base::win32::PaintScope validate(hwnd);
        }
        peer->paintGraphicChildren();
        return 0;
    }
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        FillRect(reinterpret_cast<HDC>(wParam), &r, GetSysColorBrush(COLOR_BTNFACE));
        return 1;
    }
    case WM_CLOSE:
        if (form) {
            runUserAction([form] { form->close(); });
            return 0;
        }
        break;
    case WM_DPICHANGED:
        // The form went to a monitor of another scale (only per-monitor aware windows hear of
        // it): both halves of wParam hold the new dpi, lParam the rectangle the system
        // suggests for the window there. The system sends it; one posted by another program
        // never gets here (Win32Backend drops it from the queue).
        if (form && peer->dpiChangeMessage(wParam, lParam)) {
            return 0;
        }
        break;
    case WM_SYSCOLORCHANGE:
    case WM_THEMECHANGED: coloursChanged(*peer, hwnd, msg, wParam, lParam); break;
    case WM_SETTINGCHANGE:
        if (wParam == SPI_SETHIGHCONTRAST) {
            coloursChanged(*peer, hwnd, msg, wParam, lParam);
        }
        break;
    case WM_NCDESTROY: peer->forgetWindow(); break;
    default:
        if (form && msg >= WM_USER && form->handlesMessage(msg)) {
            form->dispatchMessage({msg, wParam, lParam});
            return 0;
        }
        break;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT CALLBACK Peer::subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Peer* peer = peerOf(hwnd);
    if (!peer || !peer->m_systemProc) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    const WNDPROC system = peer->m_systemProc;
    relayToTip(*peer, hwnd, msg, wParam, lParam);
    if (msg == WM_SETFOCUS) {
        if (Form* form = Form::parentForm(peer->m_control)) {
            form->setActiveControl(&peer->m_control);
        }
    } else if (msg == WM_NCDESTROY) {
        peer->forgetWindow();
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
    } else {
        LRESULT result = 0;
        if (commonMessage(*peer, hwnd, msg, wParam, lParam, result)) {
            return result;
        }
    }
    LRESULT result = CallWindowProcA(system, hwnd, msg, wParam, lParam);
    if (peer->m_kind.handled && peerOf(hwnd) == peer) {
        peer->m_kind.handled(*peer, peer->m_control, msg);
    }
    return result;
}

LRESULT CALLBACK appProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace ui::win32
