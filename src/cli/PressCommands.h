#pragma once
// kestrion-cli press ACTION: presses one of Kestrion's hotkeys from outside, by posting to
// every running Kestrion's main window the message the hook library posts for that key, so
// that the display, the channel bar and the sound follow as for a real key press.

#include "cli/Cli.h"
#include "platform/VersionReader.h"
#include "platform/WindowMessenger.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace cli {

// One hotkey action: its key name in section "keys" of a profile, and the message (first
// parameter 0) that the hook library posts to the main window when its key is pressed.
struct HotkeyPress {
    std::string_view action;
    unsigned message = 0;
    std::intptr_t lParam = 0;
};

// Every action press knows: channel0 to channel9, channel_up, channel_down, disconnect,
// traypop, increasevolume, decreasevolume, increasegain, decreasegain, in that order.
const std::vector<HotkeyPress>& hotkeyPresses();
// The action of that name, in any letter case (profile key names are not case-sensitive);
// nothing for any other text.
std::optional<HotkeyPress> findHotkeyPress(std::string_view action);

// The window class of Kestrion's main window, and the product name its program carries in
// its version resource. Never translated.
inline constexpr char kMainWindowClass[] = "TMainForm";
inline constexpr char kProductName[] = "Kestrion";

// The top-level windows of a class on this desktop, hidden ones included, with the process
// that owns each one.
class TopLevelWindows {
public:
    struct Window {
        platform::WindowHandle handle = platform::WindowHandle::None;
        std::uint32_t processId = 0;
        // The owning process's executable; empty when it cannot be found out (the process
        // is gone, or this program may not look at it).
        std::string programPath;
    };
    virtual ~TopLevelWindows() = default;
    virtual std::vector<Window> ofClass(const std::string& className) = 0;
};

// The OS services press goes through.
struct PressServices {
    TopLevelWindows& windows;
    platform::VersionReader& versions;
    platform::WindowMessenger& messenger;
};

// press ACTION. A running Kestrion is a window of class TMainForm whose process runs an
// executable with the product name "Kestrion" in its version resource: other programs'
// windows of that common class name are left alone, and a renamed copy of Kestrion still
// counts. Posts the action's message to every running Kestrion and prints
//   {"action":..., "message":..., "lParam":..., "found":N, "pressed":M,
//    "kestrions":[{"processId":..., "pressed":bool}, ...]}
// Exit status 0 when the message was posted to every Kestrion found (at least one); 1 with a
// line on standard error when none runs, or when a post failed (the line says which).
// Throws UsageError, whose text lists the actions, for an unknown action or a command line
// that is not one action.
int runPressThrough(const Args& args, Io& io, PressServices services);

#ifdef _WIN32
// press, over the real OS services.
int runPress(const Args& args, Io& io);
#endif

inline constexpr const char* kPressUsage = "press ACTION";

} // namespace cli
