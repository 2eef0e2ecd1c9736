// The peer of a windowed control: the model's changes written to its window, at the window's
// scale, and the presentation of the windowless controls that lie on it.
#include "ui/win32/Win32Peer.h"

#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Dpi.h"

#include <commctrl.h>

#include <algorithm>
#include <cstdlib>
#include <unordered_map>
#include <vector>

namespace ui::win32 {

namespace {

// Outline faces that take the place of a bitmap face at sizes it lacks, in order: the
// outline successor of MS Sans Serif, then the system's dialog face. Never translated.
const char* const OutlineFaces[] = {"Microsoft Sans Serif", "Tahoma"};

// The height of the font's characters (without the leading above them), in pixels, and
// whether the system drew it from the face it was asked for (not a stand-in of its own).
struct FontFit {
    int height = 0;
    bool ownFace = false;
};

FontFit fitOf(HFONT font, const char* face)
{
    base::win32::WindowDC screen(nullptr);
    base::win32::SelectionGuard selected(screen.get(), font);
    TEXTMETRICA metrics{};
    GetTextMetricsA(screen.get(), &metrics);
    char got[LF_FACESIZE] = {};
    GetTextFaceA(screen.get(), sizeof got, got);
    return {metrics.tmHeight - metrics.tmInternalLeading, lstrcmpiA(got, face) == 0};
}

base::win32::UniqueFont createFont(const Font& f, int dpi)
{
    // Points at the window's dpi: the text has the size it has on paper at every scale.
    const int height = MulDiv(f.size(), dpi, 72);
    auto create = [&](const char* face, DWORD precision) {
        return CreateFontA(-height, 0, 0, 0, (f.style() & Font::Bold) ? FW_BOLD : FW_NORMAL,
                           (f.style() & Font::Italic) != 0, (f.style() & Font::Underline) != 0,
                           (f.style() & Font::StrikeOut) != 0, f.charset(), precision,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
    };
    base::win32::UniqueFont font(create(f.name().c_str(), OUT_DEFAULT_PRECIS));
    // A bitmap face comes in a few sizes only, and the system settles for a smaller one when
    // none fits (MS Sans Serif ends at 12 points in some systems): then the face's own outline
    // version, or else an outline face of the same kind, draws the text at the size asked for.
    int error = std::abs(fitOf(font.get(), f.name().c_str()).height - height);
    if (error <= 1) {
        return font;
    }
    const char* const faces[] = {f.name().c_str(), OutlineFaces[0], OutlineFaces[1]};
    for (const char* face : faces) {
        base::win32::UniqueFont outline(create(face, OUT_TT_ONLY_PRECIS));
        const FontFit fit = fitOf(outline.get(), face);
        if (fit.ownFace && std::abs(fit.height - height) < error) {
            font = std::move(outline);
            error = std::abs(fit.height - height);
            if (error <= 1) {
                break;
            }
        }
    }
    return font;
}

} // namespace

namespace {

// Our windows and their peers. A window's messages are always handled on the thread that made
// it, so each thread keeps the table of its own windows.
std::unordered_map<HWND, Peer*>& peerTable()
{
    thread_local std::unordered_map<HWND, Peer*> table;
    return table;
}

} // namespace

Peer* peerOf(HWND hwnd)
{
    if (!hwnd)
        return nullptr;
    const auto& table = peerTable();
    const auto it = table.find(hwnd);
    return it == table.end() ? nullptr : it->second;
}

std::string windowText(HWND hwnd)
{
    const int length = GetWindowTextLengthA(hwnd);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    const int got = GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(got, 0)));
    return text;
}

SIZE scaledClientSize(const Form& form, int dpi)
{
    return {scaleLength(form.clientWidth(), dpi), scaleLength(form.clientHeight(), dpi)};
}

RECT frameAround(DWORD style, DWORD exStyle, bool menu, int dpi)
{
    const RECT outer = windowRectForClient({0, 0, 0, 0}, style, menu, exStyle, dpi);
    return {-outer.left, -outer.top, outer.right, outer.bottom};
}

void fitClientArea(HWND hwnd, SIZE client)
{
    RECT now;
    GetClientRect(hwnd, &now);
    const int dx = client.cx - now.right;
    const int dy = client.cy - now.bottom;
    if (dx == 0 && dy == 0) {
        return;
    }
    RECT outer;
    GetWindowRect(hwnd, &outer);
    SetWindowPos(hwnd, nullptr, 0, 0, outer.right - outer.left + dx, outer.bottom - outer.top + dy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

Peer::Peer(WinControl& control, HWND hwnd, bool subclass, int dpi)
    : m_control(control), m_kind(windowKindOf(control)), m_hwnd(hwnd), m_dpi(dpi)
{
    peerTable()[hwnd] = this;
    if (subclass) {
        m_systemProc = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Peer::subclassProc)));
    }
    applyFont();
    applyHint();
}

Peer::~Peer()
{
    if (m_hwnd) {
        // The peer's window goes with it, and its menu bar with the window; the font and the
        // icons it was given go once it is gone (the members' owners release them).
        base::win32::UniqueWindow window(m_hwnd);
        forgetWindow();
        if (m_systemProc) {
            SetWindowLongPtrA(window.get(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_systemProc));
        }
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
    case ControlChange::Visible: ShowWindow(m_hwnd, m_control.visible() ? SW_SHOW : SW_HIDE); break;
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
        const Box scaled = scaleBox(area, m_dpi);
        const RECT r{scaled.left, scaled.top, scaled.right, scaled.bottom};
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
    base::win32::WindowDC dc(m_hwnd);
    if (dc) {
        SetDIBitsToDevice(dc.get(), x, y, static_cast<DWORD>(image.width()),
                          static_cast<DWORD>(image.height()), 0, 0, 0,
                          static_cast<UINT>(image.height()), pixels.data(), &info, DIB_RGB_COLORS);
    }
}

bool Peer::childCommand(HWND child, WORD code)
{
    Peer* peer = peerOf(child);
    if (!peer || peer->m_syncing) {
        return false;
    }
    return peer->m_kind.command && peer->m_kind.command(*peer, peer->m_control, code);
}

void Peer::scrolled(HWND child)
{
    Peer* peer = peerOf(child);
    if (!peer || peer->m_syncing) {
        return;
    }
    if (peer->m_kind.scrolled) {
        peer->m_kind.scrolled(*peer, peer->m_control);
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
    if (m_kind.writeLayout) {
        m_kind.writeLayout(*this, m_control);
    }
    if (m_kind.form) {
        applyIcons();
    }
    m_syncing = false;
}

void Peer::formPlaced()
{
    Form* form = this->form();
    if (!form || !m_hwnd) {
        return;
    }
    RECT r;
    GetWindowRect(m_hwnd, &r);
    const Point at = unscalePoint({r.left, r.top}, m_dpi);
    // Noted first: the window keeps its exact place when the model hears of it.
    m_formPosition = at;
    form->setBounds(at.x, at.y, form->width(), form->height());
}

void Peer::forgetWindow()
{
    if (m_hwnd) {
        auto& table = peerTable();
        if (auto it = table.find(m_hwnd); it != table.end() && it->second == this)
            table.erase(it);
    }
    m_hwnd = nullptr;
}

bool Peer::dpiChangeMessage(WPARAM wParam, LPARAM lParam)
{
    // Windows' scales run from 100 % to 500 %, with the same dpi across and down.
    const int dpi = HIWORD(wParam);
    if (dpi != LOWORD(wParam) || dpi < 48 || dpi > 960 || lParam == 0)
        return false;
    RECT suggested{};
    SIZE_T copied = 0;
    if (!ReadProcessMemory(GetCurrentProcess(), reinterpret_cast<LPCVOID>(lParam), &suggested,
                           sizeof suggested, &copied) ||
        copied != sizeof suggested)
        return false;
    const LONG width = suggested.right - suggested.left;
    const LONG height = suggested.bottom - suggested.top;
    if (width <= 0 || height <= 0 || width > 0x8000 || height > 0x8000)
        return false;
    dpiChanged(dpi, suggested);
    return true;
}

void Peer::dpiChanged(int dpi, const RECT& suggested)
{
    Form* form = this->form();
    if (!form || !m_hwnd || dpi <= 0) {
        return;
    }
    m_dpi = dpi;
    m_syncing = true;
    // The model's frame follows the new one, in design units; its client size stays.
    const RECT frame = frameAround(static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_STYLE)),
                                   static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE)),
                                   GetMenu(m_hwnd) != nullptr, dpi);
    form->setFrameInsets({unscaleLength(frame.left, dpi), unscaleLength(frame.top, dpi),
                          unscaleLength(frame.right, dpi), unscaleLength(frame.bottom, dpi)});
    applyFormBounds(*form, &suggested);
    applyFont();
    applyIcons();
    m_syncing = false;
    formPlaced();
    std::vector<WinControl*> pending(m_control.tabList().begin(), m_control.tabList().end());
    while (!pending.empty()) {
        WinControl* c = pending.back();
        pending.pop_back();
        if (auto* p = static_cast<Peer*>(c->peer()); p && p->m_hwnd) {
            p->m_dpi = dpi;
            p->applyScale();
        }
        pending.insert(pending.end(), c->tabList().begin(), c->tabList().end());
    }
    InvalidateRect(m_hwnd, nullptr, TRUE);
}

void Peer::applyScale()
{
    m_syncing = true;
    applyFont();
    applyBounds();
    m_syncing = false;
}

void Peer::applyBounds()
{
    if (Form* form = this->form()) {
        applyFormBounds(*form, nullptr);
        return;
    }
    Box box = scaleBox(m_control.boundsRect(), m_dpi);
    if (m_kind.growsToCaption) {
        // A caption wider at this scale than the designed width allows (fonts do not scale
        // in proportion) widens the window to the right, never narrows it.
        box.right = std::max(box.right, box.left + captionWidth(m_hwnd, m_control, m_dpi));
    }
    SetWindowPos(m_hwnd, nullptr, box.left, box.top, box.width(), box.height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
    if (m_kind.writeLayout) {
        m_kind.writeLayout(*this, m_control);
    }
}

void Peer::applyFormBounds(Form& form, const RECT* suggested)
{
    const SIZE client = scaledClientSize(form, m_dpi);
    const RECT frame = frameAround(static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_STYLE)),
                                   static_cast<DWORD>(GetWindowLongPtrA(m_hwnd, GWL_EXSTYLE)),
                                   GetMenu(m_hwnd) != nullptr, m_dpi);
    POINT at{0, 0};
    const Point position{form.left(), form.top()};
    if (suggested) {
        at = {suggested->left, suggested->top};
    } else if (position != m_formPosition) {
        // The program moved the form.
        const Point scaled = scalePoint(position, m_dpi);
        at = {scaled.x, scaled.y};
    } else {
        RECT now;
        GetWindowRect(m_hwnd, &now);
        at = {now.left, now.top};
    }
    SetWindowPos(m_hwnd, nullptr, at.x, at.y, client.cx + frame.left + frame.right,
                 client.cy + frame.top + frame.bottom, SWP_NOZORDER | SWP_NOACTIVATE);
    fitClientArea(m_hwnd, client);
    m_formPosition = position;
}

void Peer::applyText()
{
    if (m_kind.writeText) {
        m_kind.writeText(*this, m_control);
        return;
    }
    // The window may hold the text already (the user typed it); setting it again would
    // move the caret.
    if (windowText(m_hwnd) != m_control.text()) {
        SetWindowTextA(m_hwnd, m_control.text().c_str());
    }
    if (m_kind.growsToCaption) {
        applyBounds();
    }
}

void Peer::showLines(const std::vector<std::string>& lines)
{
    // Only the lines between the unchanged start and the unchanged end go to the window, so
    // that adding, removing or moving one line of a long list costs the same as of a short one.
    const std::vector<std::string>& shown = m_shownLines;
    std::size_t same = 0;
    while (same < shown.size() && same < lines.size() && shown[same] == lines[same]) {
        ++same;
    }
    std::size_t sameEnd = 0;
    while (sameEnd < shown.size() - same && sameEnd < lines.size() - same &&
           shown[shown.size() - 1 - sameEnd] == lines[lines.size() - 1 - sameEnd]) {
        ++sameEnd;
    }
    const std::size_t removed = shown.size() - same - sameEnd;
    const std::size_t added = lines.size() - same - sameEnd;
    constexpr std::size_t kFewLines = 64;
    if (removed + added > kFewLines) {
        // Filled anew, with room for every line made at once: the list would otherwise grow
        // a few lines at a time, copying all it holds each time.
        SendMessageA(m_hwnd, LB_RESETCONTENT, 0, 0);
        std::size_t bytes = 0;
        for (const std::string& line : lines) {
            bytes += line.size() + 1;
        }
        SendMessageA(m_hwnd, LB_INITSTORAGE, lines.size(), static_cast<LPARAM>(bytes));
        for (const std::string& line : lines) {
            SendMessageA(m_hwnd, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line.c_str()));
        }
    } else {
        for (std::size_t i = 0; i < removed; ++i) {
            SendMessageA(m_hwnd, LB_DELETESTRING, same, 0);
        }
        for (std::size_t i = same; i < same + added; ++i) {
            SendMessageA(m_hwnd, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(lines[i].c_str()));
        }
    }
    m_shownLines = lines;
}

void Peer::applyFont()
{
    base::win32::UniqueFont font = createFont(m_control.font(), m_dpi);
    SendMessageA(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
    // The window no longer uses the old font: it goes now.
    m_font = std::move(font);
    if (m_kind.growsToCaption) {
        applyBounds();
    }
}

void Peer::applyHint()
{
    Win32Backend* backend = installedBackend();
    HWND tip = backend ? backend->tooltipWindow() : nullptr;
    if (!tip || m_kind.form) {
        return;
    }
    // The tip hears of the pointer from the window procedures (relayToTip), not through a
    // subclass of its own: the system's subclass looks up a window property at every message
    // the control gets, which under Wine is a trip to the server, and made filling a list of
    // 65,535 channels take seconds.
    TOOLINFOA info{};
    info.cbSize = sizeof info;
    info.uFlags = TTF_IDISHWND;
    info.hwnd = GetParent(m_hwnd);
    info.uId = reinterpret_cast<UINT_PTR>(m_hwnd);
    SendMessageA(tip, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    const std::string hint = m_control.effectiveHint();
    m_hasTip = !hint.empty();
    if (m_hasTip) {
        info.lpszText = const_cast<char*>(hint.c_str());
        SendMessageA(tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void Peer::applyParent()
{
    if (WinControl* parent = m_control.parent()) {
        if (Peer* p = static_cast<Peer*>(parent->peer())) {
            SetParent(m_hwnd, p->hwnd());
            if (p->m_dpi != m_dpi) {
                // Into a window at another scale: laid out at that one.
                m_dpi = p->m_dpi;
                applyScale();
            } else {
                applyBounds();
            }
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
    // A label goes just above the field it stands for, where the system (and a screen reader
    // asking it) looks for a field's name; a label takes no focus, so the order of Tab stays.
    std::vector<std::pair<const WinControl*, Label*>> labels;
    for (Control* c : parent->controls()) {
        if (auto* label = dynamic_cast<Label*>(c);
            label && label->focusControl() && label->focusControl()->parent() == parent) {
            labels.emplace_back(label->focusControl(), label);
        }
    }
    const auto labelOf = [&labels](const WinControl* field) -> Label* {
        for (const auto& [named, label] : labels) {
            if (named == field) {
                return label;
            }
        }
        return nullptr;
    };
    const auto isLabel = [&labels](const WinControl* c) {
        return std::any_of(labels.begin(), labels.end(),
                           [c](const auto& entry) { return entry.second == c; });
    };
    HWND after = HWND_TOP;
    const auto place = [&after](const WinControl* c) {
        if (auto* p = static_cast<Peer*>(c->peer()); p && p->m_hwnd) {
            SetWindowPos(p->m_hwnd, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
            after = p->m_hwnd;
        }
    };
    for (WinControl* c : parent->tabList()) {
        if (isLabel(c)) {
            continue;
        }
        if (const Label* label = labelOf(c)) {
            place(label);
        }
        place(c);
    }
    LONG_PTR style = GetWindowLongPtrA(m_hwnd, GWL_STYLE);
    style = m_control.tabStop() ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    SetWindowLongPtrA(m_hwnd, GWL_STYLE, style);
}

void Peer::applyState()
{
    WinControl& c = m_control;
    if (m_kind.writeState) {
        m_kind.writeState(*this, c);
    }
    if (Form* form = Form::parentForm(c); form && form != &c && form->activeControl() == &c &&
                                          GetFocus() != m_hwnd && form->visible()) {
        SetFocus(m_hwnd);
    }
}

Form* Peer::form()
{
    return m_kind.form ? static_cast<Form*>(&m_control) : nullptr;
}

void Peer::rebuildMenu()
{
    if (Form* form = this->form()) {
        applyMenu(*form);
    }
}

void Peer::applyMenu(Form& form)
{
    base::win32::UniqueMenu next(form.menu() ? buildMenu(form.menu()->items(), false) : nullptr);
    // The menu bar the window owned goes once the window has let go of it; the new one is the
    // window's from SetMenu on.
    base::win32::UniqueMenu previous(GetMenu(m_hwnd));
    const bool hadMenu = static_cast<bool>(previous);
    const bool hasMenu = static_cast<bool>(next);
    if (!SetMenu(m_hwnd, next.get())) {
        previous.release(); // still the window's
        return;
    }
    next.release();
    DrawMenuBar(m_hwnd);
    if (hadMenu != hasMenu) {
        // A menu bar that comes or goes takes its room from the frame, not the client area.
        fitClientArea(m_hwnd, scaledClientSize(form, m_dpi));
    }
}

void Peer::applyIcons()
{
    // A frame that shows an icon in its caption gets the program's icon in the sizes of its
    // own scale. The other forms keep the class's icons (loaded at the system's scale), so
    // that a dialog frame shows what it showed before.
    Form* form = this->form();
    Win32Backend* backend = installedBackend();
    if (!form || !backend ||
        (form->borderStyle() != FormBorderStyle::Single &&
         form->borderStyle() != FormBorderStyle::Sizeable)) {
        return;
    }
    HINSTANCE instance = backend->instance();
    if (!FindResourceA(instance, ProgramIcon, RT_GROUP_ICON)) {
        return; // a module without an icon of its own
    }
    auto load = [&](int width, int height) {
        return static_cast<HICON>(LoadImageA(instance, ProgramIcon, IMAGE_ICON,
                                             metricForDpi(width, m_dpi),
                                             metricForDpi(height, m_dpi), 0));
    };
    base::win32::UniqueIcon small(load(SM_CXSMICON, SM_CYSMICON));
    base::win32::UniqueIcon big(load(SM_CXICON, SM_CYICON));
    SendMessageA(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
    SendMessageA(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
    // The window shows the new ones: the old ones go.
    m_smallIcon = std::move(small);
    m_bigIcon = std::move(big);
}

} // namespace ui::win32
