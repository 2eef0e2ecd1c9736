#include "cli/Cli.h"
#include "cli/Json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

struct CliRun {
    int status;
    std::string out, err;
};

CliRun runCli(const cli::Args& args)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::Io io{in, out, err};
    int status = cli::runCli(args, io);
    return {status, out.str(), err.str()};
}

const cli::JsonValue* component(const cli::JsonValue& list, const std::string& name)
{
    for (const auto& c : list.asArray())
        if (c.find("name")->asString() == name)
            return &c;
    return nullptr;
}

} // namespace

TEST(LangTranslate, PrintsTheMainWindowAsTheLanguageFileLeavesIt)
{
    fs::path dir = fs::temp_directory_path() / "kestrion-lang-translate-test";
    fs::remove_all(dir);
    fs::create_directories(dir);
    std::ofstream(dir / "Deutsch.lng") << "[TMainForm]\r\nExit1.Caption='&Beenden'\r\n"
                                          "Caption='Kanalwahl'\r\nOpenDialog1.Title='Datei'\r\n";
    CliRun r = runCli({"lang", "translate", (dir / "Deutsch.lng").string(), "--form", "TMainForm"});
    ASSERT_EQ(r.status, 0) << r.err;
    cli::JsonValue v = cli::parseJson(r.out);
    ASSERT_TRUE(v.isArray());
    EXPECT_EQ(v.asArray()[0].find("class")->asString(), "TMainForm");
    EXPECT_EQ(v.asArray()[0].find("properties")->find("Caption")->asString(), "Kanalwahl");
    const auto* exit = component(v, "Exit1");
    ASSERT_NE(exit, nullptr);
    EXPECT_EQ(exit->find("class")->asString(), "TMenuItem");
    EXPECT_EQ(exit->find("properties")->find("Caption")->asString(), "&Beenden");
    // What the file does not name keeps its designed text.
    EXPECT_EQ(component(v, "Open1")->find("properties")->find("Caption")->asString(), "&Open");
    EXPECT_NE(component(v, "ChannelLCD"), nullptr);
    EXPECT_NE(component(v, "bsPolyglotTranslator1"), nullptr);
    fs::remove_all(dir);
}

TEST(LangTranslate, RefusesMissingFilesAndUnknownForms)
{
    CliRun missing = runCli({"lang", "translate", "/nonexistent/x.lng", "--form", "TMainForm"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/nonexistent/x.lng"), std::string::npos);
    CliRun unknown = runCli({"lang", "translate", "x.lng", "--form", "TNoSuchForm"});
    EXPECT_EQ(unknown.status, 2);
    CliRun bad = runCli({"lang", "translate", "x.lng"});
    EXPECT_EQ(bad.status, 2);
}
