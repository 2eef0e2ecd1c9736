#pragma once
// The exports of kestrihk.dll, the keyboard-hook library, as the program binds them.
//
// SetTheHook(window, path): installs a low-level keyboard hook for the whole desktop that
// reads the hotkeys from section "keys" of the profile at `path` (one length byte, then at
// most 255 characters) and posts one message to `window` for each hotkey pressed. Keys
// saved to the profile later take effect without a new call: the library reads the section
// again when the file changes. Every key goes on to the other programs. Returns non-zero
// when the hook is installed; a second call replaces the first.
// ClearTheHook(): removes the hook; harmless when none is installed.

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
