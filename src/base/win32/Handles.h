#pragma once
// The owners of the Windows handles the program uses (base/UniqueHandle.h). Each policy names
// the handle's invalid value and how it is released; releasing keeps the last error as it
// was. The rules of ownership that are not a handle's alone:
// - A window owns the menu bar given to it with SetMenu and destroys it with itself: an owner
//   of a menu releases it before SetMenu, and never after.
// - A device context from GetDC goes back with ReleaseDC and its window (WindowDC); one from
//   CreateCompatibleDC goes with DeleteDC (UniqueMemoryDC).
// - An object selected into a device context is put back before the context goes
//   (SelectionGuard), and a GDI object is deleted only once no context holds it.

#include "base/UniqueHandle.h"

#include <windows.h>

namespace base::win32 {

// Handles that are "none" when null, released with `Close`; the last error is kept.
template <class Handle, BOOL(WINAPI* Close)(Handle)>
struct NullIsNone {
    using Type = Handle;
    static Type invalid() noexcept { return nullptr; }
    static void close(Type handle) noexcept
    {
        const DWORD error = GetLastError();
        Close(handle);
        SetLastError(error);
    }
};

// Kernel objects that are "none" when null: events, threads, processes, pipes.
using UniqueKernelHandle = UniqueHandle<NullIsNone<HANDLE, &CloseHandle>>;

// Files and the handles of CreateFile, whose "none" is INVALID_HANDLE_VALUE.
struct FilePolicy {
    using Type = HANDLE;
    static Type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Type handle) noexcept
    {
        const DWORD error = GetLastError();
        CloseHandle(handle);
        SetLastError(error);
    }
};
using UniqueFile = UniqueHandle<FilePolicy>;

// Closes a file that was written and tells whether the system took its last data: the close
// of a written file can fail where no write did (a full disk, a network drive gone).
inline bool closeReporting(UniqueFile& file) noexcept
{
    return CloseHandle(file.release()) != FALSE;
}

// Searches of FindFirstFile.
struct FindPolicy {
    using Type = HANDLE;
    static Type invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static void close(Type handle) noexcept
    {
        const DWORD error = GetLastError();
        FindClose(handle);
        SetLastError(error);
    }
};
using UniqueFind = UniqueHandle<FindPolicy>;

// Registry keys; RegCloseKey returns its error rather than setting it.
struct RegistryKeyPolicy {
    using Type = HKEY;
    static Type invalid() noexcept { return nullptr; }
    static void close(Type key) noexcept { RegCloseKey(key); }
};
using UniqueRegistryKey = UniqueHandle<RegistryKeyPolicy>;

template <class Object>
struct GdiObjectPolicy {
    using Type = Object;
    static Type invalid() noexcept { return nullptr; }
    static void close(Type object) noexcept
    {
        const DWORD error = GetLastError();
        DeleteObject(object);
        SetLastError(error);
    }
};
using UniqueFont = UniqueHandle<GdiObjectPolicy<HFONT>>;
using UniqueBitmap = UniqueHandle<GdiObjectPolicy<HBITMAP>>;
using UniqueBrush = UniqueHandle<GdiObjectPolicy<HBRUSH>>;
using UniquePen = UniqueHandle<GdiObjectPolicy<HPEN>>;

using UniqueMenu = UniqueHandle<NullIsNone<HMENU, &DestroyMenu>>;
using UniqueIcon = UniqueHandle<NullIsNone<HICON, &DestroyIcon>>;
using UniqueHook = UniqueHandle<NullIsNone<HHOOK, &UnhookWindowsHookEx>>;
using UniqueWindow = UniqueHandle<NullIsNone<HWND, &DestroyWindow>>;
using UniqueMemoryDC = UniqueHandle<NullIsNone<HDC, &DeleteDC>>;

// The device context of a window (GetDC), given back to that window (ReleaseDC).
class WindowDC {
public:
    explicit WindowDC(HWND window) noexcept : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDC()
    {
        if (m_dc) {
            const DWORD error = GetLastError();
            ReleaseDC(m_window, m_dc);
            SetLastError(error);
        }
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return m_dc; }
    explicit operator bool() const noexcept { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// A painting of a window: BeginPaint now, EndPaint when it goes.
class PaintScope {
public:
    explicit PaintScope(HWND window) noexcept : m_window(window) { BeginPaint(window, &m_paint); }
    ~PaintScope() { EndPaint(m_window, &m_paint); }
    PaintScope(const PaintScope&) = delete;
    PaintScope& operator=(const PaintScope&) = delete;
    HDC dc() const noexcept { return m_paint.hdc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint{};
};

// Selects an object into a device context and puts the one it replaced back when it goes.
class SelectionGuard {
public:
    SelectionGuard(HDC dc, HGDIOBJ object) noexcept : m_dc(dc), m_old(SelectObject(dc, object)) {}
    ~SelectionGuard()
    {
        if (m_old && m_old != HGDI_ERROR)
            SelectObject(m_dc, m_old);
    }
    SelectionGuard(const SelectionGuard&) = delete;
    SelectionGuard& operator=(const SelectionGuard&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_old;
};

} // namespace base::win32
