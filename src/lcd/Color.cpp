#include "lcd/Color.h"

#include <array>

namespace lcd {

TColor ClassicPalette::systemColor(int index) const
{
    // The colours of the classic Windows scheme, by system colour index (0x00BBGGRR).
    static constexpr std::array<TColor, 31> classic = {
        0xC0C0C0, 0x808000, 0x800000, 0x808080, 0xC0C0C0, 0xFFFFFF, 0x000000, 0x000000,
        0x000000, 0xFFFFFF, 0xC0C0C0, 0xC0C0C0, 0x808080, 0x800000, 0xFFFFFF, 0xC0C0C0,
        0x808080, 0x808080, 0x000000, 0xC0C0C0, 0xFFFFFF, 0x000000, 0xC0C0C0, 0x000000,
        0xE1FFFF, 0xB5B5B5, 0xFF0000, 0xF0CAA6, 0xC0C0C0, 0x800000, 0xC0C0C0};
    if (index < 0 || index >= int(classic.size()))
        return 0;
    return classic[index];
}

} // namespace lcd
