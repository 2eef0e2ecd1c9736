#include "cli/Json.h"
#include "cli/Cli.h"

#include <gtest/gtest.h>

#include <sstream>

using cli::JsonWriter;
using cli::parseJson;

TEST(Json, StringsAreEightBitWithEscapesForControlsAndHighBytes)
{
    struct Case {
        std::string text;
        std::string json;
    };
    const Case cases[] = {
        {"plain", R"("plain")"},
        {"quote \" and back\\slash", R"("quote \" and back\\slash")"},
        {"line\r\nbreak\ttab", R"("line\r\nbreak\ttab")"},
        {std::string("nul\0byte", 8), R"("nul\u0000byte")"},
        {"\x01\x1f\x7f", R"("\u0001\u001f\u007f")"},
        {"caf\xe9 \x80\xff", R"("caf\u00e9 \u0080\u00ff")"},
    };
    for (const auto& c : cases) {
        std::string out;
        cli::appendJsonString(out, c.text);
        EXPECT_EQ(out, c.json) << c.json;
        EXPECT_EQ(parseJson(out).asString(), c.text) << c.json;
    }
}

TEST(Json, WriterSeparatesMembersAndElements)
{
    JsonWriter w;
    w.beginObject()
        .member("a", 1)
        .member("b", true)
        .key("c")
        .stringArray({"x", "y"})
        .key("d")
        .beginObject()
        .endObject()
        .key("e")
        .null()
        .member("f", "t")
        .endObject();
    EXPECT_EQ(w.str(), R"({"a":1,"b":true,"c":["x","y"],"d":{},"e":null,"f":"t"})");
}

TEST(Json, ParserReadsNestedDocumentsAndRejectsBadOnes)
{
    auto v = parseJson(R"( {"n": -12, "s": "\u0041\/", "a": [true, false, null, 1.5],
                          "o": {"k": []}} )");
    EXPECT_EQ(v.find("n")->asInt(), -12);
    EXPECT_EQ(v.find("s")->asString(), "A/");
    ASSERT_EQ(v.find("a")->asArray().size(), 4u);
    EXPECT_TRUE(v.find("a")->asArray()[0].asBool());
    EXPECT_TRUE(v.find("a")->asArray()[2].isNull());
    EXPECT_TRUE(v.find("o")->find("k")->asArray().empty());
    EXPECT_EQ(v.find("missing"), nullptr);
    EXPECT_THROW(v.find("n")->asString(), cli::JsonError);

    const char* bad[] = {
        "",
        "{",
        "{\"a\" 1}",
        "[1,]",
        "\"open",
        "\"\\u0100\"",
        "\"\\x\"",
        "{} trailing",
        "tru",
        "[1 2]",
        "99999999999999999999",
    };
    for (const char* text : bad)
        EXPECT_THROW(parseJson(text), cli::JsonError) << text;

    std::string deep(300, '[');
    EXPECT_THROW(parseJson(deep), cli::JsonError);
}

TEST(Cli, UnknownCommandsAndHelpGiveUsageWithStatus)
{
    std::istringstream in;
    std::ostringstream out, err;
    cli::Io io{in, out, err};
    EXPECT_EQ(cli::runCli({}, io), 2);
    EXPECT_NE(err.str().find("usage: kestrion-cli"), std::string::npos);
    err.str("");
    EXPECT_EQ(cli::runCli({"no-such-command"}, io), 2);
    EXPECT_NE(err.str().find("unknown command 'no-such-command'"), std::string::npos);
    EXPECT_EQ(cli::runCli({"help"}, io), 0);
    EXPECT_NE(out.str().find("usage: kestrion-cli"), std::string::npos);
}
