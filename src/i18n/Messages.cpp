#include "i18n/Messages.h"

namespace i18n {

namespace {

constexpr BuiltinMessage kMessages[] = {
#define KESTRION_MESSAGE(id, name, text) {id, #name, text},
#include "i18n/MessageList.inc"
#undef KESTRION_MESSAGE
};

} // namespace

std::span<const BuiltinMessage> builtinMessages()
{
    return kMessages;
}

} // namespace i18n
