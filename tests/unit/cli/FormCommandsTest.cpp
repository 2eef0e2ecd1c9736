#include "CliRun.h"
#include "TestFiles.h"
#include "cli/Cli.h"
#include "cli/Json.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

using clitest::CliRun;
using clitest::run;

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
    testsupport::TempFolder dir;
    std::string file =
        dir.write("Deutsch.lng", "[TMainForm]\r\nExit1.Caption='&Beenden'\r\n"
                                 "Caption='Kanalwahl'\r\nOpenDialog1.Title='Datei'\r\n");
    CliRun r = run({"lang", "translate", file, "--form", "TMainForm"});
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
}

TEST(LangTranslate, RefusesMissingFilesAndUnknownForms)
{
    CliRun missing = run({"lang", "translate", "/nonexistent/x.lng", "--form", "TMainForm"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_NE(missing.err.find("/nonexistent/x.lng"), std::string::npos);
    CliRun unknown = run({"lang", "translate", "x.lng", "--form", "TNoSuchForm"});
    EXPECT_EQ(unknown.status, 2);
    CliRun bad = run({"lang", "translate", "x.lng"});
    EXPECT_EQ(bad.status, 2);
}
