#pragma once
// Icons in the notification area of the task bar, in the first and smallest form of the
// system's record (NOTIFYICONDATAA up to a tooltip of 64 characters), which every version of
// the shell accepts.

#include "platform/WindowMessenger.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace platform {

// An icon handle. None is "no icon".
enum class IconHandle : std::uintptr_t { None = 0 };

// The fields of one notification-area icon.
struct TrayIconData {
    // Which of the optional fields the shell is to take (NIF_MESSAGE, NIF_ICON, NIF_TIP).
    static constexpr std::uint32_t MessageFlag = 0x1;
    static constexpr std::uint32_t IconFlag = 0x2;
    static constexpr std::uint32_t TipFlag = 0x4;
    // Characters of the record's tooltip field, the terminating zero included.
    static constexpr std::size_t TipCapacity = 64;

    WindowHandle window = WindowHandle::None; // receives the callback message
    std::uint32_t id = 0;                     // tells the icons of one window apart
    std::uint32_t flags = 0;
    MessageId callbackMessage = 0; // sent with wParam = id and lParam = the mouse message
    IconHandle icon = IconHandle::None;
    std::string tip; // cut as trayTipText() says when the record is handed over
};

// The tooltip as it goes into the record: the text up to its first zero byte, and of that at
// most the first 63 characters, so that the terminating zero always fits.
std::string trayTipText(std::string_view tip);

// The byte size the shell is told for the record on a system with pointers of that size:
// 88 for 32-bit Windows, 104 for 64-bit Windows.
constexpr std::uint32_t trayIconRecordSize(std::uint32_t pointerBytes)
{
    auto alignUp = [pointerBytes](std::uint32_t offset) {
        return (offset + pointerBytes - 1) / pointerBytes * pointerBytes;
    };
    std::uint32_t offset = 4;                // cbSize
    offset = alignUp(offset) + pointerBytes; // hWnd
    offset += 3 * 4;                         // uID, uFlags, uCallbackMessage
    offset = alignUp(offset) + pointerBytes; // hIcon
    offset += TrayIconData::TipCapacity;     // szTip
    return alignUp(offset);
}

// The registered message that the shell broadcasts to every top-level window when it has
// (re)started, for example after Explorer crashed: the icons shown before are gone then.
inline constexpr char TaskbarCreatedMessageName[] = "TaskbarCreated";

class NotificationArea {
public:
    virtual ~NotificationArea() = default;

    // Shows a new icon (NIM_ADD). False when the window already has an icon of that id, or the
    // shell refuses or is not running.
    virtual bool add(const TrayIconData& icon) = 0;
    // Changes the flagged fields of the window's icon of that id (NIM_MODIFY). False when there
    // is no such icon.
    virtual bool modify(const TrayIconData& icon) = 0;
    // Removes the window's icon of that id (NIM_DELETE; only window and id are looked at).
    // False when there is no such icon.
    virtual bool remove(const TrayIconData& icon) = 0;

    // The program's own icon resource of that name at the size of notification-area icons
    // (small icons, 16 x 16 at normal DPI); None when the module has no such icon. The handle
    // is shared with the system and never destroyed, so it stays valid for the whole run.
    virtual IconHandle loadProgramIcon(const std::string& resourceName) = 0;
};

} // namespace platform
