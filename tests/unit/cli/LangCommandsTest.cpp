#include "CliRun.h"
#include "TestFiles.h"
#include "cli/Cli.h"
#include "cli/Json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>

namespace {

using clitest::CliRun;
using clitest::run;

// A language file in a test folder of its own.
class LanguageFile {
public:
    explicit LanguageFile(const std::string& content) : m_path(m_folder.write("file.lng", content))
    {
    }
    const std::string& path() const { return m_path; }
    std::string content() const { return testsupport::readBytes(m_path); }

private:
    testsupport::TempFolder m_folder;
    std::string m_path;
};

} // namespace

TEST(LangCommands, DecodeValuesAsJson)
{
    struct Case {
        cli::Args args;
        std::string out;
    };
    const Case cases[] = {
        {{"lang", "unquote", "'It''s'"}, "\"It's\"\n"},
        {{"lang", "unquote", "'caf'#233#13#10"}, "\"caf\\u00e9\\r\\n\"\n"},
        {{"lang", "unquote", "'abc'x"}, "\"\"\n"},
        {{"lang", "list", "'First line','Second, with comma'"},
         "[\"First line\",\"Second, with comma\"]\n"},
        {{"lang", "list", "one two,three"}, "[\"one\",\"two\",\"three\"]\n"},
        {{"lang", "list", ""}, "[]\n"},
    };
    for (const auto& c : cases) {
        CliRun r = run(c.args);
        EXPECT_EQ(r.status, 0) << c.args[2];
        EXPECT_EQ(r.out, c.out) << c.args[2];
    }
}

TEST(LangCommands, ShowAndResourceReadAFileWithoutChangingIt)
{
    const std::string text =
        "; French\r\n[TMainForm]\r\nExit1.Caption = 'Quitter'\r\nloose line\r\n"
        "[ResourceStrings]\r\n65325_Error='Erreur !'\r\n65326=''\r\n"
        "65327='D\xe9tect\xe9'\r\n[Trunc";
    LanguageFile file(text);

    CliRun show = run({"lang", "show", file.path()});
    EXPECT_EQ(show.status, 0) << show.err;
    EXPECT_EQ(show.out, "[{\"section\":\"TMainForm\",\"entries\":["
                        "{\"name\":\"Exit1.Caption\",\"value\":\"'Quitter'\"},"
                        "{\"name\":\"\",\"value\":\"loose line\"}]},"
                        "{\"section\":\"ResourceStrings\",\"entries\":["
                        "{\"name\":\"65325_Error\",\"value\":\"'Erreur !'\"},"
                        "{\"name\":\"65326\",\"value\":\"''\"},"
                        "{\"name\":\"65327\",\"value\":\"'D\\u00e9tect\\u00e9'\"},"
                        "{\"name\":\"\",\"value\":\"[Trunc\"}]}]\n");

    struct Case {
        std::string id;
        std::string out;
    };
    const Case cases[] = {
        {"65325", "{\"found\":true,\"text\":\"Erreur !\"}\n"},
        {"65326", "{\"found\":true,\"text\":\"\"}\n"},
        {"65327", "{\"found\":true,\"text\":\"D\\u00e9tect\\u00e9\"}\n"},
        {"65324", "{\"found\":false,\"text\":null}\n"},
    };
    for (const auto& c : cases) {
        CliRun r = run({"lang", "resource", file.path(), c.id});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, c.out) << c.id;
        EXPECT_EQ(cli::parseJson(r.out).find("found")->asBool(),
                  c.out.find("true") != std::string::npos);
    }
    EXPECT_EQ(file.content(), text);
}

TEST(LangCommands, BadArgumentsAndMissingFilesAreReported)
{
    struct Case {
        cli::Args args;
        int status;
        std::string err;
    };
    const std::string missing =
        (std::filesystem::temp_directory_path() / "kestrion-no-such-file.lng").string();
    const Case cases[] = {
        {{"lang"}, 2, "missing subcommand"},
        {{"lang", "frobnicate", "x"}, 2, "unknown subcommand"},
        {{"lang", "unquote"}, 2, "wrong number of arguments"},
        {{"lang", "resource", missing, "12x"}, 2, "ID must be a decimal number"},
        {{"lang", "resource", missing, "-1"}, 2, "ID must be a decimal number"},
        {{"lang", "resource", missing, "4294967296"}, 2, "ID must be a decimal number"},
        {{"lang", "show", missing}, 1, "Cannot open file \"" + missing + "\". No such file."},
        {{"lang", "resource", missing, "65325"}, 1, "No such file."},
    };
    for (const auto& c : cases) {
        CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << r.err;
        EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(missing));
}
