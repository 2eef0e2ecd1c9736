#include "ui/Keys.h"

#include <array>
#include <string_view>
#include <utility>

namespace ui {

namespace {

// Names of the keys that are neither letters, digits, function keys nor the number pad's.
constexpr std::array<std::pair<std::uint16_t, std::string_view>, 45> kNamedKeys{{
    {0x03, "Break"},
    {0x08, "Backspace"},
    {0x09, "Tab"},
    {0x0C, "Num 5"},
    {0x0D, "Enter"},
    {0x10, "Shift"},
    {0x11, "Ctrl"},
    {0x12, "Alt"},
    {0x13, "Pause"},
    {0x14, "Caps Lock"},
    {0x1B, "Esc"},
    {0x20, "Space"},
    {0x21, "Page Up"},
    {0x22, "Page Down"},
    {0x23, "End"},
    {0x24, "Home"},
    {0x25, "Left"},
    {0x26, "Up"},
    {0x27, "Right"},
    {0x28, "Down"},
    {0x2C, "Print Screen"},
    {0x2D, "Insert"},
    {0x2E, "Delete"},
    {0x5B, "Left Windows"},
    {0x5C, "Right Windows"},
    {0x5D, "Application"},
    {0x6A, "Num *"},
    {0x6B, "Num +"},
    {0x6D, "Num -"},
    {0x6E, "Num Del"},
    {0x6F, "Num /"},
    {0x90, "Num Lock"},
    {0x91, "Scroll Lock"},
    {0xBA, ";"},
    {0xBB, "="},
    {0xBC, ","},
    {0xBD, "-"},
    {0xBE, "."},
    {0xBF, "/"},
    {0xC0, "`"},
    {0xDB, "["},
    {0xDC, "\\"},
    {0xDD, "]"},
    {0xDE, "'"},
    {0xE2, "\\"},
}};

} // namespace

std::string standardKeyName(std::uint16_t key)
{
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) {
        return std::string(1, static_cast<char>(key));
    }
    // Appended, not concatenated: GCC 12 warns falsely of overlapping copies in "x" + string.
    if (key >= 0x60 && key <= 0x69) {
        std::string name = "Num ";
        name += static_cast<char>('0' + (key - 0x60));
        return name;
    }
    if (key >= 0x70 && key <= 0x87) {
        std::string name = "F";
        name.append(std::to_string(key - 0x70 + 1));
        return name;
    }
    for (const auto& [code, name] : kNamedKeys) {
        if (code == key) {
            return std::string(name);
        }
    }
    return {};
}

} // namespace ui
