#include "profile/Hotkeys.h"

namespace profile {

Hotkeys readHotkeys(const IniFile& file)
{
    Hotkeys keys;
    keys.requireAlt = file.readFlag(kKeysSection, kRequireAltKey, false);
    keys.requireCtrl = file.readFlag(kKeysSection, kRequireCtrlKey, false);
    for (std::size_t i = 0; i < kHotkeyCount; ++i)
        keys.codes[i] = file.readInteger(kKeysSection, kHotkeyNames[i], 0);
    return keys;
}

Hotkeys readHotkeys(const std::string& path)
{
    return readHotkeys(IniFile(path));
}

void writeHotkeys(IniFile& file, const Hotkeys& keys)
{
    file.writeFlag(kKeysSection, kRequireAltKey, keys.requireAlt);
    file.writeFlag(kKeysSection, kRequireCtrlKey, keys.requireCtrl);
    for (std::size_t i = 0; i < kHotkeyCount; ++i)
        file.writeInteger(kKeysSection, kHotkeyNames[i], keys.codes[i]);
}

} // namespace profile
