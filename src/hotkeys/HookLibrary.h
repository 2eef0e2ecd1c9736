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
// ClearTheHook(): removes the hook and returns once the library's threads have ended; nothing
// is posted to the window after it returns. Harmless when no hook is installed.

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
