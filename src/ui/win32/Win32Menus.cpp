// Menus: the model's menu items as real menus, pop-up menus, and the file-open dialog.
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Peer.h"

#include "ui/Menu.h"
#include "ui/OpenDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>

namespace ui::win32 {

HMENU buildMenu(const MenuItem& parent, bool popup)
{
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (const MenuItem* item : parent.items()) {
        if (!item->visible()) {
            continue;
        }
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
        info.wID = item->command();
        if (item->isSeparator()) {
            info.fType = MFT_SEPARATOR;
        } else {
            info.fMask |= MIIM_STRING;
            info.fType = item->radioItem() ? MFT_RADIOCHECK : MFT_STRING;
            info.dwTypeData = const_cast<char*>(item->caption().c_str());
            info.fState =
                (item->checked() ? MFS_CHECKED : 0u) | (item->enabled() ? MFS_ENABLED : MFS_GRAYED);
            if (item->count() > 0) {
                info.fMask |= MIIM_SUBMENU;
                info.hSubMenu = buildMenu(*item, true);
            }
        }
        InsertMenuItemA(menu, static_cast<UINT>(GetMenuItemCount(menu)), TRUE, &info);
    }
    return menu;
}

MenuItem* Win32Backend::trackPopupMenu(PopupMenu& menu, int x, int y)
{
    base::win32::UniqueMenu popup(buildMenu(menu.items(), true));
    HWND owner = GetForegroundWindow();
    if (!owner || !peerOf(owner)) {
        owner = m_appWindow.get();
    }
    const UINT command = static_cast<UINT>(TrackPopupMenu(
        popup.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_LEFTALIGN, x, y, 0, owner, nullptr));
    return command ? menu.findByCommand(static_cast<std::uint16_t>(command)) : nullptr;
}

bool Win32Backend::executeOpenDialog(OpenDialog& dialog)
{
    const std::string filter = OpenDialog::systemFilter(dialog.filter());
    // Room for one long path; the dialog says when the user's choice needs more (a long path,
    // or many files chosen at once), and is shown again with room for it.
    std::string file(4096, '\0');
    std::copy_n(dialog.fileName().begin(), std::min(dialog.fileName().size(), file.size() - 1),
                file.begin());
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    HWND owner = GetActiveWindow();
    ofn.hwndOwner = owner ? owner : m_appWindow.get();
    ofn.lpstrFilter = filter.c_str();
    ofn.nFilterIndex = static_cast<DWORD>(std::max(dialog.filterIndex(), 1));
    ofn.lpstrInitialDir = dialog.initialDir().empty() ? nullptr : dialog.initialDir().c_str();
    ofn.lpstrTitle = dialog.title().empty() ? nullptr : dialog.title().c_str();
    ofn.lpstrDefExt = dialog.defaultExt().empty() ? nullptr : dialog.defaultExt().c_str();
    // The option bits are the system's flags in the same order, with the explorer style on
    // unless the old style is asked for.
    static const DWORD flags[] = {
        OFN_READONLY,
        OFN_OVERWRITEPROMPT,
        OFN_HIDEREADONLY,
        OFN_NOCHANGEDIR,
        OFN_SHOWHELP,
        OFN_NOVALIDATE,
        OFN_ALLOWMULTISELECT,
        OFN_EXTENSIONDIFFERENT,
        OFN_PATHMUSTEXIST,
        OFN_FILEMUSTEXIST,
        OFN_CREATEPROMPT,
        OFN_SHAREAWARE,
        OFN_NOREADONLYRETURN,
        OFN_NOTESTFILECREATE,
        OFN_NONETWORKBUTTON,
        OFN_NOLONGNAMES,
        0,
        OFN_NODEREFERENCELINKS,
        OFN_ENABLEINCLUDENOTIFY,
        OFN_ENABLESIZING,
    };
    for (std::size_t bit = 0; bit < std::size(flags); ++bit) {
        if (dialog.options() & (1u << bit)) {
            ofn.Flags |= flags[bit];
        }
    }
    if (!(dialog.options() & ofOldStyleDialog)) {
        ofn.Flags |= OFN_EXPLORER;
    }
    // The program's current folder never follows the dialog: whatever the program starts or
    // opens by a relative path must not end up in a folder the user merely browsed.
    ofn.Flags |= OFN_NOCHANGEDIR;
    for (int showing = 0; showing < 2; ++showing) {
        ofn.lpstrFile = file.data();
        ofn.nMaxFile = static_cast<DWORD>(file.size());
        if (GetOpenFileNameA(&ofn)) {
            dialog.setFileName(std::string(file.c_str()));
            return true;
        }
        if (CommDlgExtendedError() != FNERR_BUFFERTOOSMALL) {
            return false; // cancelled (or the system could not show the dialog)
        }
        // The first two bytes hold the size the choice needs.
        const auto needed = static_cast<std::size_t>(static_cast<unsigned char>(file[0]) |
                                                     static_cast<unsigned char>(file[1]) << 8);
        file.assign(std::max<std::size_t>(needed + 1, file.size() * 2), '\0');
        std::copy_n(dialog.fileName().begin(), std::min(dialog.fileName().size(), file.size() - 1),
                    file.begin());
    }
    return false;
}

} // namespace ui::win32
