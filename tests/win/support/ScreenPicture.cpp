#include "ScreenPicture.h"

#include "WinTestSupport.h"

#include "base/win32/Handles.h"

#include "lcd/ChannelLcdLayout.h"
#include "lcd/LCDLabel.h"
#include "ui/win32/Win32Backend.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace wintest {

Picture captureClient(HWND window)
{
    RECT client{};
    GetClientRect(window, &client);
    Picture shot{client.right, client.bottom, {}};
    if (shot.width <= 0 || shot.height <= 0)
        return {};
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    base::win32::WindowDC screen(nullptr);
    base::win32::UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = shot.width;
    info.bmiHeader.biHeight = -shot.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    base::win32::UniqueBitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        base::win32::SelectionGuard selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, shot.width, shot.height, screen.get(), origin.x, origin.y,
               SRCCOPY);
        GdiFlush();
    }
    const auto* dib = static_cast<const std::uint32_t*>(bits);
    shot.pixels.resize(std::size_t(shot.width) * std::size_t(shot.height));
    for (std::size_t i = 0; i < shot.pixels.size(); ++i) {
        std::uint32_t p = dib[i] & 0xFFFFFF; // 0x00RRGGBB
        shot.pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    return shot;
}

void keepForALook(const Picture& shot, const std::string& name)
{
    const char* dir = std::getenv("KESTRION_SCREENSHOT_DIR");
    if (!dir || !*dir)
        return;
    std::string out =
        "P6\n" + std::to_string(shot.width) + " " + std::to_string(shot.height) + "\n255\n";
    for (std::uint32_t p : shot.pixels) {
        out += char(p & 0xFF);
        out += char((p >> 8) & 0xFF);
        out += char((p >> 16) & 0xFF);
    }
    // The folder is named as the host names it; Wine shows the host's root as drive Z:.
    std::string folder = dir[0] == '/' ? "Z:" + std::string(dir) : std::string(dir);
    EXPECT_TRUE(writeFile(folder + "\\" + name, out));
}

Picture lcdShowing(const std::string& caption)
{
    ui::win32::Win32Backend backend;
    ui::ComponentPtr<lcd::TLCDLabel> label = ui::makeComponent<lcd::TLCDLabel>(nullptr);
    lcd::applyChannelLcdLayout(*label);
    label->setCaption(caption);
    label->Paint();
    const ui::Raster& surface = label->surface();
    Picture picture{surface.width(), surface.height(), {}};
    for (int y = 0; y < surface.height(); ++y)
        for (int x = 0; x < surface.width(); ++x)
            picture.pixels.push_back(surface.pixel(x, y));
    return picture;
}

bool contains(const Picture& shot, const Picture& part)
{
    for (int top = 0; top + part.height <= shot.height; ++top)
        for (int left = 0; left + part.width <= shot.width; ++left) {
            bool same = true;
            for (int y = 0; y < part.height && same; ++y)
                same =
                    std::equal(part.pixels.begin() + std::ptrdiff_t(y) * part.width,
                               part.pixels.begin() + std::ptrdiff_t(y + 1) * part.width,
                               shot.pixels.begin() + std::ptrdiff_t(top + y) * shot.width + left);
            if (same)
                return true;
        }
    return false;
}

} // namespace wintest
