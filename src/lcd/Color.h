#pragma once
// Colours of the LCD control. A TColor is either an RGB colour 0x00BBGGRR (red in the lowest
// byte) or a system colour, 0x80000000 plus the system colour's index.

#include <cstdint>

namespace lcd {

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clBtnFace = 0x8000000F;
inline constexpr TColor clBtnShadow = 0x80000010;
inline constexpr TColor clBtnHighlight = 0x80000014;

inline constexpr bool isSystemColor(TColor color)
{
    return (color & 0xFF000000u) == 0x80000000u;
}

// The shade that lit spShaped dots are framed with: each of the three low bytes halved
// (rounded down), the high byte kept. A system colour is not turned into RGB first, so
// clBtnFace gives 0x80000007.
inline constexpr TColor dimColor(TColor color)
{
    return (color & 0xFF000000u) | ((color >> 1) & 0x007F7F7Fu);
}

// Turns system colours into screen colours (RGB 0x00BBGGRR). The Windows build asks the
// system (GetSysColor); elsewhere the classic Windows palette stands in.
class SystemPalette {
public:
    virtual ~SystemPalette() = default;
    virtual TColor systemColor(int index) const = 0;

    // The screen colour of `color`: RGB colours unchanged (their high byte dropped), system
    // colours through systemColor. An index the palette does not know gives black.
    TColor resolve(TColor color) const
    {
        if (isSystemColor(color))
            return systemColor(int(color & 0xFFu)) & 0x00FFFFFFu;
        return color & 0x00FFFFFFu;
    }
};

// The classic palette: button face 0xC0C0C0, shadow 0x808080, highlight white, and the other
// classic values for the rest of the 31 indexes.
class ClassicPalette final : public SystemPalette {
public:
    TColor systemColor(int index) const override;
};

// The palette of the platform the program runs on (the system's colours on Windows).
const SystemPalette& platformPalette();

} // namespace lcd
