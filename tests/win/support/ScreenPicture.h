#pragma once
// Pictures of what a window shows on the screen, and of the main window's display as the
// program draws it, for tests that check what a user sees.

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace wintest {

// Pixels in rows from the top, each 0x00BBGGRR.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// What the window's client area shows on the screen now.
Picture captureClient(HWND window);

// With KESTRION_SCREENSHOT_DIR set to a folder, the picture goes there as a binary PPM, for a
// person to look at.
void keepForALook(const Picture& shot, const std::string& name);

// The main window's display as it looks with that caption: the control made as the main
// window makes it, painted here in the system's own colours.
Picture lcdShowing(const std::string& caption);

// Whether `part` appears anywhere in `shot`, pixel for pixel.
bool contains(const Picture& shot, const Picture& part);

} // namespace wintest
