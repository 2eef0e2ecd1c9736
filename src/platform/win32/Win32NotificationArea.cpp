#include "platform/win32/Win32NotificationArea.h"

#include <windows.h>

#include <shellapi.h>

#include <cstddef>
#include <cstring>

namespace platform {

namespace {

static_assert(trayIconRecordSize(sizeof(void*)) == NOTIFYICONDATAA_V1_SIZE);
static_assert(offsetof(NOTIFYICONDATAA, szTip) + TrayIconData::TipCapacity ==
              NOTIFYICONDATAA_V1_SIZE);
static_assert(TrayIconData::MessageFlag == NIF_MESSAGE && TrayIconData::IconFlag == NIF_ICON &&
              TrayIconData::TipFlag == NIF_TIP);

bool notify(DWORD operation, const TrayIconData& icon)
{
    // The record is zero-filled, so the tooltip, cut to leave room for it, ends in a zero
    // within the first form's 64 characters.
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(icon.window));
    record.uID = icon.id;
    record.uFlags = icon.flags;
    record.uCallbackMessage = icon.callbackMessage;
    record.hIcon = reinterpret_cast<HICON>(static_cast<std::uintptr_t>(icon.icon));
    std::string tip = trayTipText(icon.tip);
    std::memcpy(record.szTip, tip.data(), tip.size());
    return Shell_NotifyIconA(operation, &record) != FALSE;
}

} // namespace

bool Win32NotificationArea::add(const TrayIconData& icon)
{
    return notify(NIM_ADD, icon);
}

bool Win32NotificationArea::modify(const TrayIconData& icon)
{
    return notify(NIM_MODIFY, icon);
}

bool Win32NotificationArea::remove(const TrayIconData& icon)
{
    return notify(NIM_DELETE, icon);
}

IconHandle Win32NotificationArea::loadProgramIcon(const std::string& resourceName)
{
    // A shared icon is owned by the system for the life of the module: nobody destroys it.
    HANDLE icon =
        LoadImageA(GetModuleHandleA(nullptr), resourceName.c_str(), IMAGE_ICON,
                   GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), LR_SHARED);
    return static_cast<IconHandle>(reinterpret_cast<std::uintptr_t>(icon));
}

} // namespace platform
