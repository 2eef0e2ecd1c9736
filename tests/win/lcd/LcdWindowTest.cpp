// The display in a real window: ChannelLCD, built as the main window's stored layout builds
// it, on a form shown by the Windows backend, painted through the framework (WM_PAINT of the
// form and the setters' own paints), then read back from the screen with GDI and compared
// with the picture the control presented, pixel for pixel.
//
// With KESTRION_LCD_SCREENSHOT set to a file path, the captured client area is also written
// there as a binary PPM, for a person to look at.

#include "base/win32/Handles.h"
#include "lcd/ChannelLcdLayout.h"
#include "lcd/LCDLabel.h"
#include "ui/Application.h"
#include "ui/Form.h"
#include "ui/win32/Win32Backend.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kClientWidth = 300;
constexpr int kClientHeight = 80;
constexpr int kLabelLeft = 20;
constexpr int kLabelTop = 16;

class TLcdForm : public ui::Form {
public:
    explicit TLcdForm(ui::Component* owner) : ui::Form(owner)
    {
        setName("LcdForm");
        setCaption("Kestrion LCD");
        setClientWidth(kClientWidth);
        setClientHeight(kClientHeight);
        ChannelLCD = new lcd::TLCDLabel(this);
        ChannelLCD->setName("ChannelLCD");
        ChannelLCD->setParent(this);
        lcd::applyChannelLcdLayout(*ChannelLCD);
        ChannelLCD->setBounds(kLabelLeft, kLabelTop, ChannelLCD->width(), ChannelLCD->height());
        finishCreation();
    }
    lcd::TLCDLabel* ChannelLCD;
};

// The client area as the screen shows it, 0x00BBGGRR per pixel.
std::vector<std::uint32_t> captureClient(HWND window, int width, int height)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    base::win32::WindowDC screen(nullptr);
    base::win32::UniqueMemoryDC memory(CreateCompatibleDC(screen.get()));
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    base::win32::UniqueBitmap bitmap(
        CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    {
        base::win32::SelectionGuard selected(memory.get(), bitmap.get());
        BitBlt(memory.get(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
        GdiFlush();
    }
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    const auto* dib = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        std::uint32_t p = dib[i] & 0xFFFFFF; // 0x00RRGGBB
        pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    return pixels;
}

void savePpm(const char* path, const std::vector<std::uint32_t>& pixels, int width, int height)
{
    std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    for (std::uint32_t p : pixels) {
        out += char(p & 0xFF);
        out += char((p >> 8) & 0xFF);
        out += char((p >> 16) & 0xFF);
    }
    if (FILE* f = std::fopen(path, "wb")) {
        std::fwrite(out.data(), 1, out.size(), f);
        std::fclose(f);
    }
}

void settle(ui::Application& app, DWORD milliseconds)
{
    const DWORD until = GetTickCount() + milliseconds;
    while (GetTickCount() < until) {
        app.processMessages();
        Sleep(10);
    }
}

} // namespace

TEST(LcdWindow, ChannelLcdPaintsInsideARealWindow)
{
    ui::win32::Win32Backend backend;
    ui::Application app;
    TLcdForm& form = app.createForm<TLcdForm>();
    form.show();
    HWND window = ui::win32::windowHandle(form);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ui::win32::windowHandle(*form.ChannelLCD), window); // windowless: on the form
    settle(app, 300);
    form.ChannelLCD->setCaption("Standing by...");
    settle(app, 300);

    const std::vector<std::uint32_t> shot = captureClient(window, kClientWidth, kClientHeight);
    if (const char* path = std::getenv("KESTRION_LCD_SCREENSHOT"))
        savePpm(path, shot, kClientWidth, kClientHeight);
    auto at = [&](int x, int y) {
        return shot[std::size_t(y + kLabelTop) * kClientWidth + std::size_t(x + kLabelLeft)];
    };

    const ui::Raster& picture = form.ChannelLCD->surface();
    ASSERT_EQ(picture.width(), 246);
    ASSERT_EQ(picture.height(), 28);
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            differing += at(x, y) != picture.pixel(x, y);
    EXPECT_EQ(differing, 0);
    // The system's own colours frame the panel: the top-left in the button shadow, the
    // opposite corner in the button highlight; dots black and grey on silver.
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
    EXPECT_EQ(at(245, 27), GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF);
    EXPECT_EQ(at(2, 2), 0xC0C0C0u);
    EXPECT_EQ(at(4, 4), 0xAAAAAAu);   // S: the top-left dot is unlit
    EXPECT_EQ(at(7, 4), 0x000000u);   // S: the second dot of the top row is lit
    EXPECT_EQ(at(228, 4), 0xAAAAAAu); // the fifteenth cell is blank
}
