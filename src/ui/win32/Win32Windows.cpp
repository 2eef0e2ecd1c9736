// Making windows: the window classes and the window of each kind of control.
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Peer.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/TrackBar.h"

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

} // namespace

void registerWindowClasses(HINSTANCE instance)
{
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
        formClass = formWindowClass(instance, *form);
        cls = formClass.c_str();
        subclass = false;
        style = formStyle(*form, exStyle) | WS_CLIPCHILDREN;
        parent = appWindow;
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
                                nullptr, instance, nullptr);
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

} // namespace ui::win32
