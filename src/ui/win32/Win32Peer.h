#pragma once
// Inside the Windows backend (not for use outside ui/win32): the peer of one windowed
// control, and what the backend's source files share. The files, by concern:
//
//   Win32Backend.cpp     the backend object: message boxes, the message loops, modal state
//   Win32Windows.cpp     window classes and making the window of each kind of control
//   Win32Peer.cpp        the peer: the model's changes written to the window, painting
//   Win32WindowProc.cpp  the window procedures: the system's notifications to the model
//   Win32Menus.cpp       menus, pop-up menus and the file-open dialog

#include "ui/ControlPeer.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

namespace ui {
class Form;
class MenuItem;
class WinControl;
} // namespace ui

namespace ui::win32 {

class Win32Backend;

// Names that are never translated: window classes and the window property of our peers.
inline constexpr const char* FormClass = "KestrionForm";
inline constexpr const char* ContainerClass = "KestrionContainer";
inline constexpr const char* AppClass = "KestrionApplication";
inline constexpr const char* PeerProperty = "KestrionPeer";

// The installed Windows backend, or null.
Win32Backend* installedBackend();

class Peer;
// The peer of one of our windows, or null for any other window.
Peer* peerOf(HWND hwnd);
std::string windowText(HWND hwnd);
// The Shift, Ctrl and Alt keys held now, as the model's shift state.
std::uint8_t shiftState();

// Registers the window classes (once per module).
void registerWindowClasses(HINSTANCE instance);
// Makes the window of a control whose parent's window exists (or of a form), and its peer.
std::unique_ptr<ControlPeer> createControlWindow(WinControl& control, HINSTANCE instance,
                                                 HWND appWindow);

// A real menu for the items below `parent`: a menu bar, or a pop-up menu. The caller owns it.
HMENU buildMenu(const MenuItem& parent, bool popup);

LRESULT CALLBACK ownProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
LRESULT CALLBACK appProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

// The realisation of one windowed control.
class Peer : public ControlPeer {
public:
    // Takes over `hwnd`; `subclass` puts the peer's procedure in front of a system window
    // class's own.
    Peer(WinControl& control, HWND hwnd, bool subclass);
    ~Peer() override;
    Peer(const Peer&) = delete;
    Peer& operator=(const Peer&) = delete;

    HWND hwnd() const { return m_hwnd; }
    WinControl& control() { return m_control; }

    void changed(ControlChange what) override;
    void invalidate(const Box& area) override;
    void present(const Raster& image, int x, int y) override;

    // A notification from a child window, sent to its parent (this window).
    bool childCommand(HWND child, WORD code);
    void scrolled(HWND child);
    // Paints the windowless children that lie on this window.
    void paintGraphicChildren();

    void forgetWindow() { m_hwnd = nullptr; }
    // Writes the whole model state that creation did not give the window.
    void applyAll();

    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

private:
    void applyBounds();
    void applyText();
    void applyFont();
    void applyHint();
    void applyParent();
    void applyTabOrder();
    void applyState();
    void applyMenu(Form& form);

    WinControl& m_control;
    HWND m_hwnd;
    WNDPROC m_systemProc = nullptr;
    HFONT m_font = nullptr;
    HMENU m_menu = nullptr;
    bool m_syncing = false;
};

// The window style of a form (WS_CLIPCHILDREN aside), and its extended style.
DWORD formStyle(const Form& form, DWORD& exStyle);

} // namespace ui::win32
