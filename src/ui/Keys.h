#pragma once
// Keys: Windows virtual-key codes (the numbers the system and the profile use) and the
// state of the modifier keys, for key events.

#include <cstdint>
#include <functional>
#include <string>

namespace ui {

class Persistent;

namespace vk {
inline constexpr std::uint16_t Back = 8;
inline constexpr std::uint16_t Tab = 9;
inline constexpr std::uint16_t Return = 13;
inline constexpr std::uint16_t Shift = 16;
inline constexpr std::uint16_t Control = 17;
inline constexpr std::uint16_t Menu = 18; // Alt
inline constexpr std::uint16_t Escape = 27;
inline constexpr std::uint16_t Space = 32;
inline constexpr std::uint16_t Left = 37;
inline constexpr std::uint16_t Up = 38;
inline constexpr std::uint16_t Right = 39;
inline constexpr std::uint16_t Down = 40;
inline constexpr std::uint16_t F1 = 112;
inline constexpr std::uint16_t F5 = 116;
} // namespace vk

// Modifier keys held with a key: a combination of the bits below.
enum ShiftState : std::uint8_t { ssNone = 0, ssShift = 1, ssAlt = 2, ssCtrl = 4 };

// A key went down while a control had the focus. A handler that sets `key` to 0 swallows
// it: the control and the system do nothing more with it.
using KeyEvent = std::function<void(Persistent& sender, std::uint16_t& key, std::uint8_t shift)>;

// The English name of a key on a US keyboard ("F5", "Num 7", "Page Up"), for where the
// system names none; empty for a code that names no key.
std::string standardKeyName(std::uint16_t key);

} // namespace ui
