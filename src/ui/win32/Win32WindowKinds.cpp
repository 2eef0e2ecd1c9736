// Each control class of the framework as a window: one entry per class (Win32WindowKinds.h).
#include "ui/win32/Win32WindowKinds.h"

#include "ui/win32/Win32Peer.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ClassInfo.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TrackBar.h"

#include <commctrl.h>

#include <array>
#include <utility>

namespace ui::win32 {

namespace {

// The length of a track bar's thumb at design size: the system's own default.
constexpr int kThumbLength = 21;

bool clicked(Peer&, WinControl& control, WORD code)
{
    if (code != BN_CLICKED) {
        return false;
    }
    runUserAction([&] { control.click(); });
    return true;
}

void writeCheck(Peer& peer, bool checked)
{
    SendMessageA(peer.hwnd(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

WindowKind containerKind()
{
    WindowKind kind;
    kind.style = WS_CLIPCHILDREN;
    kind.subclass = false;
    return kind;
}

WindowKind formKind()
{
    WindowKind kind;
    kind.subclass = false;
    kind.form = true;
    kind.writeState = [](Peer& peer, WinControl&) { peer.rebuildMenu(); };
    return kind;
}

WindowKind panelKind()
{
    WindowKind kind = containerKind();
    kind.valueStyles = [](const WinControl& control, DWORD&, DWORD& exStyle) {
        const auto& panel = static_cast<const Panel&>(control);
        if (panel.bevelOuter() == PanelBevel::Lowered) {
            exStyle |= WS_EX_STATICEDGE;
        } else if (panel.bevelOuter() == PanelBevel::Raised) {
            exStyle |= WS_EX_WINDOWEDGE | WS_EX_DLGMODALFRAME;
        }
    };
    return kind;
}

WindowKind buttonKind()
{
    WindowKind kind;
    kind.windowClass = "BUTTON";
    kind.caption = CaptionLayout::WithinEdge;
    kind.valueStyles = [](const WinControl& control, DWORD& style, DWORD&) {
        style |= static_cast<const Button&>(control).isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
    };
    kind.writeState = [](Peer& peer, WinControl& control) {
        SendMessageA(peer.hwnd(), BM_SETSTYLE,
                     static_cast<Button&>(control).isDefault() ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON,
                     TRUE);
    };
    kind.command = clicked;
    return kind;
}

WindowKind checkBoxKind()
{
    WindowKind kind;
    kind.windowClass = "BUTTON";
    kind.style = BS_CHECKBOX; // not automatic: the model toggles, the window follows
    kind.growsToCaption = true;
    kind.caption = CaptionLayout::AfterBox;
    kind.writeState = [](Peer& peer, WinControl& control) {
        writeCheck(peer, static_cast<CheckBox&>(control).checked());
    };
    kind.command = clicked;
    return kind;
}

WindowKind radioButtonKind()
{
    WindowKind kind = checkBoxKind();
    kind.style = BS_RADIOBUTTON;
    kind.writeState = [](Peer& peer, WinControl& control) {
        writeCheck(peer, static_cast<RadioButton&>(control).checked());
    };
    return kind;
}

WindowKind editKind()
{
    WindowKind kind;
    kind.windowClass = "EDIT";
    kind.style = ES_AUTOHSCROLL;
    kind.exStyle = WS_EX_CLIENTEDGE;
    kind.valueStyles = [](const WinControl& control, DWORD& style, DWORD&) {
        if (static_cast<const Edit&>(control).readOnly()) {
            style |= ES_READONLY;
        }
    };
    kind.writeState = [](Peer& peer, WinControl& control) {
        const auto& edit = static_cast<Edit&>(control);
        SendMessageA(peer.hwnd(), EM_SETREADONLY, edit.readOnly(), 0);
        SendMessageA(peer.hwnd(), EM_SETPASSWORDCHAR,
                     static_cast<unsigned char>(edit.passwordChar()), 0);
        SendMessageA(peer.hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(edit.maxLength()), 0);
    };
    kind.command = [](Peer& peer, WinControl& control, WORD code) {
        if (code != EN_CHANGE) {
            return false;
        }
        const std::string text = windowText(peer.hwnd());
        runUserAction([&] { static_cast<Edit&>(control).textEdited(text); });
        return true;
    };
    return kind;
}

void writeListPlace(Peer& peer, const ListBox& list)
{
    SendMessageA(peer.hwnd(), LB_SETCURSEL, static_cast<WPARAM>(list.itemIndex()), 0);
    SendMessageA(peer.hwnd(), LB_SETTOPINDEX, static_cast<WPARAM>(list.topIndex()), 0);
}

WindowKind listBoxKind()
{
    WindowKind kind;
    kind.windowClass = "LISTBOX";
    kind.style = LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    kind.exStyle = WS_EX_CLIENTEDGE;
    kind.writeText = [](Peer& peer, WinControl& control) {
        const auto& list = static_cast<ListBox&>(control);
        // Not drawn, nor its scroll bar set, after each line: once, when all are in.
        SendMessageA(peer.hwnd(), WM_SETREDRAW, FALSE, 0);
        peer.showLines(list.items().lines());
        writeListPlace(peer, list);
        SendMessageA(peer.hwnd(), WM_SETREDRAW, TRUE, 0);
        InvalidateRect(peer.hwnd(), nullptr, TRUE);
    };
    kind.writeState = [](Peer& peer, WinControl& control) {
        writeListPlace(peer, static_cast<ListBox&>(control));
    };
    kind.command = [](Peer& peer, WinControl& control, WORD code) {
        if (code != LBN_SELCHANGE) {
            return false;
        }
        auto& list = static_cast<ListBox&>(control);
        const HWND hwnd = peer.hwnd();
        const auto index = static_cast<std::int32_t>(SendMessageA(hwnd, LB_GETCURSEL, 0, 0));
        // Where the user scrolled to comes first, or writing the selection back would scroll
        // the list to the model's old top row.
        const auto top = static_cast<std::int32_t>(SendMessageA(hwnd, LB_GETTOPINDEX, 0, 0));
        runUserAction([&] {
            list.scrolledByUser(top);
            list.selectedByUser(index);
        });
        return true;
    };
    // A list the user scrolled tells the model its new top row.
    kind.handled = [](Peer& peer, WinControl& control, UINT msg) {
        if (msg != WM_VSCROLL && msg != WM_MOUSEWHEEL && msg != WM_KEYDOWN) {
            return;
        }
        auto& list = static_cast<ListBox&>(control);
        const auto top = static_cast<std::int32_t>(SendMessageA(peer.hwnd(), LB_GETTOPINDEX, 0, 0));
        if (top != list.topIndex()) {
            runUserAction([&] { list.scrolledByUser(top); });
        }
    };
    return kind;
}

// Ticks closer than a pixel look like one tick to the user, and the system draws every one of
// them at every paint (a bar of 65,535 positions took 47 ms a paint under Wine): the window
// draws at most one tick per pixel of its length, the first and last included, and so looks
// as the model's ticks would.
void writeTickFrequency(Peer& peer, const TrackBar& bar)
{
    RECT client{};
    GetClientRect(peer.hwnd(), &client);
    const bool vertical = bar.orientation() == TrackBarOrientation::Vertical;
    const std::int64_t pixels = std::max<LONG>(1, vertical ? client.bottom : client.right);
    const std::int64_t range = std::int64_t(bar.max()) - bar.min();
    const std::int64_t frequency =
        std::max<std::int64_t>(std::max(bar.frequency(), 1), (range + pixels - 1) / pixels);
    SendMessageA(peer.hwnd(), TBM_SETTICFREQ, static_cast<WPARAM>(frequency), 0);
}

WindowKind trackBarKind()
{
    WindowKind kind;
    kind.windowClass = TRACKBAR_CLASSA;
    kind.style = TBS_AUTOTICKS;
    kind.valueStyles = [](const WinControl& control, DWORD& style, DWORD&) {
        const auto& bar = static_cast<const TrackBar&>(control);
        style |= bar.orientation() == TrackBarOrientation::Vertical ? TBS_VERT : TBS_HORZ;
        style |= bar.tickMarks() == TickMarks::TopLeft ? TBS_TOP
                 : bar.tickMarks() == TickMarks::Both  ? TBS_BOTH
                                                       : TBS_BOTTOM;
        if (bar.tickStyle() == TickStyle::None) {
            style |= TBS_NOTICKS;
        }
    };
    kind.writeState = [](Peer& peer, WinControl& control) {
        const auto& bar = static_cast<TrackBar&>(control);
        const HWND hwnd = peer.hwnd();
        SendMessageA(hwnd, TBM_SETRANGEMIN, FALSE, bar.min());
        SendMessageA(hwnd, TBM_SETRANGEMAX, FALSE, bar.max());
        SendMessageA(hwnd, TBM_SETPAGESIZE, 0, bar.pageSize());
        SendMessageA(hwnd, TBM_SETLINESIZE, 0, bar.lineSize());
        writeTickFrequency(peer, bar);
        SendMessageA(hwnd, TBM_SETPOS, TRUE, bar.position());
    };
    kind.writeLayout = [](Peer& peer, WinControl& control) {
        // The thumb keeps its proportion to the bar. At design size the system's own length
        // stands as it is.
        const HWND hwnd = peer.hwnd();
        const LONG_PTR style = GetWindowLongPtrA(hwnd, GWL_STYLE);
        if (peer.dpi() != kDesignDpi || (style & TBS_FIXEDLENGTH)) {
            if (!(style & TBS_FIXEDLENGTH)) {
                SetWindowLongPtrA(hwnd, GWL_STYLE, style | TBS_FIXEDLENGTH);
            }
            SendMessageA(hwnd, TBM_SETTHUMBLENGTH,
                         static_cast<WPARAM>(scaleLength(kThumbLength, peer.dpi())), 0);
        }
        writeTickFrequency(peer, static_cast<TrackBar&>(control));
    };
    kind.scrolled = [](Peer& peer, WinControl& control) {
        const auto pos = static_cast<std::int32_t>(SendMessageA(peer.hwnd(), TBM_GETPOS, 0, 0));
        runUserAction([&] { static_cast<TrackBar&>(control).scrolledByUser(pos); });
    };
    return kind;
}

WindowKind labelKind()
{
    WindowKind kind;
    kind.windowClass = "STATIC";
    kind.style = SS_LEFT | SS_NOTIFY;
    kind.growsToCaption = true;
    kind.command = [](Peer&, WinControl& control, WORD code) {
        if (code != STN_CLICKED) {
            return false;
        }
        runUserAction([&] { control.click(); });
        return true;
    };
    return kind;
}

} // namespace

const WindowKind& windowKindOf(const WinControl& control)
{
    static const WindowKind container = containerKind();
    static const std::array<std::pair<const ClassInfo*, WindowKind>, 10> kinds{{
        {&Form::staticClassInfo(), formKind()},
        {&Panel::staticClassInfo(), panelKind()},
        {&Button::staticClassInfo(), buttonKind()},
        {&CheckBox::staticClassInfo(), checkBoxKind()},
        {&RadioButton::staticClassInfo(), radioButtonKind()},
        {&Edit::staticClassInfo(), editKind()},
        {&ListBox::staticClassInfo(), listBoxKind()},
        {&TrackBar::staticClassInfo(), trackBarKind()},
        {&Label::staticClassInfo(), labelKind()},
        {&WinControl::staticClassInfo(), container},
    }};
    for (const ClassInfo* info = &control.classInfo(); info; info = info->base()) {
        for (const auto& [owner, kind] : kinds) {
            if (owner == info) {
                return kind;
            }
        }
    }
    return container;
}

} // namespace ui::win32
