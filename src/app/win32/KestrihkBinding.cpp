#include "app/win32/KestrihkBinding.h"

#include "hotkeys/HookLibrary.h"
#include "hotkeys/HotkeyMatcher.h"

namespace app {

bool KestrihkBinding::SetTheHook(platform::WindowHandle window, const std::string& profilePath)
{
    auto path = hotkeys::toLengthPrefixed(profilePath);
    return ::SetTheHook(reinterpret_cast<HWND>(window), path.bytes) != 0;
}

void KestrihkBinding::ClearTheHook()
{
    ::ClearTheHook();
}

} // namespace app
