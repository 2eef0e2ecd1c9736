// Menus: the model's menu items as real menus, pop-up menus, and the file-open dialog.
#include "ui/win32/Win32Backend.h"
#include "ui/win32/Win32Peer.h"

#include "ui/Menu.h"
#include "ui/OpenDialog.h"

#include <cderr.h>
#include <commdlg.h>

#include <algorithm>
#include <string>
#include <vector>

namespace ui::win32 {

namespace {

void fillMenu(HMENU menu, const MenuItem& parent, bool menuBar);

// An empty pop-up menu that names the model item whose submenu it shows.
HMENU submenuFor(const MenuItem& item, bool menuBar)
{
    HMENU sub = CreatePopupMenu();
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA;
    info.dwMenuData = item.command();
    SetMenuInfo(sub, &info);
    if (!menuBar || item.count() <= FilledWhenOpened) {
        fillMenu(sub, item, menuBar);
    }
    return sub;
}

void insertItem(HMENU menu, UINT position, const MenuItem& item, bool menuBar)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID;
    info.wID = item.command();
    if (item.isSeparator()) {
        info.fType = MFT_SEPARATOR;
    } else {
        info.fMask |= MIIM_STRING;
        info.fType = item.radioItem() ? MFT_RADIOCHECK : MFT_STRING;
        info.dwTypeData = const_cast<char*>(item.caption().c_str());
        info.fState =
            (item.checked() ? MFS_CHECKED : 0u) | (item.enabled() ? MFS_ENABLED : MFS_GRAYED);
        if (item.count() > 0) {
            info.fMask |= MIIM_SUBMENU;
            info.hSubMenu = submenuFor(item, menuBar);
        }
    }
    InsertMenuItemA(menu, position, TRUE, &info);
}

// What names a group of a very long menu: its first and its last item, each as far as it
// reads in a menu.
std::string groupCaption(const MenuItem& first, const MenuItem& last)
{
    auto shortened = [](const MenuItem& item) {
        std::string text = item.isSeparator() ? std::string("-") : item.caption();
        text.erase(std::remove(text.begin(), text.end(), '&'), text.end());
        return text.size() > kGroupCaptionLength ? text.substr(0, kGroupCaptionLength) + "..."
                                                 : text;
    };
    return shortened(first) + " \x85 " + shortened(last); // an ellipsis between them
}

void fillMenu(HMENU menu, const MenuItem& parent, bool menuBar)
{
    std::vector<const MenuItem*> shown;
    shown.reserve(parent.items().size());
    for (const MenuItem* item : parent.items()) {
        if (item->visible()) {
            shown.push_back(item);
        }
    }
    if (shown.size() <= kMostItemsInOneMenu) {
        UINT position = 0;
        for (const MenuItem* item : shown) {
            insertItem(menu, position++, *item, menuBar);
        }
        return;
    }
    // The system's menus grow one item at a time at a cost that rises with their length
    // (under Wine, 65,535 items took a minute), and no user scrolls through thousands of
    // items: a very long menu shows its items in groups of kMostItemsInOneMenu, each a
    // submenu named after its first and last item. Every item keeps its command, check and
    // caption.
    UINT groupPosition = 0;
    for (std::size_t start = 0; start < shown.size(); start += kMostItemsInOneMenu) {
        const std::size_t end = std::min(shown.size(), start + kMostItemsInOneMenu);
        HMENU group = CreatePopupMenu();
        UINT position = 0;
        for (std::size_t i = start; i < end; ++i) {
            insertItem(group, position++, *shown[i], menuBar);
        }
        const std::string caption = groupCaption(*shown[start], *shown[end - 1]);
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_STRING | MIIM_SUBMENU;
        info.fType = MFT_STRING;
        info.dwTypeData = const_cast<char*>(caption.c_str());
        info.hSubMenu = group;
        InsertMenuItemA(menu, groupPosition++, TRUE, &info);
    }
}

} // namespace

HMENU buildMenu(const MenuItem& parent, bool popup)
{
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    if (!popup) {
        // Choices are reported by place (WM_MENUCOMMAND): command numbers may not fit the
        // 16 bits of WM_COMMAND.
        MENUINFO info{};
        info.cbSize = sizeof info;
        info.fMask = MIM_STYLE | MIM_APPLYTOSUBMENUS;
        info.dwStyle = MNS_NOTIFYBYPOS;
        SetMenuInfo(menu, &info);
    }
    fillMenu(menu, parent, !popup);
    return menu;
}

bool fillOpeningSubmenu(HMENU submenu, Menu& model)
{
    if (GetMenuItemCount(submenu) != 0) {
        return false;
    }
    MENUINFO info{};
    info.cbSize = sizeof info;
    info.fMask = MIM_MENUDATA | MIM_STYLE;
    if (!GetMenuInfo(submenu, &info) || info.dwMenuData == 0) {
        return false;
    }
    const MenuItem* item = model.findByCommand(static_cast<std::uint32_t>(info.dwMenuData));
    if (!item || item->count() <= FilledWhenOpened) {
        return false;
    }
    fillMenu(submenu, *item, true);
    return true;
}

MenuItem* chosenByPlace(HMENU menu, UINT index, Menu& model)
{
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_ID | MIIM_SUBMENU;
    if (!GetMenuItemInfoA(menu, index, TRUE, &info) || info.hSubMenu) {
        return nullptr;
    }
    return model.findByCommand(static_cast<std::uint32_t>(info.wID));
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
    return command ? menu.findByCommand(static_cast<std::uint32_t>(command)) : nullptr;
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
