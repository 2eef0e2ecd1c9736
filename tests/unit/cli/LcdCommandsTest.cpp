#include "CliRun.h"
#include "TestFiles.h"
#include "cli/Cli.h"
#include "cli/Json.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

using clitest::CliRun;
using clitest::run;

class LcdCommands : public ::testing::Test {
protected:
    std::string file(const std::string& name) const { return m_folder.file(name); }
    static std::string read(const std::string& path) { return testsupport::readBytes(path); }

    testsupport::TempFolder m_folder;
};

} // namespace

TEST_F(LcdCommands, RenderAppliesPresetSetsAndSizeThenPaintsOnce)
{
    struct Case {
        cli::Args args;
        int width, height, chars;
        std::vector<std::string> rejected;
    };
    const Case cases[] = {
        {{"--preset", "ChannelLCD", "--set", "Caption=Standing by...", "--set", "NoOfChars=0"},
         246,
         28,
         15,
         {"Display needs at least one character!"}},
        {{"--size", "300x60"}, 294, 50, 18, {}},
        {{"--preset", "ChannelLCD", "--set", "DotMatrix=Hitachi2", "--set", "PixelSpacing=-1",
          "--set", "TextLines=0"},
         246,
         37,
         15,
         {"Pixel spacing can't be less than zero!", "Display needs at least on line!"}},
        {{"--set", "PixelSize=pixCustom", "--set", "PixelWidth=0x3"},
         2 * 3 + 9 * 2 + 10 * 19 + 2,
         28,
         10,
         {}},
    };
    for (const auto& c : cases) {
        cli::Args args = {"lcd", "render", "--out", file("out.ppm")};
        args.insert(args.end(), c.args.begin(), c.args.end());
        CliRun r = run(args);
        ASSERT_EQ(r.status, 0) << r.err;
        cli::JsonValue json = cli::parseJson(r.out);
        EXPECT_EQ(json.find("Width")->asInt(), c.width);
        EXPECT_EQ(json.find("Height")->asInt(), c.height);
        EXPECT_EQ(json.find("NoOfChars")->asInt(), c.chars);
        std::vector<std::string> rejected;
        for (const auto& message : json.find("Rejected")->asArray())
            rejected.push_back(message.asString());
        EXPECT_EQ(rejected, c.rejected);
        std::string header =
            "P6\n" + std::to_string(c.width) + " " + std::to_string(c.height) + "\n255\n";
        std::string ppm = read(file("out.ppm"));
        EXPECT_EQ(ppm.substr(0, header.size()), header);
        EXPECT_EQ(ppm.size(), header.size() + std::size_t(c.width) * c.height * 3);
    }
}

TEST_F(LcdCommands, RenderPrintsEveryPublishedProperty)
{
    CliRun r = run({"lcd", "render", "--out", file("x.ppm"), "--set", "Caption=caf\xe9", "--set",
                    "PixelOn=clBtnShadow", "--set", "Enabled=False"});
    ASSERT_EQ(r.status, 0) << r.err;
    cli::JsonValue json = cli::parseJson(r.out);
    const char* names[] = {
        "Caption",     "DotMatrix",   "PixelSize",   "PixelSpacing", "PixelShape", "PixelWidth",
        "PixelHeight", "CharSpacing", "LineSpacing", "BorderSpace",  "TextLines",  "NoOfChars",
        "BackGround",  "BorderStyle", "BorderColor", "PixelOn",      "PixelOff",   "filename",
        "Hint",        "ShowHint",    "Enabled",     "Visible"};
    for (const char* name : names)
        EXPECT_NE(json.find(name), nullptr) << name;
    EXPECT_EQ(json.find("Caption")->asString(), "caf\xe9");
    EXPECT_EQ(json.find("PixelOn")->asInt(), 0x80000010);
    EXPECT_EQ(json.find("DotMatrix")->asString(), "mat5x7");
    EXPECT_FALSE(json.find("Enabled")->asBool());
}

TEST_F(LcdCommands, RenderWritesThePictureAsShown)
{
    CliRun r = run(
        {"lcd", "render", "--out", file("a.ppm"), "--preset", "ChannelLCD", "--set", "Caption=A"});
    ASSERT_EQ(r.status, 0) << r.err;
    const std::string header = "P6\n246 28\n255\n";
    const std::string ppm = read(file("a.ppm"));
    ASSERT_EQ(ppm.size(), header.size() + 246 * 28 * 3);
    auto at = [&](int x, int y) { return ppm.substr(header.size() + (y * 246 + x) * 3, 3); };
    EXPECT_EQ(at(7, 4), std::string(3, '\0'));      // the lit dot at the top of the A
    EXPECT_EQ(at(4, 4), std::string(3, '\xAA'));    // an unlit dot
    EXPECT_EQ(at(2, 2), std::string(3, '\xC0'));    // the panel
    EXPECT_EQ(at(0, 0), std::string(3, '\xA0'));    // the frame's shadow (headless colours)
    EXPECT_EQ(at(245, 27), std::string(3, '\xFF')); // and its highlight
}

TEST_F(LcdCommands, BadCommandLinesFailAndWriteNothing)
{
    const std::string existing = file("keep.ppm");
    std::ofstream(existing) << "old picture";
    struct Case {
        cli::Args args;
        int status;
        std::string error; // part of what goes to standard error
    };
    const Case cases[] = {
        {{"lcd"}, 2, "missing subcommand"},
        {{"lcd", "paint", "--out", existing}, 2, "unknown subcommand"},
        {{"lcd", "render"}, 2, "--out FILE is required"},
        {{"lcd", "render", "--out"}, 2, "--out needs a value"},
        {{"lcd", "render", "--out", existing, "--set", "NoOfChars"}, 2, "NAME=VALUE"},
        {{"lcd", "render", "--out", existing, "--size", "300"}, 2, "WIDTHxHEIGHT"},
        {{"lcd", "render", "--out", existing, "--preset", "MainLCD"}, 2, "unknown preset"},
        {{"lcd", "sheet", "--out", existing, "--size", "10x10"}, 2, "unknown option"},
        {{"lcd", "render", "--out", existing, "--set", "Colour=1"}, 1, "no property \"Colour\""},
        {{"lcd", "render", "--out", existing, "--set", "NoOfChars=many"}, 1, "expected an integer"},
        {{"lcd", "render", "--out", existing, "--set", "NoOfChars=0x100000000"},
         1,
         "out of range -2147483648..2147483647"},
        {{"lcd", "render", "--out", existing, "--set", "DotMatrix=mat6x6"},
         1,
         "expected one of mat5x7, mat5x8"},
        {{"lcd", "render", "--out", m_folder.path().string()}, 1, "cannot write"},
        // Resized from outside beyond the largest image: the paint reports it, nothing is
        // written.
        {{"lcd", "render", "--out", existing, "--size", "40000x10"}, 1, "Not enough memory"},
        {{"lcd", "render", "--out", file("missing/folder/x.ppm")}, 1, "cannot write"},
    };
    for (const auto& c : cases) {
        CliRun r = run(c.args);
        EXPECT_EQ(r.status, c.status) << c.args.back();
        EXPECT_NE(r.err.find(c.error), std::string::npos) << r.err;
        EXPECT_EQ(r.out, "");
    }
    EXPECT_EQ(read(existing), "old picture");
}

TEST_F(LcdCommands, SheetShowsEveryCodeSixteenToARow)
{
    struct Case {
        const char* set;
        int first, last, rows, cellHeight;
    };
    const Case cases[] = {{"mat5x7", 32, 126, 6, 28},
                          {"dos5x7", 0, 255, 16, 28},
                          {"Hitachi2", 32, 223, 12, 37},
                          {"mat9x12", 32, 126, 6, 2 * 3 + 12 * 2 + 11 + 2}};
    for (const auto& c : cases) {
        CliRun r = run({"lcd", "sheet", "--out", file("sheet.ppm"), "--set",
                        std::string("DotMatrix=") + c.set});
        ASSERT_EQ(r.status, 0) << r.err;
        cli::JsonValue json = cli::parseJson(r.out);
        EXPECT_EQ(json.find("FirstChar")->asInt(), c.first) << c.set;
        EXPECT_EQ(json.find("LastChar")->asInt(), c.last) << c.set;
        EXPECT_EQ(json.find("Rows")->asInt(), c.rows) << c.set;
        EXPECT_EQ(json.find("CellHeight")->asInt(), c.cellHeight) << c.set;
        int width = 16 * int(json.find("CellWidth")->asInt());
        std::string header = "P6\n" + std::to_string(width) + " " +
                             std::to_string(c.rows * c.cellHeight) + "\n255\n";
        EXPECT_EQ(read(file("sheet.ppm")).substr(0, header.size()), header) << c.set;
    }
}

// The sheet shows the set by code: its cell for a code is that code's glyph, not the glyph
// the control would show for the letter of that code in a caption.
TEST_F(LcdCommands, SheetDrawsEachCodeAsItIsNotAsALetter)
{
    // A cell of the sheet as raw pixels.
    auto cellOf = [](const std::string& ppm, int code, int first, int cellWidth, int cellHeight) {
        std::istringstream in(ppm);
        std::string magic;
        int width = 0, height = 0, depth = 0;
        in >> magic >> width >> height >> depth;
        in.get();
        const std::string pixels = ppm.substr(std::size_t(in.tellg()));
        const int x0 = ((code - first) % 16) * cellWidth;
        const int y0 = ((code - first) / 16) * cellHeight;
        std::string out;
        for (int y = y0; y < y0 + cellHeight; ++y)
            out += pixels.substr((std::size_t(y) * width + x0) * 3, std::size_t(cellWidth) * 3);
        return out;
    };
    struct Case {
        const char* set;
        int code;   // drawn by code: a katakana, theta
        int letter; // what a caption holding that code would show: E, e with acute
    };
    for (const Case& c : {Case{"Hitachi", 0xC9, 'E'}, Case{"dos5x7", 0xE9, 0x82}}) {
        CliRun r = run({"lcd", "sheet", "--out", file("sheet.ppm"), "--set",
                        std::string("DotMatrix=") + c.set});
        ASSERT_EQ(r.status, 0) << r.err;
        cli::JsonValue json = cli::parseJson(r.out);
        const int first = int(json.find("FirstChar")->asInt());
        const int w = int(json.find("CellWidth")->asInt());
        const int h = int(json.find("CellHeight")->asInt());
        const std::string sheet = read(file("sheet.ppm"));
        const std::string blank = cellOf(sheet, ' ', first, w, h);
        const std::string code = cellOf(sheet, c.code, first, w, h);
        EXPECT_NE(code, blank) << c.set;
        EXPECT_NE(code, cellOf(sheet, c.letter, first, w, h)) << c.set;
    }
}
