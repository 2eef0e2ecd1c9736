#include "ui/win32/Win32Backend.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/TrackBar.h"

#include <commctrl.h>
#include <commdlg.h>
#include <windowsx.h>

#include <algorithm>
#include <vector>

namespace ui::win32 {

namespace {

// Names that are never translated: window classes and the window property of our peers.
const char* const FormClass = "KestrionForm";
const char* const ContainerClass = "KestrionContainer";
const char* const AppClass = "KestrionApplication";
const char* const PeerProperty = "KestrionPeer";

Win32Backend* g_backend = nullptr;

class Peer;

Peer* peerOf(HWND hwnd)
{
    return hwnd ? static_cast<Peer*>(GetPropA(hwnd, PeerProperty)) : nullptr;
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

std::string windowText(HWND hwnd)
{
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

HMENU buildMenu(const MenuItem& parent, bool popup)
{
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (const MenuItem* item : parent.items()) {
        if (!item->visible()) {
            continue;
        }
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        info.wID = item->command();
        if (item->isSeparator()) {
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask |= MIIM_STRING;
            info.fType = item->radioItem() ? MFT_RADIOCHECK : MFT_STRING;
            info.dwTypeData = const_cast<char*>(item->caption().c_str());
            info.fState =
                (item->checked() ? MFS_CHECKED : 0u) | (item->enabled() ? MFS_ENABLED : MFS_GRAYED);
            if (item->count() > 0) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = buildMenu(*item, true);
            }
        }
        InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
    return menu;
}

// The realisation of one windowed control.
class Peer : public ControlPeer {
public:
    Peer(WinControl& control, HWND hwnd, bool subclass) : m_control(control), m_hwnd(hwnd)
    {
        SetPropA(hwnd, PeerProperty, this);
        if (subclass) {
            m_systemProc = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
                hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Peer::subclassProc)));
        }
        applyFont();
        applyHint();
    }

    ~Peer() override
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

    HWND hwnd() const { return m_hwnd; }
    WinControl& control() { return m_control; }

    void changed(ControlChange what) override
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

    void invalidate(const Box& area) override
    {
        if (m_hwnd) {
            const RECT r{area.left, area.top, area.right, area.bottom};
            InvalidateRect(m_hwnd, &r, FALSE);
        }
    }

    void present(const Raster& image, int x, int y) override
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

    // A notification from a child window, sent to its parent (this window).
    bool childCommand(HWND child, WORD code)
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

    void scrolled(HWND child)
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

    // Paints the windowless children that lie on this window.
    void paintGraphicChildren()
    {
        const std::vector<Control*> children = m_control.controls();
        for (Control* c : children) {
            if (auto* graphic = dynamic_cast<GraphicControl*>(c); graphic && graphic->visible()) {
                runUserAction([&] { graphic->Paint(); });
            }
        }
    }

    void forgetWindow() { m_hwnd = nullptr; }
    void applyAll()
    {
        m_syncing = true;
        applyText();
        applyState();
        applyTabOrder();
        m_syncing = false;
    }

    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void applyBounds()
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

    void applyText()
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

    void applyFont()
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

    void applyHint()
    {
        HWND tip = g_backend ? g_backend->tooltipWindow() : nullptr;
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

    void applyParent()
    {
        if (WinControl* parent = m_control.parent()) {
            if (Peer* p = static_cast<Peer*>(parent->peer())) {
                SetParent(m_hwnd, p->hwnd());
                applyBounds();
            }
        }
    }

    void applyTabOrder()
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

    void applyState()
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

    void applyMenu(Form& form)
    {
        HMENU next = form.menu() ? buildMenu(form.menu()->items(), false) : nullptr;
        SetMenu(m_hwnd, next);
        if (m_menu) {
            DestroyMenu(m_menu);
        }
        m_menu = next;
        DrawMenuBar(m_hwnd);
    }

    WinControl& m_control;
    HWND m_hwnd;
    WNDPROC m_systemProc = nullptr;
    HFONT m_font = nullptr;
    HMENU m_menu = nullptr;
    bool m_syncing = false;

    friend LRESULT CALLBACK ownProc(HWND, UINT, WPARAM, LPARAM);
};

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
            if (auto* form = dynamic_cast<Form*>(&peer.control()); form && form->menu()) {
                if (MenuItem* item = form->menu()->findByCommand(LOWORD(wParam))) {
                    runUserAction([item] { item->click(); });
                    result = 0;
                    return true;
                }
            }
        }
        return false;
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
    default: (void)hwnd; return false;
    }
}

LRESULT CALLBACK ownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    Peer* peer = peerOf(hwnd);
    if (!peer) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    LRESULT result = 0;
    if (commonMessage(*peer, hwnd, msg, wParam, lParam, result)) {
        return result;
    }
    auto* form = dynamic_cast<Form*>(&peer->control());
    switch (msg) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        BeginPaint(hwnd, &ps);
        EndPaint(hwnd, &ps);
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
    if (msg == WM_SETFOCUS) {
        if (Form* form = Form::parentForm(peer->m_control)) {
            form->setActiveControl(&peer->m_control);
        }
    } else if (msg == WM_NCDESTROY) {
        peer->forgetWindow();
        RemovePropA(hwnd, PeerProperty);
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(system));
    } else {
        LRESULT result = 0;
        if (commonMessage(*peer, hwnd, msg, wParam, lParam, result)) {
            return result;
        }
    }
    LRESULT result = CallWindowProcA(system, hwnd, msg, wParam, lParam);
    // A list box the user scrolled tells the model its new top row.
    if (msg == WM_VSCROLL || msg == WM_MOUSEWHEEL || msg == WM_KEYDOWN) {
        if (auto* list = dynamic_cast<ListBox*>(&peer->m_control)) {
            const auto top = static_cast<std::int32_t>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
            if (top != list->topIndex())
                runUserAction([&] { list->scrolledByUser(top); });
        }
    }
    return result;
}

LRESULT CALLBACK appProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd, msg, wParam, lParam);
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

} // namespace

Win32Backend::Win32Backend(HINSTANCE instance) : m_instance(instance)
{
    g_backend = this;
    INITCOMMONCONTROLSEX icc{sizeof icc,
                             ICC_BAR_CLASSES | ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&icc);

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
    wc.lpfnWndProc = &ownProc;
    wc.lpszClassName = FormClass;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    RegisterClassExA(&wc);
    wc.lpszClassName = ContainerClass;
    wc.hIcon = nullptr;
    RegisterClassExA(&wc);
    wc.lpfnWndProc = &appProc;
    wc.lpszClassName = AppClass;
    wc.hIcon = LoadIconA(instance, "MAINICON");
    RegisterClassExA(&wc);

    m_appWindow = CreateWindowExA(0, AppClass, "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0,
                                  nullptr, nullptr, instance, nullptr);
}

Win32Backend::~Win32Backend()
{
    if (m_tooltip) {
        DestroyWindow(m_tooltip);
    }
    if (m_appWindow) {
        DestroyWindow(m_appWindow);
    }
    if (g_backend == this) {
        g_backend = nullptr;
    }
}

HWND Win32Backend::tooltipWindow()
{
    if (!m_tooltip) {
        m_tooltip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr,
                                    WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, m_appWindow,
                                    nullptr, m_instance, nullptr);
    }
    return m_tooltip;
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
        owner = m_appWindow;
    }
    const int answer = MessageBoxA(owner, request.text.c_str(), request.caption.c_str(), flags);
    return answer == 0 ? ModalResult::Cancel : static_cast<ModalResult>(answer);
}

std::uint32_t Win32Backend::systemColor(int index) const
{
    return GetSysColor(index);
}

std::unique_ptr<ControlPeer> Win32Backend::createPeer(WinControl& control)
{
    HWND parent = nullptr;
    if (control.parent()) {
        auto* p = static_cast<Peer*>(control.parent()->peer());
        if (!p || !p->hwnd()) {
            return nullptr; // the parent's window comes first
        }
        parent = p->hwnd();
    }
    const char* cls = ContainerClass;
    DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
    DWORD exStyle = 0;
    bool subclass = true;
    int x = control.left();
    int y = control.top();
    int w = control.width();
    int h = control.height();

    std::string formClass;
    if (auto* form = dynamic_cast<Form*>(&control)) {
        formClass = formWindowClass(m_instance, *form);
        cls = formClass.c_str();
        subclass = false;
        style = formStyle(*form, exStyle) | WS_CLIPCHILDREN;
        parent = m_appWindow;
        RECT frame{0, 0, 0, 0};
        AdjustWindowRectEx(&frame, style, form->menu() != nullptr, exStyle);
        const Box insets{-frame.left, -frame.top, frame.right, frame.bottom};
        if (insets != form->frameInsets()) {
            form->setFrameInsets(insets);
        }
        w = form->width();
        h = form->height();
        switch (form->position()) {
        case FormPosition::Designed: break;
        case FormPosition::Default:
        case FormPosition::DefaultPosOnly:
            x = CW_USEDEFAULT;
            y = CW_USEDEFAULT;
            break;
        default: {
            RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
            Application* app = Application::current();
            Form* main = app ? app->mainForm() : nullptr;
            if ((form->position() == FormPosition::MainFormCenter ||
                 form->position() == FormPosition::OwnerFormCenter) &&
                main && main != form && main->visible()) {
                area = {main->left(), main->top(), main->left() + main->width(),
                        main->top() + main->height()};
            }
            x = area.left + (area.right - area.left - w) / 2;
            y = area.top + (area.bottom - area.top - h) / 2;
            // Centred over a small main window near an edge of the screen, a form would stand
            // partly off it, its title bar out of reach: it is kept on the work area of the
            // screen it is on.
            MONITORINFO monitor{};
            monitor.cbSize = sizeof monitor;
            if (GetMonitorInfoA(MonitorFromRect(&area, MONITOR_DEFAULTTONEAREST), &monitor)) {
                const RECT& work = monitor.rcWork;
                x = std::max<int>(work.left, std::min<int>(x, work.right - w));
                y = std::max<int>(work.top, std::min<int>(y, work.bottom - h));
            }
            break;
        }
        }
    } else if (auto* button = dynamic_cast<Button*>(&control)) {
        cls = "BUTTON";
        style |= button->isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    } else if (dynamic_cast<CheckBox*>(&control)) {
        cls = "BUTTON";
        style |= BS_CHECKBOX; // not automatic: the model toggles, the window follows
    } else if (dynamic_cast<RadioButton*>(&control)) {
        cls = "BUTTON";
        style |= BS_RADIOBUTTON;
    } else if (auto* edit = dynamic_cast<Edit*>(&control)) {
        cls = "EDIT";
        style |= ES_AUTOHSCROLL | (edit->readOnly() ? ES_READONLY : 0u);
        exStyle |= WS_EX_CLIENTEDGE;
    } else if (dynamic_cast<ListBox*>(&control)) {
        cls = "LISTBOX";
        style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
        exStyle |= WS_EX_CLIENTEDGE;
    } else if (auto* bar = dynamic_cast<TrackBar*>(&control)) {
        cls = TRACKBAR_CLASSA;
        style |= TBS_AUTOTICKS;
        style |= bar->orientation() == TrackBarOrientation::Vertical ? TBS_VERT : TBS_HORZ;
        style |= bar->tickMarks() == TickMarks::TopLeft ? TBS_TOP
                 : bar->tickMarks() == TickMarks::Both  ? TBS_BOTH
                                                        : TBS_BOTTOM;
        if (bar->tickStyle() == TickStyle::None) {
            style |= TBS_NOTICKS;
        }
    } else if (dynamic_cast<Label*>(&control)) {
        cls = "STATIC";
        style |= SS_LEFT | SS_NOTIFY;
    } else if (auto* panel = dynamic_cast<Panel*>(&control)) {
        subclass = false;
        style |= WS_CLIPCHILDREN;
        if (panel->bevelOuter() == PanelBevel::Lowered) {
            exStyle |= WS_EX_STATICEDGE;
        } else if (panel->bevelOuter() == PanelBevel::Raised) {
            exStyle |= WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
        }
    } else {
        subclass = false;
        style |= WS_CLIPCHILDREN;
    }
    if (!dynamic_cast<Form*>(&control) && control.visible()) {
        style |= WS_VISIBLE;
    }
    if (!control.enabled()) {
        style |= WS_DISABLED;
    }
    if (control.tabStop()) {
        style |= WS_TABSTOP;
    }
    HWND hwnd = CreateWindowExA(exStyle, cls, control.text().c_str(), style, x, y, w, h, parent,
                                nullptr, m_instance, nullptr);
    if (!hwnd) {
        return nullptr;
    }
    auto peer = std::make_unique<Peer>(control, hwnd, subclass);
    if (auto* form = dynamic_cast<Form*>(&control)) {
        RECT r;
        GetWindowRect(hwnd, &r);
        form->setBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    peer->applyAll();
    return peer;
}

void Win32Backend::applicationChanged(Application& application)
{
    SetWindowTextA(m_appWindow, application.title().c_str());
    LONG_PTR ex = GetWindowLongPtrA(m_appWindow, GWL_EXSTYLE);
    ex = application.toolWindowOwner() ? (ex | WS_EX_TOOLWINDOW) : (ex & ~WS_EX_TOOLWINDOW);
    SetWindowLongPtrA(m_appWindow, GWL_EXSTYLE, ex);
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
    PostMessageA(m_appWindow, WM_NULL, 0, 0); // wakes the loop, which then sees the flag
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

MenuItem* Win32Backend::trackPopupMenu(PopupMenu& menu, int x, int y)
{
    HMENU popup = buildMenu(menu.items(), true);
    HWND owner = GetForegroundWindow();
    if (!owner || !peerOf(owner)) {
        owner = m_appWindow;
    }
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    DestroyMenu(popup);
    return command ? menu.findByCommand(static_cast<std::uint16_t>(command)) : nullptr;
}

bool Win32Backend::executeOpenDialog(OpenDialog& dialog)
{
    const std::string filter = OpenDialog::systemFilter(dialog.filter());
    std::string file(4096, '\0');
    std::copy_n(dialog.fileName().begin(), std::min(dialog.fileName().size(), file.size() - 1),
                file.begin());
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    HWND owner = GetActiveWindow();
    ofn.hwndOwner = owner ? owner : m_appWindow;
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(dialog.filterIndex(), 1));
    ofn.lpstrFile = file.data();
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = dialog.initialDir().empty() ? nullptr : dialog.initialDir().c_str();
    ofn.lpstrTitle = dialog.title().empty() ? nullptr : dialog.title().c_str();
    ofn.lpstrDefExt = dialog.defaultExt().empty() ? nullptr : dialog.defaultExt().c_str();
    // The option bits are the system's flags in the same order, with the explorer style on
    // unless the old style is asked for.
    static const DWORD flags[] = {
        OFN_READONLY,
        OFN_OVERWRITEPROMPT,
        OFN_HIDEREADONLY,
        OFN_NOCHANGEDIR,
        OFN_SHOWHELP,
        OFN_NOVALIDATE,
        OFN_ALLOWMULTISELECT,
        OFN_EXTENSIONDIFFERENT,
        OFN_PATHMUSTEXIST,
        OFN_FILEMUSTEXIST,
        OFN_CREATEPROMPT,
        OFN_SHAREAWARE,
        OFN_NOREADONLYRETURN,
        OFN_NOTESTFILECREATE,
        OFN_NONETWORKBUTTON,
        OFN_NOLONGNAMES,
        0,
        OFN_NODEREFERENCELINKS,
        OFN_ENABLEINCLUDENOTIFY,
        OFN_ENABLESIZING,
    };
    for (std::size_t bit = 0; bit < std::size(flags); ++bit) {
        if (dialog.options() & (1u << bit)) {
            ofn.Flags |= flags[bit];
        }
    }
    if (!(dialog.options() & ofOldStyleDialog)) {
        ofn.Flags |= OFN_EXPLORER;
    }
    if (!GetOpenFileNameA(&ofn)) {
        return false;
    }
    dialog.setFileName(std::string(file.c_str()));
    return true;
}

HWND windowHandle(const Control& control)
{
    ControlPeer* peer = control.windowPeer();
    auto* p = dynamic_cast<Peer*>(peer);
    return p ? p->hwnd() : nullptr;
}

} // namespace ui::win32
