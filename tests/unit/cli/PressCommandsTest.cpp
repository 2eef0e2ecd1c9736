// kestrion-cli press: which windows count as a running Kestrion, what each action posts, and
// the exit statuses. (How the main window answers each message is the main window's own
// test; the Windows test presses in the real program.)

#include "cli/PressCommands.h"

#include "cli/Json.h"
#include "platform/fake/FakeServices.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using platform::WindowHandle;

// The windows of a class that a test puts on the desktop.
class FakeTopLevelWindows : public cli::TopLevelWindows {
public:
    std::vector<Window> windows;
    std::vector<std::string> asked;
    std::vector<Window> ofClass(const std::string& className) override
    {
        asked.push_back(className);
        return windows;
    }
};

struct PressRun {
    int status;
    std::string out;
    std::string err;
};

PressRun press(cli::PressServices services, const cli::Args& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::Io io{in, out, err};
    int status = cli::runPressThrough(args, io, services);
    return {status, out.str(), err.str()};
}

platform::VersionStrings product(const std::string& name)
{
    platform::VersionStrings strings;
    strings.resourceSize = 1024;
    strings.fileVersion = "2.2.3.3";
    strings.productName = name;
    return strings;
}

// A desktop over the platform fakes: windows with handles the fake messenger knows, and
// version resources by program path.
struct Desktop {
    platform::FakeServices fakes;
    FakeTopLevelWindows windows;

    WindowHandle add(std::uint32_t processId, const std::string& program)
    {
        WindowHandle handle = fakes.windows.addWindow("TMainForm", "");
        windows.windows.push_back({handle, processId, program});
        return handle;
    }
    cli::PressServices services() { return {windows, fakes.versions, fakes.windows}; }
    std::vector<WindowHandle> postedTo() const
    {
        std::vector<WindowHandle> out;
        for (const auto& d : fakes.windows.deliveries())
            out.push_back(d.window);
        return out;
    }
};

} // namespace

TEST(PressCommands, EachActionPostsTheMessageTheHookLibraryPostsForItsKey)
{
    struct Case {
        const char* typed;
        const char* action;
        unsigned message;
        std::intptr_t lParam;
    };
    const Case cases[] = {
        {"channel_up", "channel_up", 0x401, 0},
        {"channel_down", "channel_down", 0x402, 0},
        {"channel1", "channel1", 0x403, 0},
        {"channel2", "channel2", 0x404, 0},
        {"channel3", "channel3", 0x405, 0},
        {"channel4", "channel4", 0x406, 0},
        {"channel5", "channel5", 0x407, 0},
        {"channel6", "channel6", 0x408, 0},
        {"channel7", "channel7", 0x409, 0},
        {"channel8", "channel8", 0x40A, 0},
        {"channel9", "channel9", 0x40B, 0},
        {"channel0", "channel0", 0x40C, 0},
        {"disconnect", "disconnect", 0x40D, 0},
        {"traypop", "traypop", 0x40E, 1038},
        {"increasevolume", "increasevolume", 0x40F, 0},
        {"decreasevolume", "decreasevolume", 0x410, 0},
        {"increasegain", "increasegain", 0x411, 0},
        {"decreasegain", "decreasegain", 0x412, 0},
        // Profile key names are not case-sensitive; the canonical name is reported.
        {"Channel_Up", "channel_up", 0x401, 0},
        {"DISCONNECT", "disconnect", 0x40D, 0},
        {"TrayPop", "traypop", 0x40E, 1038},
    };
    EXPECT_EQ(cli::hotkeyPresses().size(), 18u);
    for (const auto& c : cases) {
        Desktop desktop;
        WindowHandle main = desktop.add(40, "C:\\Kestrion\\kestrion.exe");
        desktop.fakes.versions.setVersion("C:\\Kestrion\\kestrion.exe", product("Kestrion"));
        PressRun run = press(desktop.services(), {c.typed});
        EXPECT_EQ(run.status, 0) << c.typed << run.err;
        EXPECT_EQ(run.err, "") << c.typed;
        EXPECT_EQ(desktop.windows.asked, std::vector<std::string>{"TMainForm"});
        const auto& deliveries = desktop.fakes.windows.deliveries();
        ASSERT_EQ(deliveries.size(), 1u) << c.typed;
        EXPECT_EQ(deliveries[0].window, main);
        EXPECT_EQ(deliveries[0].message, c.message) << c.typed;
        EXPECT_EQ(deliveries[0].wParam, 0u) << c.typed;
        EXPECT_EQ(deliveries[0].lParam, c.lParam) << c.typed;

        auto json = cli::parseJson(run.out);
        EXPECT_EQ(json.find("action")->asString(), c.action);
        EXPECT_EQ(json.find("message")->asInt(), c.message);
        EXPECT_EQ(json.find("lParam")->asInt(), c.lParam);
        EXPECT_EQ(json.find("found")->asInt(), 1);
        EXPECT_EQ(json.find("pressed")->asInt(), 1);
        const auto& kestrions = json.find("kestrions")->asArray();
        ASSERT_EQ(kestrions.size(), 1u);
        EXPECT_EQ(kestrions[0].find("processId")->asInt(), 40);
        EXPECT_TRUE(kestrions[0].find("pressed")->asBool());
    }
}

TEST(PressCommands, AnythingButOneKnownActionIsAUsageErrorListingTheActions)
{
    const cli::Args bad[] = {
        {},
        {""},
        {"channel10"},
        {"channel_"},
        {"next"},
        {"channel 2"},
        {"0x404"},
        {"channel2", "channel3"},
        {"require_ctrl"},
    };
    for (const auto& args : bad) {
        Desktop desktop;
        desktop.add(40, "C:\\Kestrion\\kestrion.exe");
        desktop.fakes.versions.setVersion("C:\\Kestrion\\kestrion.exe", product("Kestrion"));
        std::string what;
        try {
            press(desktop.services(), args);
        } catch (const cli::UsageError& e) {
            what = e.what();
        }
        for (const auto& known : cli::hotkeyPresses())
            EXPECT_NE(what.find(std::string(known.action)), std::string::npos)
                << (args.empty() ? "(none)" : args[0]) << ": " << what;
        // Nothing is looked for, nothing is posted.
        EXPECT_TRUE(desktop.windows.asked.empty());
        EXPECT_TRUE(desktop.fakes.windows.deliveries().empty());
    }
}

TEST(PressCommands, OnlyWindowsOfKestrionProgramsArePressedEachOnce)
{
    Desktop desktop;
    auto& versions = desktop.fakes.versions;
    WindowHandle first = desktop.add(10, "C:\\Kestrion\\kestrion.exe");
    versions.setVersion("C:\\Kestrion\\kestrion.exe", product("Kestrion"));
    // Another program whose main window has the same, common class name.
    desktop.add(11, "C:\\Tools\\editor.exe");
    versions.setVersion("C:\\Tools\\editor.exe", product("Some Editor"));
    // A program without a version resource, and one whose process could not be looked at.
    desktop.add(12, "C:\\Tools\\plain.exe");
    desktop.add(13, "");
    // A renamed copy of Kestrion for a second set of channels still counts.
    WindowHandle renamed = desktop.add(14, "D:\\Team\\kestrion-team.exe");
    versions.setVersion("D:\\Team\\kestrion-team.exe", product("Kestrion"));
    // A product name that merely contains the name does not.
    desktop.add(15, "C:\\Tools\\kestrion-helper.exe");
    versions.setVersion("C:\\Tools\\kestrion-helper.exe", product("Kestrion Helper"));

    PressRun run = press(desktop.services(), {"channel3"});
    EXPECT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(desktop.postedTo(), (std::vector<WindowHandle>{first, renamed}));
    auto json = cli::parseJson(run.out);
    EXPECT_EQ(json.find("found")->asInt(), 2);
    EXPECT_EQ(json.find("pressed")->asInt(), 2);
    const auto& kestrions = json.find("kestrions")->asArray();
    ASSERT_EQ(kestrions.size(), 2u);
    EXPECT_EQ(kestrions[0].find("processId")->asInt(), 10);
    EXPECT_EQ(kestrions[1].find("processId")->asInt(), 14);
}

TEST(PressCommands, WithoutARunningKestrionOrWhenAPostFailsTheStatusIsOne)
{
    // Nothing of class TMainForm at all, then only other programs' windows.
    for (bool otherPrograms : {false, true}) {
        Desktop desktop;
        if (otherPrograms) {
            desktop.add(11, "C:\\Tools\\editor.exe");
            desktop.add(12, "");
        }
        PressRun run = press(desktop.services(), {"disconnect"});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(desktop.fakes.windows.deliveries().empty());
        EXPECT_NE(run.err.find("Kestrion is not running"), std::string::npos) << run.err;
        EXPECT_EQ(run.err.find("2 window(s) of class TMainForm") != std::string::npos,
                  otherPrograms)
            << run.err;
        auto json = cli::parseJson(run.out);
        EXPECT_EQ(json.find("found")->asInt(), 0);
        EXPECT_EQ(json.find("pressed")->asInt(), 0);
    }

    // Two copies, one of which has just ended: the other is pressed, and the status tells
    // the script that not every copy was.
    Desktop desktop;
    desktop.fakes.versions.setVersion("C:\\Kestrion\\kestrion.exe", product("Kestrion"));
    WindowHandle ended = desktop.add(20, "C:\\Kestrion\\kestrion.exe");
    WindowHandle running = desktop.add(21, "C:\\Kestrion\\kestrion.exe");
    desktop.fakes.windows.removeWindow(ended);
    PressRun run = press(desktop.services(), {"channel1"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(desktop.postedTo(), std::vector<WindowHandle>{running});
    EXPECT_NE(run.err.find("process 20"), std::string::npos) << run.err;
    EXPECT_EQ(run.err.find("process 21"), std::string::npos) << run.err;
    auto json = cli::parseJson(run.out);
    EXPECT_EQ(json.find("found")->asInt(), 2);
    EXPECT_EQ(json.find("pressed")->asInt(), 1);
    const auto& kestrions = json.find("kestrions")->asArray();
    ASSERT_EQ(kestrions.size(), 2u);
    EXPECT_FALSE(kestrions[0].find("pressed")->asBool());
    EXPECT_TRUE(kestrions[1].find("pressed")->asBool());
}
