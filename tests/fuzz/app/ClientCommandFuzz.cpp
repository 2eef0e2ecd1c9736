// The commands built for the voice client from a profile's channel name, address and
// password, with the checks that keep a profile from smuggling a switch of its own into them.
//
// Checked: a join or leave built from values that pass the checks holds exactly one switch
// (its own "/join1" or "/leave"), no double quote and no control character; a join is refused
// exactly when the address or the password fails its check; the copy-data record of every
// command ends in a zero within the 254 bytes sent and holds the command's first 253 bytes.

#include "app/RogerWilco.h"
#include "profile/ClientArguments.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "ClientCommandFuzz.cpp:%d: %s\n", __LINE__, #condition);          \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

bool blank(unsigned char c)
{
    return c == ' ' || c == 0xA0;
}

// Where the client would see a switch begin: a "/" at the start or after a blank, with a
// name after it.
std::size_t switches(std::string_view command)
{
    std::size_t count = 0;
    for (std::size_t i = 0; i + 1 < command.size(); ++i)
        if (command[i] == '/' && (i == 0 || blank(static_cast<unsigned char>(command[i - 1]))) &&
            !blank(static_cast<unsigned char>(command[i + 1])))
            ++count;
    return count;
}

bool clean(std::string_view command)
{
    for (char ch : command) {
        const auto c = static_cast<unsigned char>(ch);
        if (c < 0x20 || c == 0x7F || c == '"')
            return false;
    }
    return true;
}

std::string upper(std::string text)
{
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}

void checkRecord(const std::string& command)
{
    const app::ClientCommandRecord record(command);
    check(record.cbData == 254);
    const std::string_view sent(record.buffer.data(), record.cbData);
    const std::size_t zero = sent.find('\0');
    check(zero != std::string_view::npos);
    check(record.buffer[254] == '\0');
    const std::size_t kept = std::min<std::size_t>(command.size(), 253);
    check(sent.substr(0, kept) == std::string_view(command).substr(0, kept));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    using profile::ClientField;
    FuzzedDataProvider input(data, size);
    const std::string name = input.ConsumeRandomLengthString(300);
    const std::string host = input.ConsumeRandomLengthString(64);
    const std::string password = input.ConsumeRandomLengthString(64);

    const bool nameFits = profile::fitsClientCommand(name, ClientField::ChannelName);
    const bool hostFits = profile::fitsClientCommand(host, ClientField::Address);
    const bool passwordFits = profile::fitsClientCommand(password, ClientField::Password);

    const std::string channel = upper(name);
    const auto join = app::joinCommand(host, channel, password);
    // Without an address the channel's own "/" would start the argument: "/join1 /SHUTDOWN".
    const bool channelStartsArgument = host.empty() && !channel.empty() && channel != "DEFAULT";
    check(join.has_value() == (hostFits && passwordFits && !channelStartsArgument));
    if (join) {
        checkRecord(*join);
        if (nameFits) {
            check(switches(*join) == 1);
            check(clean(*join));
        }
    }
    if (nameFits) {
        const std::string leave = "/leave " + name;
        check(switches(leave) == 1);
        check(clean(leave));
        checkRecord(leave);
    }
    return 0;
}
