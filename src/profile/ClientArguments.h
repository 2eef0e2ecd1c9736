#pragma once
// What a profile may hand the voice client. The client's commands are its own command-line
// switches ("/join1 host/CHANNEL password", "/leave CHANNEL"): the channel name, the password
// and the address are written into them as they stand, so a value that holds a switch of its
// own ("Charlie /shutdown", "10.0.0.1 /file \\host\s\x.rwc") would make the client do what a
// profile someone else wrote tells it. Such a value is never sent, and the settings dialog
// refuses to store one.

#include <string_view>

namespace profile {

// Where a value goes in the client's command.
enum class ClientField { ChannelName, Password, Address };

// True when the value can go into the client's command as it stands: it holds no control
// character (below 0x20, or 0x7F), no double quote, and no "/" at its start or after a blank
// (a space or the no-break space 0xA0); an address holds no blank at all. The empty value
// fits everywhere.
bool fitsClientCommand(std::string_view value, ClientField field);

} // namespace profile
