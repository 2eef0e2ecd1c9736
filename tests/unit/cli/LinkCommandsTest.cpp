#include "cli/LinkCommands.h"

#include "cli/Json.h"
#include "platform/fake/FakeServices.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

const char* AppPaths = "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe";

struct SendResult {
    int status;
    std::string out;
    std::string err;
};

SendResult send(platform::FakeServices& fakes, const cli::Args& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::Io io{in, out, err};
    int status = cli::runSendThrough(args, io, fakes.services());
    return {status, out.str(), err.str()};
}

} // namespace

TEST(LinkCommands, SendReportsDeliveryInItsStatusAndJson)
{
    enum class Client { Running, StartsOnLaunch, NeverAppears, NotInstalled, Hung };
    struct Case {
        Client client;
        int status;
        bool delivered;
        bool clientLaunched;
    };
    const Case cases[] = {
        {Client::Running, 0, true, false},       {Client::StartsOnLaunch, 0, true, true},
        {Client::NeverAppears, 0, true, true}, // a second client got the command line
        {Client::NotInstalled, 1, false, false}, {Client::Hung, 1, false, false},
    };
    const std::string command = "/join1 10.1.1.5/CAF\xc9 pw";
    for (const auto& c : cases) {
        platform::FakeServices fakes;
        if (c.client != Client::NotInstalled)
            fakes.registry.setText(platform::RootKey::LocalMachine, AppPaths, "",
                                   "C:\\RW\\roger.exe");
        if (c.client == Client::Running || c.client == Client::Hung)
            fakes.windows.addWindow("#32770", "Roger Wilco", "C:\\RW\\roger.exe");
        if (c.client == Client::Hung)
            fakes.windows.copyDataSucceeds = false;
        if (c.client == Client::StartsOnLaunch)
            fakes.processes.onLaunch = [&fakes](const std::string&) {
                fakes.windows.addWindow("#32770", "Roger Wilco", "C:\\RW\\roger.exe");
            };

        SendResult run = send(fakes, {command});
        int which = static_cast<int>(c.client);
        EXPECT_EQ(run.status, c.status) << which;
        auto json = cli::parseJson(run.out);
        EXPECT_EQ(json.find("command")->asString(), command) << which;
        EXPECT_EQ(json.find("delivered")->asBool(), c.delivered) << which;
        EXPECT_EQ(json.find("clientLaunched")->asBool(), c.clientLaunched) << which;
        EXPECT_EQ(run.err.empty(), c.delivered) << which;
    }
}

TEST(LinkCommands, SendTakesExactlyOneCommandAndTouchesNothingOtherwise)
{
    for (const cli::Args& args : {cli::Args{}, cli::Args{"/volume", "200"}}) {
        platform::FakeServices fakes;
        fakes.windows.addWindow("#32770", "Roger Wilco");
        EXPECT_THROW(send(fakes, args), cli::UsageError) << args.size();
        EXPECT_TRUE(fakes.windows.deliveries().empty());
        EXPECT_TRUE(fakes.processes.launches().empty());
    }
}
