#pragma once
// The numbered message texts: references to them, and the built-in table that
// resources/messages.def generates (the Windows build also compiles it into the string table).

#include <cstdint>
#include <span>
#include <string_view>

namespace i18n {

// A reference to a message text. An identifier below 65536 numbers a text of the string
// table; an identifier of 65536 or more is the address of a literal text, which is used as it
// stands and never translated.
struct ResStringRec {
    std::uintptr_t identifier;
};

// A reference to a literal text (which must outlive every use of the reference).
inline ResStringRec literalText(const char* text)
{
    return ResStringRec{reinterpret_cast<std::uintptr_t>(text)};
}

// The references by name: i18n::msg::SErrorCaption is the text 65325 ("Error!").
namespace msg {
#define KESTRION_MESSAGE(id, name, text) inline constexpr ResStringRec name{id};
#include "i18n/MessageList.inc"
#undef KESTRION_MESSAGE
} // namespace msg

struct BuiltinMessage {
    std::uint16_t id;
    std::string_view name;
    std::string_view text;
};

// Every built-in text, in list order.
std::span<const BuiltinMessage> builtinMessages();

} // namespace i18n
