#pragma once
// Inside the Windows backend: how each kind of control is realised as a window. One entry per
// control class, beside the others in Win32WindowKinds.cpp, says its window class and styles,
// how the control's state goes to the window, and which of the window's notifications it
// takes; the rest of the backend reads the entry and knows no control class but the form.
// A control finds its entry through its class information: a class without one of its own
// (a form of the program, a control derived from a framework control) takes its nearest
// ancestor's, and a plain windowed control the container's at the root.

#include <windows.h>

#include <cstdint>

namespace ui {
class WinControl;
} // namespace ui

namespace ui::win32 {

class Peer;

// How a caption sits in its window, for measuring what it needs.
enum class CaptionLayout {
    Plain,      // the text alone (a label)
    AfterBox,   // a check box's or radio button's box, then the text
    WithinEdge, // inside a button's edges
};

struct WindowKind {
    // The window class; null for the framework's own container class.
    const char* windowClass = nullptr;
    DWORD style = 0;
    DWORD exStyle = 0;
    // Whether the peer's procedure goes in front of the system class's own.
    bool subclass = true;
    // A form: a top-level window with its frame, menu bar and icons (Win32Windows.cpp).
    bool form = false;
    // Whether the window widens to show its whole caption, and how the caption sits in it.
    bool growsToCaption = false;
    CaptionLayout caption = CaptionLayout::Plain;

    // The styles that follow the control's own values, when the window is made.
    void (*valueStyles)(const WinControl& control, DWORD& style, DWORD& exStyle) = nullptr;
    // Writes the control's text to the window; null: the window's text.
    void (*writeText)(Peer& peer, WinControl& control) = nullptr;
    // Writes the values particular to the kind (a position, a check mark, a selection).
    void (*writeState)(Peer& peer, WinControl& control) = nullptr;
    // Lays out what depends on the window's size and scale (a track bar's thumb and ticks).
    void (*writeLayout)(Peer& peer, WinControl& control) = nullptr;
    // A notification the window sent its parent (WM_COMMAND); true when the kind took it.
    bool (*command)(Peer& peer, WinControl& control, WORD code) = nullptr;
    // The user moved the window's thumb (WM_HSCROLL, WM_VSCROLL to the parent).
    void (*scrolled)(Peer& peer, WinControl& control) = nullptr;
    // A message the system's procedure of the window has just handled.
    void (*handled)(Peer& peer, WinControl& control, UINT msg) = nullptr;
};

const WindowKind& windowKindOf(const WinControl& control);

} // namespace ui::win32
