#pragma once
// The class information of TLCDLabel: its published properties by name, so that stored
// layouts, language files and kestrion-cli can read and set them. Setting a property always
// goes through its setter.

#include "lcd/LCDLabel.h"

#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace lcd {

enum class PropertyKind {
    Integer,     // 32-bit signed
    Color,       // TColor: an integer, or one of the colour identifiers (clBlack, clBtnFace...)
    Enumeration, // one of `identifiers`, by ordinal
    Boolean,     // the enumeration False/True
    Text,
};

struct PropertyInfo {
    std::string_view name;
    PropertyKind kind;
    // For Enumeration: the identifiers by ordinal.
    std::span<const std::string_view> identifiers;
    // Integer, Color, Enumeration and Boolean properties (ordinals for the last two).
    std::int64_t (*getNumber)(TLCDLabel&) = nullptr;
    void (*setNumber)(TLCDLabel&, std::int64_t) = nullptr;
    // Text properties.
    std::string (*getText)(TLCDLabel&) = nullptr;
    void (*setText)(TLCDLabel&, const std::string&) = nullptr;
};

// A property name or value that cannot be applied. `what()` says which and why.
class PropertyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr std::string_view kLCDLabelClassName = "TLCDLabel";

// The published properties: the base control's bounds (Left, Top, Width, Height), then
// TLCDLabel's own in declared order, then Hint, ShowHint, Enabled and Visible.
const std::vector<PropertyInfo>& lcdLabelProperties();

// The property called `name` (letter case ignored), or nullptr.
const PropertyInfo* findLcdLabelProperty(std::string_view name);

// Sets a property from its text form: integers in decimal or 0x hexadecimal (colours also by
// identifier, and up to 0xFFFFFFFF), enumerations and booleans by identifier (letter case
// ignored), texts as they are. Throws PropertyError for an unknown name or a value of the
// wrong form; a value of the right form goes to the setter, which may reject it in its own
// way (the error box).
void setLcdLabelProperty(TLCDLabel& label, std::string_view name, const std::string& value);

// Applies the main window's stored layout of ChannelLCD to a new control: 246 × 28 at
// (0, 0), 15 cells of 5 × 7 dots, 2 × 2 pixels one pixel apart, PixelOff 11184810.
void applyChannelLcdLayout(TLCDLabel& label);

} // namespace lcd
