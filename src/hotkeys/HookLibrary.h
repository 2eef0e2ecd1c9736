#pragma once
// The exports of kestrihk.dll, the keyboard-hook library, as the program binds them.
//
// SetTheHook(window, path): installs a low-level keyboard hook for the whole desktop that
// reads the hotkeys from section "keys" of the profile at `path` (one length byte, then at
// most 255 characters) and posts one message to `window` for each hotkey pressed. The hook
// runs on a thread of the library's own, which never waits for the caller's thread: keys pass
// on at once while the window's thread is busy, and the hotkeys pressed meanwhile wait in its
// queue, in order. Keys saved to the profile later take effect without a new call: the library
// reads the section again, off the hook's path, when the file changes; a profile that has gone
// or cannot be read keeps the keys in force. Should the system remove the hook, or its thread
// end, the library installs it again. Every key goes on to the other programs. Returns
// non-zero once the hook is in place, 0 when it could not be installed; a second call
// replaces the first.
// ClearTheHook(): removes the hook and returns once the hook's thread has ended; nothing is
// posted to the window after it returns. The thread that re-reads the profile has ended too,
// unless it is stuck in a read of a profile on a drive that stopped answering: its read is
// cancelled, and should it still not end within a few seconds, ClearTheHook returns without
// it and it ends on its own. Harmless when no hook is installed.
//
// Nothing that happens on the library's threads ends the process: an exception ends the
// thread that met it, the keys in force stay, and the library starts what ended again.
//
// The library takes over the keyboard's raw input of the whole process (RegisterRawInputDevices
// with RIDEV_INPUTSINK, for a window of its own: it tells the library that the system removed
// its hook), and removes that registration when its hook goes. A program that uses the library
// must not register keyboard raw input of its own.

#include <windows.h>

#ifdef KESTRIHK_BUILDING
#define KESTRIHK_API __declspec(dllexport)
#else
#define KESTRIHK_API __declspec(dllimport)
#endif

extern "C" {
KESTRIHK_API BOOL WINAPI SetTheHook(HWND window, const unsigned char* lengthPrefixedPath);
KESTRIHK_API void WINAPI ClearTheHook();
}
