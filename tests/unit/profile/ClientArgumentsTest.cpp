#include "profile/ClientArguments.h"

#include <gtest/gtest.h>

#include <string>

using profile::ClientField;
using profile::fitsClientCommand;

TEST(ClientArguments, AValueFitsTheClientsCommandOnlyWhenItCannotStartASwitchOrBreakTheCommand)
{
    struct Case {
        std::string value;
        bool name;     // as a channel name (and so in "/leave NAME")
        bool password; // as the join's password
        bool address;  // as the host address
    };
    const Case cases[] = {
        {"", true, true, true},
        {"Alpha", true, true, true},
        {"\xC9quipe \xDC"
         "ber",
         true, true, false},
        {"Team A/B", true, true, false},
        {"Team A / B", false, false, false},
        {"Charlie /shutdown", false, false, false},
        {"/ops", false, false, false},
        {" /ops", false, false, false},
        {"Charlie\xA0/x", false, false, false},
        {"say \"hi\"", false, false, false},
        {"tab\there", false, false, false},
        {"line\r\nbreak", false, false, false},
        {std::string("nul\0byte", 8), false, false, false},
        {"del\x7f", false, false, false},
        {"10.1.1.5", true, true, true},
        {"voice.example.org:3782", true, true, true},
        {"10.0.0.1 /file \\\\host\\s\\x.rwc", false, false, false},
        {"10.0.0.1 ", true, true, false},
        {"pass word", true, true, false},
        {"p@ss/w0rd", true, true, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(fitsClientCommand(c.value, ClientField::ChannelName), c.name) << c.value;
        EXPECT_EQ(fitsClientCommand(c.value, ClientField::Password), c.password) << c.value;
        EXPECT_EQ(fitsClientCommand(c.value, ClientField::Address), c.address) << c.value;
    }
}
