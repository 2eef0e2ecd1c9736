#include "lcd/Color.h"

#include <windows.h>

namespace lcd {

namespace {

class Win32Palette final : public SystemPalette {
public:
    TColor systemColor(int index) const override { return TColor(GetSysColor(index)); }
};

} // namespace

const SystemPalette& platformPalette()
{
    static const Win32Palette palette;
    return palette;
}

} // namespace lcd
