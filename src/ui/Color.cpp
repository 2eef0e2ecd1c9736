#include "ui/Color.h"

#include "ui/Backend.h"

#include <cmath>

namespace ui {

std::uint32_t colorToRgb(TColor color)
{
    if (!isSystemColor(color)) {
        return color & 0x00FFFFFF;
    }
    const int index = static_cast<int>(color & 0xFF);
    if ((color & 0x7FFFFF00) != 0) {
        return 0; // not a system colour index: no colour at all, as the system answers
    }
    if (const Backend* b = currentBackend()) {
        return b->systemColor(index) & 0x00FFFFFF;
    }
    return headlessSystemColor(index);
}

bool highContrast()
{
    const Backend* installed = currentBackend();
    return installed && installed->highContrast();
}

std::uint32_t blendRgb(std::uint32_t from, std::uint32_t to, double part)
{
    std::uint32_t result = 0;
    for (int shift = 0; shift < 24; shift += 8) {
        const double a = (from >> shift) & 0xFF;
        const double b = (to >> shift) & 0xFF;
        result |= static_cast<std::uint32_t>(std::lround(a + (b - a) * part)) << shift;
    }
    return result;
}

std::uint32_t headlessSystemColor(int index)
{
    // Indexes 0..30 in the order of the system's COLOR_ numbers.
    static constexpr std::uint32_t table[] = {
        0xC8C8C8, // scroll bar
        0x000000, // background (desktop)
        0xD1B499, // active caption
        0xDBCDBF, // inactive caption
        0xF0F0F0, // menu
        0xFFFFFF, // window
        0x646464, // window frame
        0x000000, // menu text
        0x000000, // window text
        0x000000, // caption text
        0xB4B4B4, // active border
        0xFCF7F4, // inactive border
        0xABABAB, // application workspace
        0xD77800, // highlight
        0xFFFFFF, // highlight text
        0xF0F0F0, // button face
        0xA0A0A0, // button shadow
        0x6D6D6D, // grey text
        0x000000, // button text
        0x000000, // inactive caption text
        0xFFFFFF, // button highlight
        0x696969, // 3D dark shadow
        0xE3E3E3, // 3D light
        0x000000, // tooltip text
        0xE1FFFF, // tooltip background
        0x000000, // unused
        0xCC6600, // hot light
        0xEAD1B9, // gradient active caption
        0xF2E4D7, // gradient inactive caption
        0xFF9933, // menu highlight
        0xF0F0F0, // menu bar
    };
    if (index < 0 || index >= static_cast<int>(sizeof table / sizeof table[0])) {
        return 0;
    }
    return table[index];
}

} // namespace ui
