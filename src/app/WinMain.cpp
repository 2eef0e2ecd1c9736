// Program start. For now the main window is an empty tool window of its final class and
// caption; the application object and the main form replace this as they arrive.

#include <windows.h>

namespace {

// Identifiers that are never translated.
constexpr char kMainWindowClass[] = "TMainForm";
constexpr char kInitialCaption[] = "Quorbit's RW Corvandial";
constexpr char kApplicationTitle[] = "Kestrion";

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY: PostQuitMessage(0); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSA wc{};
    wc.lpfnWndProc = mainWindowProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kMainWindowClass;
    if (!RegisterClassA(&wc))
        return 1;

    // The hidden owner window carries the tool-window style, so the program has no
    // task-bar button.
    HWND owner = CreateWindowExA(WS_EX_TOOLWINDOW, "STATIC", kApplicationTitle, WS_POPUP, 0, 0,
                                 0, 0, nullptr, nullptr, instance, nullptr);

    constexpr DWORD style = WS_CAPTION | WS_SYSMENU;
    constexpr DWORD exStyle = WS_EX_TOOLWINDOW;
    RECT bounds{0, 0, 246, 71};
    AdjustWindowRectEx(&bounds, style, FALSE, exStyle);
    HWND main = CreateWindowExA(exStyle, kMainWindowClass, kInitialCaption, style, CW_USEDEFAULT,
                                CW_USEDEFAULT, bounds.right - bounds.left,
                                bounds.bottom - bounds.top, owner, nullptr, instance, nullptr);
    if (!main)
        return 1;
    ShowWindow(main, SW_SHOWNORMAL);

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DestroyWindow(owner);
    return static_cast<int>(msg.wParam);
}
