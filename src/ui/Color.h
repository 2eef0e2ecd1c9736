#pragma once
// Colours. A TColor is either an RGB colour 0x00BBGGRR (red in the lowest byte) or a system
// colour, 0x80000000 plus the system colour's index (the Windows COLOR_ numbers). A Raster
// stores resolved RGB colours; colorToRgb resolves a system colour through the installed
// backend (Windows asks the system; headless uses fixed values, see headlessSystemColor).

#include <cstdint>

namespace ui {

using TColor = std::uint32_t;

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clWhite = 0xFFFFFF;

inline constexpr TColor systemColorFlag = 0x80000000;
inline constexpr TColor clScrollBar = systemColorFlag | 0;
inline constexpr TColor clWindow = systemColorFlag | 5;
inline constexpr TColor clWindowText = systemColorFlag | 8;
inline constexpr TColor clHighlight = systemColorFlag | 13;
inline constexpr TColor clHighlightText = systemColorFlag | 14;
inline constexpr TColor clBtnFace = systemColorFlag | 15;
inline constexpr TColor clBtnShadow = systemColorFlag | 16;
inline constexpr TColor clGrayText = systemColorFlag | 17;
inline constexpr TColor clBtnText = systemColorFlag | 18;
inline constexpr TColor clBtnHighlight = systemColorFlag | 20;
inline constexpr TColor clInfoText = systemColorFlag | 23;
inline constexpr TColor clInfoBk = systemColorFlag | 24;

inline constexpr bool isSystemColor(TColor color)
{
    return (color & systemColorFlag) != 0;
}

// The RGB colour (0x00BBGGRR) that a TColor stands for now. A system colour is resolved by
// the installed backend, or by headlessSystemColor when none is installed; for an RGB colour
// the high byte is dropped.
std::uint32_t colorToRgb(TColor color);

// Whether the system's high-contrast setting is on (never without an installed backend).
bool highContrast();

// The colour that lies `part` of the way from `from` to `to` (both 0x00BBGGRR), each channel
// rounded to the nearest.
std::uint32_t blendRgb(std::uint32_t from, std::uint32_t to, double part);

// The fixed system colours of the headless backend: button face 0xF0F0F0, shadow 0xA0A0A0,
// highlight 0xFFFFFF, and the usual light theme for the others; 0 for an unknown index.
std::uint32_t headlessSystemColor(int index);

} // namespace ui
