// The display in a real window: a TLCDLabel on a windowed parent whose window is a real
// top-level window, painted through the control's own paint, then read back from the screen
// with GDI and compared with the picture the control presented, pixel for pixel.
//
// With KESTRION_LCD_SCREENSHOT set to a file path, the captured window is also written there
// as a binary PPM, for a person to look at.

#include "lcd/ChannelLcdLayout.h"
#include "lcd/LCDLabel.h"
#include "ui/Backend.h"
#include "ui/WinControl.h"

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

// System colours from the system, message boxes recorded: the parts of a backend the display
// uses.
class SystemColorsBackend final : public ui::Backend {
public:
    ui::ModalResult showMessageBox(const ui::MessageBoxRequest& request) override
    {
        shown.push_back(request);
        return ui::ModalResult::Ok;
    }
    std::uint32_t systemColor(int index) const override { return GetSysColor(index); }
    std::vector<ui::MessageBoxRequest> shown;
};

// The window windowless controls are drawn on: a present copies the picture to the window at
// once; WM_PAINT clears the window and has every windowless child paint itself again, as the
// window framework does.
class WindowPeer final : public ui::ControlPeer {
public:
    explicit WindowPeer(HWND window) : m_window(window) {}
    void changed(ui::ControlChange) override {}
    void invalidate(const ui::Box& area) override
    {
        RECT r{area.left, area.top, area.right, area.bottom};
        InvalidateRect(m_window, &r, FALSE);
    }
    void present(const ui::Raster& image, int x, int y) override
    {
        HDC dc = GetDC(m_window);
        draw(dc, image, x, y);
        ReleaseDC(m_window, dc);
    }
    static void draw(HDC dc, const ui::Raster& image, int x, int y)
    {
        BITMAPINFO info{};
        info.bmiHeader.biSize = sizeof(info.bmiHeader);
        info.bmiHeader.biWidth = image.width();
        info.bmiHeader.biHeight = -image.height(); // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        // A DIB holds 0x00RRGGBB; the raster 0x00BBGGRR.
        std::vector<std::uint32_t> bits(image.pixels().size());
        for (std::size_t i = 0; i < bits.size(); ++i) {
            std::uint32_t p = image.pixels()[i];
            bits[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
        }
        SetDIBitsToDevice(dc, x, y, DWORD(image.width()), DWORD(image.height()), 0, 0, 0,
                          UINT(image.height()), bits.data(), &info, DIB_RGB_COLORS);
    }

private:
    HWND m_window;
};

ui::WinControl* g_form = nullptr;

LRESULT CALLBACK windowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PAINT) {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, GetSysColorBrush(COLOR_BTNFACE));
        EndPaint(window, &ps);
        if (g_form) {
            for (ui::Control* child : g_form->controls())
                if (auto* graphic = dynamic_cast<ui::GraphicControl*>(child))
                    graphic->Paint();
        }
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void pumpMessages(DWORD milliseconds)
{
    const DWORD end = GetTickCount() + milliseconds;
    while (GetTickCount() < end) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// The client area as the screen shows it, 0x00BBGGRR per pixel.
std::vector<std::uint32_t> captureClient(HWND window, int width, int height)
{
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, width, height, screen, origin.x, origin.y, SRCCOPY);
    GdiFlush();
    std::vector<std::uint32_t> pixels(std::size_t(width) * height);
    const auto* dib = static_cast<const std::uint32_t*>(bits);
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        std::uint32_t p = dib[i] & 0xFFFFFF;
        pixels[i] = ((p & 0xFF) << 16) | (p & 0xFF00) | ((p >> 16) & 0xFF);
    }
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
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

} // namespace

TEST(LcdWindow, ChannelLcdPaintsInsideARealWindow)
{
    SystemColorsBackend backend;
    WNDCLASSA wc{};
    wc.lpfnWndProc = windowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));
    wc.lpszClassName = "KestrionLcdTestWindow";
    ASSERT_NE(RegisterClassA(&wc), 0);
    RECT frame{0, 0, kClientWidth, kClientHeight};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, FALSE);
    HWND window = CreateWindowExA(0, wc.lpszClassName, "Kestrion LCD", WS_OVERLAPPEDWINDOW,
                                  40, 40, frame.right - frame.left, frame.bottom - frame.top,
                                  nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_NE(window, nullptr);

    auto form = ui::makeComponent<ui::WinControl>(nullptr);
    form->setBounds(0, 0, kClientWidth, kClientHeight);
    form->setPeer(std::make_unique<WindowPeer>(window));
    g_form = form.get();
    auto* lcd = new lcd::TLCDLabel(form.get());
    lcd->setParent(form.get());
    lcd::applyChannelLcdLayout(*lcd);
    lcd->setBounds(kLabelLeft, kLabelTop, lcd->width(), lcd->height());

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    pumpMessages(300);
    lcd->SetCaption("Standing by...");
    pumpMessages(300);

    const std::vector<std::uint32_t> shot = captureClient(window, kClientWidth, kClientHeight);
    if (const char* path = std::getenv("KESTRION_LCD_SCREENSHOT"))
        savePpm(path, shot, kClientWidth, kClientHeight);

    const ui::Raster& picture = lcd->surface();
    ASSERT_EQ(picture.width(), 246);
    ASSERT_EQ(picture.height(), 28);
    int differing = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (shot[std::size_t(y + kLabelTop) * kClientWidth + std::size_t(x + kLabelLeft)] !=
                picture.pixel(x, y))
                ++differing;
    EXPECT_EQ(differing, 0);
    // The system's own colours: the frame's top-left in the button shadow, the opposite
    // corner in the button highlight, dots black and grey on silver.
    auto at = [&](int x, int y) {
        return shot[std::size_t(y + kLabelTop) * kClientWidth + std::size_t(x + kLabelLeft)];
    };
    EXPECT_EQ(at(0, 0), GetSysColor(COLOR_BTNSHADOW) & 0xFFFFFF);
    EXPECT_EQ(at(245, 27), GetSysColor(COLOR_BTNHIGHLIGHT) & 0xFFFFFF);
    EXPECT_EQ(at(2, 2), 0xC0C0C0u);
    EXPECT_EQ(at(4, 4), 0xAAAAAAu); // S: top-left dot unlit
    EXPECT_EQ(at(7, 4), 0x000000u); // S: second dot of the top row lit
    // Beside the control the window keeps its own background.
    EXPECT_EQ(shot[5 * kClientWidth + 5], GetSysColor(COLOR_BTNFACE) & 0xFFFFFF);
    EXPECT_TRUE(backend.shown.empty());

    g_form = nullptr;
    form.reset();
    DestroyWindow(window);
}

TEST(LcdWindow, RefusedValueShowsTheErrorBox)
{
    SystemColorsBackend backend;
    auto lcd = ui::makeComponent<lcd::TLCDLabel>(nullptr);
    lcd->SetNoOfChars(0);
    ASSERT_EQ(backend.shown.size(), 1u);
    EXPECT_EQ(backend.shown[0].text, "Display needs at least one character!");
    EXPECT_EQ(backend.shown[0].caption, "Error");
    EXPECT_EQ(backend.shown[0].icon, ui::MessageIcon::Error);
    EXPECT_EQ(lcd->NoOfChars(), 10);
}
