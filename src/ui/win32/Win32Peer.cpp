// The peer of a windowed control: the model's changes written to its window, and the
// presentation of the windowless controls that lie on it.
#include "ui/win32/Win32Peer.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/TrackBar.h"
#include "ui/win32/Win32Backend.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

namespace ui::win32 {

Peer* peerOf(HWND hwnd)
{
    return hwnd ? static_cast<Peer*>(GetPropA(hwnd, PeerProperty)) : nullptr;
}

std::string windowText(HWND hwnd)
{
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

Peer::Peer(WinControl& control, HWND hwnd, bool subclass) : m_control(control), m_hwnd(hwnd)
{
    SetPropA(hwnd, PeerProperty, this);
    if (subclass) {
        m_systemProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Peer::subclassProc)));
    }
    applyFont();
    applyHint();
}

Peer::~Peer()
{
    if (m_hwnd) {
        RemovePropA(m_hwnd, PeerProperty);
        HWND hwnd = m_hwnd;
        m_hwnd = nullptr;
        if (m_systemProc) {
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_systemProc));
        }
        DestroyWindow(hwnd);
    }
    if (m_font) {
        DeleteObject(m_font);
    }
    if (m_menu) {
        DestroyMenu(m_menu);
    }
}

void Peer::changed(ControlChange what)
{
    if (!m_hwnd) {
        return;
    }
    m_syncing = true;
    switch (what) {
    case ControlChange::Bounds: applyBounds(); break;
    case ControlChange::Visible:
        ShowWindow(m_hwnd, m_control.visible() ? SW_SHOW : SW_HIDE);
        break;
    case ControlChange::Enabled: EnableWindow(m_hwnd, m_control.enabled()); break;
    case ControlChange::Text: applyText(); break;
    case ControlChange::Font: applyFont(); break;
    case ControlChange::Hint: applyHint(); break;
    case ControlChange::Parent: applyParent(); break;
    case ControlChange::TabOrder: applyTabOrder(); break;
    case ControlChange::State: applyState(); break;
    }
    m_syncing = false;
}

void Peer::invalidate(const Box& area)
{
    if (m_hwnd) {
        const RECT r{area.left, area.top, area.right, area.bottom};
        InvalidateRect(m_hwnd, &r, FALSE);
    }
}

void Peer::present(const Raster& image, int x, int y)
{
    if (!m_hwnd || image.width() == 0 || image.height() == 0) {
        return;
    }
    // The raster keeps 0x00BBGGRR; a 32-bit DIB wants 0x00RRGGBB.
    std::vector<std::uint32_t> pixels(image.pixels().size());
    std::transform(
        image.pixels().begin(), image.pixels().end(), pixels.begin(),
        [](std::uint32_t p) { return ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF); });
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = image.width();
    info.bmiHeader.biHeight = -image.height(); // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    HDC dc = GetDC(m_hwnd);
    if (dc) {
        SetDIBitsToDevice(
            dc, x, y, static_cast<DWORD>(image.width()), static_cast<DWORD>(image.height()), 0,
            0, 0, static_cast<UINT>(image.height()), pixels.data(), &info, DIB_RGB_COLORS);
        ReleaseDC(m_hwnd, dc);
    }
}

bool Peer::childCommand(HWND child, WORD code)
{
    Peer* peer = peerOf(child);
    if (!peer || peer->m_syncing) {
        return false;
    }
    WinControl& c = peer->m_control;
    if (auto* edit = dynamic_cast<Edit*>(&c)) {
        if (code == EN_CHANGE) {
            const std::string text = windowText(child);
            runUserAction([&] { edit->textEdited(text); });
            return true;
        }
        return false;
    }
    if (auto* list = dynamic_cast<ListBox*>(&c)) {
        if (code == LBN_SELCHANGE) {
            const auto index =
                static_cast<std::int32_t>(SendMessageA(child, LB_GETCURSEL, 0, 0));
            // Where the user scrolled to comes first, or writing the selection back would
            // scroll the list to the model's old top row.
            const auto top =
                static_cast<std::int32_t>(SendMessageA(child, LB_GETTOPINDEX, 0, 0));
            runUserAction([&] {
                list->scrolledByUser(top);
                list->selectedByUser(index);
            });
            return true;
        }
        return false;
    }
    if (code == BN_CLICKED || (dynamic_cast<Label*>(&c) && code == STN_CLICKED)) {
        runUserAction([&] { c.click(); });
        return true;
    }
    return false;
}

void Peer::scrolled(HWND child)
{
    Peer* peer = peerOf(child);
    if (!peer || peer->m_syncing) {
        return;
    }
    if (auto* bar = dynamic_cast<TrackBar*>(&peer->m_control)) {
        const auto pos = static_cast<std::int32_t>(SendMessageA(child, TBM_GETPOS, 0, 0));
        runUserAction([&] { bar->scrolledByUser(pos); });
    }
}

void Peer::paintGraphicChildren()
{
    const std::vector<Control*> children = m_control.controls();
    for (Control* c : children) {
        if (auto* graphic = dynamic_cast<GraphicControl*>(c); graphic && graphic->visible()) {
            runUserAction([&] { graphic->Paint(); });
        }
    }
}

void Peer::applyAll()
{
    m_syncing = true;
    applyText();
    applyState();
    applyTabOrder();
    m_syncing = false;
}

void Peer::applyBounds()
{
    if (auto* form = dynamic_cast<Form*>(&m_control)) {
        (void)form;
        SetWindowPos(m_hwnd, nullptr, m_control.left(), m_control.top(), m_control.width(),
                     m_control.height(), SWP_NOZORDER | SWP_NOACTIVATE);
        return;
    }
    SetWindowPos(m_hwnd, nullptr, m_control.left(), m_control.top(), m_control.width(),
                 m_control.height(), SWP_NOZORDER | SWP_NOACTIVATE);
}

void Peer::applyText()
{
    if (auto* list = dynamic_cast<ListBox*>(&m_control)) {
        SendMessageA(m_hwnd, WM_SETREDRAW, FALSE, 0);
        SendMessageA(m_hwnd, LB_RESETCONTENT, 0, 0);
        for (const std::string& line : list->items().lines()) {
            SendMessageA(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
        SendMessageA(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(list->itemIndex()), 0);
        SendMessageA(m_hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(list->topIndex()), 0);
        SendMessageA(m_hwnd, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(m_hwnd, nullptr, TRUE);
        return;
    }
    // The window may hold the text already (the user typed it); setting it again would
    // move the caret.
    if (windowText(m_hwnd) != m_control.text()) {
        SetWindowTextA(m_hwnd, m_control.text().c_str());
    }
}

void Peer::applyFont()
{
    const Font& f = m_control.font();
    HDC screen = GetDC(nullptr);
    const int height = -MulDiv(f.size(), GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    HFONT font = CreateFontA(
        height, 0, 0, 0, (f.style() & Font::Bold) ? FW_BOLD : FW_NORMAL,
        (f.style() & Font::Italic) != 0, (f.style() & Font::Underline) != 0,
        (f.style() & Font::StrikeOut) != 0, f.charset(), OUT_DEFAULT_PRECIS,
        CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, f.name().c_str());
    SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (m_font) {
        DeleteObject(m_font);
    }
    m_font = font;
}

void Peer::applyHint()
{
    HWND tip = installedBackend() ? installedBackend()->tooltipWindow() : nullptr;
    if (!tip || dynamic_cast<Form*>(&m_control)) {
        return;
    }
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    info.hwnd = GetParent(m_hwnd);
    info.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    const std::string hint = m_control.effectiveHint();
    if (!hint.empty()) {
        info.lpszText = const_cast<char*>(hint.c_str());
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void Peer::applyParent()
{
    if (WinControl* parent = m_control.parent()) {
        if (Peer* p = static_cast<Peer*>(parent->peer())) {
            SetParent(m_hwnd, p->hwnd());
            applyBounds();
        }
    }
}

void Peer::applyTabOrder()
{
    // Windows moves the focus in z-order: put the windows in tab order.
    WinControl* parent = m_control.parent();
    if (!parent) {
        return;
    }
    HWND after = HWND_TOP;
    for (WinControl* c : parent->tabList()) {
        if (auto* p = static_cast<Peer*>(c->peer()); p && p->m_hwnd) {
            SetWindowPos(p->m_hwnd, after, 0, 0, 0, 0,
                         SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = p->m_hwnd;
        }
    }
    LONG_PTR style = GetWindowLongPtrA(m_hwnd, GWL_STYLE);
    style = m_control.tabStop() ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, style);
}

void Peer::applyState()
{
    WinControl& c = m_control;
    if (auto* bar = dynamic_cast<TrackBar*>(&c)) {
        SendMessageA(m_hwnd, TBM_SETRANGEMIN, FALSE, bar->min());
        SendMessageA(m_hwnd, TBM_SETRANGEMAX, FALSE, bar->max());
        SendMessageA(m_hwnd, TBM_SETPAGESIZE, 0, bar->pageSize());
        SendMessageA(m_hwnd, TBM_SETLINESIZE, 0, bar->lineSize());
        SendMessageA(m_hwnd, TBM_SETTICFREQ, static_cast<WPARAM>(bar->frequency()), 0);
        SendMessageA(m_hwnd, TBM_SETPOS, TRUE, bar->position());
    } else if (auto* list = dynamic_cast<ListBox*>(&c)) {
        SendMessageA(m_hwnd, LB_SETCURSEL, static_cast<WPARAM>(list->itemIndex()), 0);
        SendMessageA(m_hwnd, LB_SETTOPINDEX, static_cast<WPARAM>(list->topIndex()), 0);
    } else if (auto* check = dynamic_cast<CheckBox*>(&c)) {
        SendMessageA(m_hwnd, BM_SETCHECK, check->checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (auto* radio = dynamic_cast<RadioButton*>(&c)) {
        SendMessageA(m_hwnd, BM_SETCHECK, radio->checked() ? BST_CHECKED : BST_UNCHECKED, 0);
    } else if (auto* edit = dynamic_cast<Edit*>(&c)) {
        SendMessageA(m_hwnd, EM_SETREADONLY, edit->readOnly(), 0);
        SendMessageA(m_hwnd, EM_SETPASSWORDCHAR,
                     static_cast<unsigned char>(edit->passwordChar()), 0);
        SendMessageA(m_hwnd, EM_LIMITTEXT, static_cast<WPARAM>(edit->maxLength()), 0);
    } else if (auto* button = dynamic_cast<Button*>(&c)) {
        SendMessageA(m_hwnd, BM_SETSTYLE,
                     button->isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
    } else if (auto* form = dynamic_cast<Form*>(&c)) {
        applyMenu(*form);
    }
    if (Form* form = Form::parentForm(c); form && form != &c && form->activeControl() == &c &&
                                          GetFocus() != m_hwnd && form->visible()) {
        SetFocus(m_hwnd);
    }
}

void Peer::applyMenu(Form& form)
{
    HMENU next = form.menu() ? buildMenu(form.menu()->items(), false) : nullptr;
    SetMenu(m_hwnd, next);
    if (m_menu) {
        DestroyMenu(m_menu);
    }
    m_menu = next;
    DrawMenuBar(m_hwnd);
}

} // namespace ui::win32
