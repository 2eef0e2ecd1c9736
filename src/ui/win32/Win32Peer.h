#pragma once
// Inside the Windows backend (not for use outside ui/win32): the peer of one windowed
// control, and what the backend's source files share. The files, by concern:
//
//   Win32Backend.cpp   the backend object: message boxes, the message loops, modal state
//   Win32Windows.cpp   window classes, making a control's window, where a form opens, icons
//   Win32Peer.cpp      the peer: the model's changes written to the window, painting
//   Win32WindowProc.cpp  the window procedures: the system's notifications to the model
//   Win32Menus.cpp     menus, pop-up menus and the file-open dialog
//   Win32Dpi.cpp       the system's display scaling
//   Win32Accessible.cpp  what screen readers learn of our windows
//
// Every length the model holds is in design units (ui/Screen.h); a peer writes it to its
// window scaled to the window's dpi, and a form's position read from the window comes back
// to the model in design units.

#include "base/win32/Handles.h"
#include "ui/ControlPeer.h"
#include "ui/Screen.h"
#include "ui/win32/Win32WindowKinds.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace ui {
class Control;
enum class AccessibleEvent;
class Form;
class Menu;
class MenuItem;
class TrackBar;
class WinControl;
} // namespace ui

namespace ui::win32 {

class Win32Backend;

// Names that are never translated: window classes.
inline constexpr const char* FormClass = "KestrionForm";
inline constexpr const char* ContainerClass = "KestrionContainer";
inline constexpr const char* AppClass = "KestrionApplication";
// A submenu of a menu bar with more items than this is filled only while it is open: the
// system's menus grow by one item at a time, at a cost that rises with their length (under
// Wine, 1,000 items take about 1 ms and 16,000 items two seconds), and a long list of channels
// should not sit in the desktop's memory while nobody looks at it.
inline constexpr int FilledWhenOpened = 64;
// The most items one real menu shows; a longer menu shows them in submenus of this many.
inline constexpr std::size_t kMostItemsInOneMenu = 1000;
// How much of an item's caption names a group of a very long menu.
inline constexpr std::size_t kGroupCaptionLength = 24;
// Posted to a form's window to build its menu bar anew once a long submenu has closed.
inline constexpr UINT RebuildMenuMessage = WM_APP + 0x2B1;
// The program's icon in its own module.
inline constexpr const char* ProgramIcon = "MAINICON";

// The installed Windows backend, or null.
Win32Backend* installedBackend();

class Peer;
// The peer of one of our windows, or null for any other window. Only a window this thread
// made through the framework has one: the answer comes from a table of this process, never
// from the window itself, so a window handle that another program put into a message (its own
// window, dressed up as one of ours) leads nowhere.
Peer* peerOf(HWND hwnd);
std::string windowText(HWND hwnd);
// The Shift, Ctrl and Alt keys held now, as the model's shift state.
std::uint8_t shiftState();

// Registers the window classes (once per module).
void registerWindowClasses(HINSTANCE instance);
// Makes the window of a control whose parent's window exists (or of a form), and its peer.
std::unique_ptr<ControlPeer> createControlWindow(WinControl& control, HINSTANCE instance,
                                                 HWND appWindow);

// The width the window of a label, check box or radio button at `dpi` needs to show its whole
// caption, in its pixels.
int captionWidth(HWND hwnd, const WinControl& control, int dpi);

// A real menu for the items below `parent`: a menu bar, or a pop-up menu. The caller owns it.
// A menu bar reports choices by place (WM_MENUCOMMAND), and its long submenus stay empty
// until they open (fillOpeningSubmenu).
HMENU buildMenu(const MenuItem& parent, bool popup);
// Fills a long submenu of a menu bar of `model` that is opening; true when it did. Once it
// has closed, the menu bar is built anew (RebuildMenuMessage), which drops those items.
bool fillOpeningSubmenu(HMENU submenu, Menu& model);
// The item of `model` at `index` of the real menu `menu`, as WM_MENUCOMMAND reports it.
MenuItem* chosenByPlace(HMENU menu, UINT index, Menu& model);

// Screen readers (Win32Accessible.cpp). A windowless control that a screen reader sees is the
// child of its window's object numbered kFirstOwnChild plus its place among the window's
// controls, above any number the system gives a child.
inline constexpr LONG kFirstOwnChild = 0x10000;
// Answers WM_GETOBJECT for one of our windows; false leaves the message to the system.
bool answerGetObject(HWND hwnd, WPARAM wParam, LPARAM lParam, LRESULT& result);
void notifyAccessibleEvent(Control& control, AccessibleEvent event);
// Asks UI Automation to speak `text` for the control's window, where this Windows has it.
void announceText(Control& control, const std::string& text);

LRESULT CALLBACK ownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK appProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The realisation of one windowed control.
class Peer : public ControlPeer {
public:
    // Takes over `hwnd`, laid out at `dpi`; `subclass` puts the peer's procedure in front of
    // a system window class's own.
    Peer(WinControl& control, HWND hwnd, bool subclass, int dpi);
    ~Peer() override;
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    HWND hwnd() const { return m_hwnd; }
    WinControl& control() { return m_control; }
    // How the control's kind is realised as a window (Win32WindowKinds.h).
    const WindowKind& kind() const { return m_kind; }
    // The form this peer realises, or null when it realises another control.
    Form* form();

    void changed(ControlChange what) override;
    void invalidate(const Box& area) override;
    void present(const Raster& image, int x, int y) override;
    int dpi() const override { return m_dpi; }

    // Whether the window shows a hint: its procedure passes the pointer's moves and clicks
    // on to the tip (relayToTip).
    bool hasTip() const { return m_hasTip; }

    // A notification from a child window, sent to its parent (this window).
    bool childCommand(HWND child, WORD code);
    void scrolled(HWND child);
    // Paints the windowless children that lie on this window.
    void paintGraphicChildren();

    // The window is being destroyed: it no longer leads to this peer.
    void forgetWindow();
    // Builds the form's menu bar anew from the model.
    void rebuildMenu();
    // Brings a list box's lines to `lines`: only the lines between the unchanged start and the
    // unchanged end go to the window. The caller turns its drawing off meanwhile.
    void showLines(const std::vector<std::string>& lines);
    // A long submenu closed: the menu bar is built anew once the menu loop has ended.
    void rebuildMenuAfterLoop() { m_menuRebuildDue = true; }
    // Whether the bar is due to be built anew; it is no longer due afterwards.
    bool takeMenuRebuild() { return std::exchange(m_menuRebuildDue, false); }
    // Writes the whole model state that creation did not give the window.
    void applyAll();
    // The form's window now stands where the system put it: the model's position follows,
    // in design units.
    void formPlaced();
    // The form's window went to a monitor of another dpi: the form and all its controls are
    // laid out again at `dpi`, in the window rectangle the system suggests.
    void dpiChanged(int dpi, const RECT& suggested);
    // WM_DPICHANGED as it arrived: its dpi and the address of the suggested rectangle are
    // taken only when they make sense, and the rectangle is copied without trusting the
    // address (a message sent from another program carries an address of that program's).
    // False when the message was not taken.
    bool dpiChangeMessage(WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void applyBounds();
    void applyFormBounds(Form& form, const RECT* suggested);
    void applyText();
    void applyFont();
    void applyHint();
    void applyParent();
    void applyTabOrder();
    void applyState();
    void applyMenu(Form& form);
    void applyIcons();
    // Lays out this control's window and those below it at the peer's dpi.
    void applyScale();

    WinControl& m_control;
    const WindowKind& m_kind;
    HWND m_hwnd;
    int m_dpi;
    WNDPROC m_systemProc = nullptr;
    base::win32::UniqueFont m_font;
    // The window owns its menu bar (base/win32/Handles.h): the peer keeps none.
    base::win32::UniqueIcon m_smallIcon;
    base::win32::UniqueIcon m_bigIcon;
    // A form's position in design units as last written to or read from its window; the
    // window keeps its own exact place until the model's position changes.
    Point m_formPosition{};
    bool m_syncing = false;
    bool m_menuRebuildDue = false;
    bool m_hasTip = false;
    // The lines a list box's window holds, as last written to it.
    std::vector<std::string> m_shownLines;
};

// The window style of a form (WS_CLIPCHILDREN aside), and its extended style.
DWORD formStyle(const Form& form, DWORD& exStyle);
// The client size a form's window must have: its model's, scaled.
SIZE scaledClientSize(const Form& form, int dpi);
// The widths of the frame around a window's client area at `dpi`, in its pixels: left, top,
// right and bottom.
RECT frameAround(DWORD style, DWORD exStyle, bool menu, int dpi);
// Brings the client area of a form's window to `client` by resizing it (a menu bar that wraps
// takes more room than the system's frame figures say). The window's top-left stays.
void fitClientArea(HWND hwnd, SIZE client);

} // namespace ui::win32
