#include "LcdTestSupport.h"
#include "lcd/LCDLabel.h"
#include "lcd/LCDLabelClass.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using lcd::TDotMatrix;
using lcd::TLCDLabel;
using lcd::TPixelSize;
using lcdtest::fontFileBytes;
using lcdtest::fontGlyph;
using lcdtest::Fixture;
using lcdtest::TempDir;
using lcdtest::writeBytes;

namespace {

struct ChannelLcd : Fixture {
    ChannelLcd()
    {
        lcd::applyChannelLcdLayout(label);
        surface.paints = 0;
    }
};

} // namespace

TEST(LCDLabel, NewControlHasTheInitialValues)
{
    Fixture f;
    TLCDLabel& l = f.label;
    EXPECT_EQ(l.Caption(), "");
    EXPECT_EQ(l.DotMatrix(), TDotMatrix::mat5x7);
    EXPECT_EQ(l.PixelSize(), TPixelSize::pix2x2);
    EXPECT_EQ(l.PixelSpacing(), 1);
    EXPECT_EQ(l.PixelShape(), lcd::TPixelShape::spSquare);
    EXPECT_EQ(l.PixelWidth(), 2);
    EXPECT_EQ(l.PixelHeight(), 2);
    EXPECT_EQ(l.CharSpacing(), 2);
    EXPECT_EQ(l.LineSpacing(), 2);
    EXPECT_EQ(l.BorderSpace(), 3);
    EXPECT_EQ(l.TextLines(), 1);
    EXPECT_EQ(l.NoOfChars(), 10);
    EXPECT_EQ(l.BackGround(), lcd::clSilver);
    EXPECT_EQ(l.BorderStyle(), lcd::TMyBorder::frLowered);
    EXPECT_EQ(l.BorderColor(), lcd::clBlack);
    EXPECT_EQ(l.PixelOn(), lcd::clBlack);
    EXPECT_EQ(l.PixelOff(), 11184810u);
    EXPECT_EQ(l.filename(), "");
    EXPECT_TRUE(l.Enabled());
    EXPECT_TRUE(l.Visible());
    EXPECT_EQ(l.Width(), 166);
    EXPECT_EQ(l.Height(), 28);
    EXPECT_EQ(l.LastWidth(), 166);
    EXPECT_EQ(l.CharWidth(), 14);
    EXPECT_EQ(l.CharHeight(), 20);
    for (char byte : l.TextBuffer())
        ASSERT_EQ(byte, 0);
    EXPECT_FALSE(l.CustomGlyphs().complete());
    EXPECT_EQ(f.surface.paints, 0);
}

TEST(LCDLabel, LayoutFollowsCountsOrOutsideSize)
{
    struct Case {
        const char* what;
        std::function<void(TLCDLabel&)> change;
        int width, height, chars, lines;
    };
    const Case cases[] = {
        {"new control", [](TLCDLabel&) {}, 166, 28, 10, 1},
        {"two lines", [](TLCDLabel& l) { l.setTextLines(2); }, 166, 50, 10, 2},
        {"ChannelLCD", [](TLCDLabel& l) { lcd::applyChannelLcdLayout(l); }, 246, 28, 15, 1},
        {"resized to 300 x 60", [](TLCDLabel& l) { l.SetBounds(0, 0, 300, 60); }, 294, 50, 18, 2},
        {"resized to 10 x 10", [](TLCDLabel& l) { l.SetBounds(0, 0, 10, 10); }, 22, 28, 1, 1},
        {"ChannelLCD in Hitachi2",
         [](TLCDLabel& l) {
             lcd::applyChannelLcdLayout(l);
             l.setDotMatrix(TDotMatrix::Hitachi2);
         },
         246, 37, 15, 1},
        {"no margins, no gaps, one-pixel dots",
         [](TLCDLabel& l) {
             l.setBorderSpace(0);
             l.setCharSpacing(0);
             l.setPixelSpacing(0);
             l.setPixelSize(TPixelSize::pix1x1);
         },
         52, 9, 10, 1},
        {"custom 3 x 5 dots",
         [](TLCDLabel& l) {
             l.setPixelSize(TPixelSize::pixCustom);
             l.setPixelWidth(3);
             l.setPixelHeight(5);
         },
         // cells 5×3 + 4 = 19 wide, 7×5 + 6 = 41 high
         2 * 3 + 9 * 2 + 10 * 19 + 2, 2 * 3 + 41 + 2, 10, 1},
    };
    for (const auto& c : cases) {
        Fixture f;
        c.change(f.label);
        f.label.Paint();
        EXPECT_EQ(f.label.Width(), c.width) << c.what;
        EXPECT_EQ(f.label.Height(), c.height) << c.what;
        EXPECT_EQ(f.label.NoOfChars(), c.chars) << c.what;
        EXPECT_EQ(f.label.TextLines(), c.lines) << c.what;
        EXPECT_EQ(f.label.LastWidth(), c.width) << c.what;
        EXPECT_EQ(f.surface.lastWidth, c.width) << c.what;
        EXPECT_EQ(f.image().width(), c.width + 2) << c.what;
        EXPECT_EQ(f.image().height(), c.height + 2) << c.what;
    }
}

TEST(LCDLabel, SettersRejectBadValuesWithTheirMessage)
{
    struct Case {
        const char* property;
        std::string value;
        const char* message; // nullptr: accepted
    };
    const Case cases[] = {
        {"PixelSpacing", "-1", "Pixel spacing can't be less than zero!"},
        {"CharSpacing", "-1", "Character spacing can't be less than zero!"},
        {"LineSpacing", "-1", "Line spacing can't be less than zero!"},
        {"BorderSpace", "-1", "Border spacing can't be less than zero!"},
        {"TextLines", "0", "Display needs at least on line!"},
        {"NoOfChars", "0", "Display needs at least one character!"},
        {"NoOfChars", "-2147483648", "Display needs at least one character!"},
        {"PixelSpacing", "0", nullptr},
        {"CharSpacing", "0", nullptr},
        {"LineSpacing", "0", nullptr},
        {"BorderSpace", "0", nullptr},
        // Values whose layout would not fit on any screen.
        {"NoOfChars", "2147483647", TLCDLabel::kTooLargeMessage},
        {"TextLines", "100000", TLCDLabel::kTooLargeMessage},
        {"BorderSpace", "2147483647", TLCDLabel::kTooLargeMessage},
        {"PixelSpacing", "5000", TLCDLabel::kTooLargeMessage},
        {"NoOfChars", "2000", nullptr},
    };
    for (const auto& c : cases) {
        Fixture f;
        const lcd::PropertyInfo* info = lcd::findLcdLabelProperty(c.property);
        ASSERT_NE(info, nullptr);
        const std::int64_t before = info->getNumber(f.label);
        lcd::setLcdLabelProperty(f.label, c.property, c.value);
        if (c.message) {
            EXPECT_EQ(f.errors, std::vector<std::string>{c.message}) << c.property << c.value;
            EXPECT_EQ(info->getNumber(f.label), before) << c.property << c.value;
            EXPECT_EQ(f.surface.paints, 0) << c.property << c.value;
        } else {
            EXPECT_TRUE(f.errors.empty()) << c.property << c.value;
            EXPECT_EQ(info->getNumber(f.label), std::stoll(c.value)) << c.property;
            EXPECT_EQ(f.surface.paints, 1) << c.property << c.value;
        }
    }
}

TEST(LCDLabel, PixelWidthAndHeightCountOnlyForCustomDots)
{
    Fixture f;
    TLCDLabel& l = f.label;
    l.setPixelWidth(5);
    l.setPixelWidth(0);
    l.setPixelHeight(0);
    EXPECT_TRUE(f.errors.empty());
    EXPECT_EQ(f.surface.paints, 0);
    EXPECT_EQ(l.PixelWidth(), 2);

    l.setPixelSize(TPixelSize::pixCustom);
    EXPECT_EQ(l.PixelWidth(), 2);
    EXPECT_EQ(l.DotWidth(), 2);
    l.setPixelWidth(2); // equal: nothing
    EXPECT_EQ(f.surface.paints, 1);
    l.setPixelWidth(0);
    l.setPixelHeight(-4);
    EXPECT_EQ(f.errors, (std::vector<std::string>{"Display pixel width must be 1 or greater!",
                                                  "Display pixel height must be 1 or greate!"}));
    l.setPixelWidth(4);
    EXPECT_EQ(l.DotWidth(), 4);
    EXPECT_EQ(l.DotHeight(), 2);
    EXPECT_EQ(f.surface.paints, 2);

    // A fixed size overwrites both at the next layout.
    l.setPixelSize(TPixelSize::pix5x5);
    EXPECT_EQ(l.PixelWidth(), 5);
    EXPECT_EQ(l.PixelHeight(), 5);
}

TEST(LCDLabel, SettersPaintOnlyOnChangeExceptDotMatrixAndFilename)
{
    Fixture f;
    TLCDLabel& l = f.label;
    struct Step {
        std::function<void()> apply;
        int paints; // paints this step causes
    };
    const Step steps[] = {
        {[&] { l.setCaption("Lobby"); }, 1},
        {[&] { l.setCaption("Lobby"); }, 0},
        {[&] { l.setCaption("lobby"); }, 1},
        {[&] { l.setDotMatrix(TDotMatrix::mat5x7); }, 1},
        {[&] { l.setDotMatrix(TDotMatrix::mat5x7); }, 1},
        {[&] { l.setPixelOn(lcd::clBlack); }, 0},
        {[&] { l.setPixelOn(0x0000FF); }, 1},
        {[&] { l.setPixelOff(0xAAAAAA); }, 0},
        {[&] { l.setBackGround(lcd::clSilver); }, 0},
        {[&] { l.setBackGround(0xFFFFFF); }, 1},
        {[&] { l.setBorderStyle(lcd::TMyBorder::frLowered); }, 0},
        {[&] { l.setBorderStyle(lcd::TMyBorder::frSingle); }, 1},
        {[&] { l.setBorderColor(0x123456); }, 1},
        {[&] { l.setPixelShape(lcd::TPixelShape::spRound); }, 1},
        {[&] { l.setNoOfChars(10); }, 0},
        {[&] { l.setfilename(""); }, 2},
        {[&] { l.SetBounds(5, 5, 300, 60); }, 0},
        {[&] { l.setEnabled(false); }, 0},
    };
    int total = 0;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].apply();
        total += steps[i].paints;
        EXPECT_EQ(f.surface.paints, total) << "step " << i;
    }
    EXPECT_EQ(l.PixelOnDim(), 0x00007Fu);
    // The framework owes a paint after the outside resize; that paint trims the size, which
    // asks for one more, and then nothing is owed.
    EXPECT_TRUE(l.paintPending());
    l.Paint();
    EXPECT_EQ(l.Width(), 294);
    EXPECT_TRUE(l.paintPending());
    l.Paint();
    EXPECT_FALSE(l.paintPending());
}

TEST(LCDLabel, PixelOnDimHalvesTheColourBytes)
{
    struct Case {
        lcd::TColor on, dim;
    };
    const Case cases[] = {{0x0000FF, 0x00007F},
                          {0xFFFFFF, 0x7F7F7F},
                          {lcd::clBlack, lcd::clBlack},
                          {lcd::clBtnFace, 0x80000007},
                          {0x01030507, 0x01010203}};
    for (const auto& c : cases) {
        Fixture f;
        f.label.setPixelOn(c.on);
        EXPECT_EQ(f.label.PixelOnDim(), c.dim) << std::hex << c.on;
    }
}

TEST(LCDLabel, CaptionKeepsAtMost255CharactersUpToAZeroByte)
{
    struct Case {
        std::string set;
        std::string kept;
    };
    const Case cases[] = {
        {"Standing by...", "Standing by..."},
        {std::string(300, 'x'), std::string(255, 'x')},
        {std::string(255, 'y'), std::string(255, 'y')},
        {std::string("ab\0cd", 5), "ab"},
        {"caf\xe9", "caf\xe9"},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.label.setCaption(c.set);
        EXPECT_EQ(f.label.Caption(), c.kept);
        EXPECT_EQ(std::string(f.label.TextBuffer().data()), c.kept);
        EXPECT_EQ(f.label.TextBuffer()[255], 0);
        f.label.setCaption(c.set); // the same text again: no paint
        EXPECT_EQ(f.surface.paints, 1);
    }
}

TEST(LCDLabel, CellsShowTheTextClampedIntoTheSet)
{
    struct Case {
        TDotMatrix set;
        std::string caption;
        std::vector<int> codes; // cells 0, 1, ...
    };
    const Case cases[] = {
        {TDotMatrix::mat5x7, "Standing by...",
         {'S', 't', 'a', 'n', 'd', 'i', 'n', 'g', ' ', 'b', 'y', '.', '.', '.', 32}},
        {TDotMatrix::mat5x7, "A twenty-char name!!", {'A', ' ', 't', 'w', 'e'}},
        {TDotMatrix::mat5x7, "\xe9\r\n\x01", {126, 32, 32, 32, 32}},
        {TDotMatrix::Hitachi, "\xe9\x7f", {223, 127, 32}},
        {TDotMatrix::dos5x7, "\xe9\x01", {233, 1, 0}},
    };
    for (const auto& c : cases) {
        ChannelLcd f;
        f.label.setDotMatrix(c.set);
        f.label.setCaption(c.caption);
        for (std::size_t i = 0; i < c.codes.size(); ++i)
            EXPECT_EQ(f.label.cellCode(int(i)), c.codes[i]) << c.caption << " cell " << i;
        // Every cell past the last one holds the set's first code.
        EXPECT_EQ(f.label.cellCode(255), f.label.FirstChar());
        EXPECT_EQ(f.label.cellCode(100000), f.label.FirstChar());
    }
}

TEST(LCDLabel, CustomFontSelectionFallsBack)
{
    TempDir dir;
    const std::string good = dir.file("ab.lcf");
    writeBytes(good, fontFileBytes(5, 7, 65, 66, std::string(70, '\0')));
    const std::string eight = dir.file("eight.lcf");
    writeBytes(eight, fontFileBytes(8, 8, 32, 32, std::string(64, '\1')));
    const std::string truncated = dir.file("short.lcf");
    writeBytes(truncated, fontFileBytes(5, 7, 65, 66, std::string(69, '\0')));
    const std::string huge = dir.file("huge.lcf");
    writeBytes(huge, fontFileBytes(64, 64, 0, 0, std::string(64 * 64, '\0')));

    struct Case {
        const char* what;
        std::function<void(TLCDLabel&)> steps;
        TDotMatrix expected;
    };
    const Case cases[] = {
        {"empty filename keeps the set",
         [](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::mat5x8);
             l.setDotMatrix(TDotMatrix::CustomFont);
         },
         TDotMatrix::mat5x8},
        {"a good file selects the custom font",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::mat5x8);
             l.setfilename(good);
         },
         TDotMatrix::CustomFont},
        {"after a custom font, a missing file falls back to mat5x7",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::mat5x8);
             l.setfilename(good);
             l.setfilename(dir.file("missing.lcf"));
         },
         TDotMatrix::mat5x7},
        {"after a custom font, an empty name falls back to mat5x7",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::mat5x8);
             l.setfilename(good);
             l.setfilename("");
         },
         TDotMatrix::mat5x7},
        {"deleting the file and selecting again falls back",
         [&](TLCDLabel& l) {
             std::string copy = dir.file("copy.lcf");
             std::filesystem::copy_file(good, copy);
             l.setDotMatrix(TDotMatrix::Hitachi);
             l.setfilename(copy);
             std::filesystem::remove(copy);
             l.setDotMatrix(TDotMatrix::CustomFont);
         },
         TDotMatrix::mat5x7},
        {"a truncated file falls back to the previous set",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::dos5x7);
             l.setfilename(truncated);
         },
         TDotMatrix::dos5x7},
        {"a font too large for any screen falls back",
         [&](TLCDLabel& l) {
             l.setPixelSize(TPixelSize::pix16x16);
             l.setNoOfChars(40);
             l.setfilename(huge);
         },
         TDotMatrix::mat5x7},
    };
    for (const auto& c : cases) {
        Fixture f;
        c.steps(f.label);
        EXPECT_EQ(f.label.DotMatrix(), c.expected) << c.what;
        EXPECT_TRUE(f.errors.empty()) << c.what;
        if (c.expected != TDotMatrix::CustomFont) {
            lcd::CharSetShape shape = lcd::charSetShape(c.expected);
            EXPECT_EQ(f.label.MatrixCols(), shape.cols) << c.what;
            EXPECT_EQ(f.label.LastChar(), shape.last) << c.what;
        }
    }

    // An 8 × 8 font on ChannelLCD keeps 15 cells and one line: 381 × 31.
    ChannelLcd f;
    f.label.setfilename(eight);
    EXPECT_EQ(f.label.DotMatrix(), TDotMatrix::CustomFont);
    EXPECT_EQ(f.label.CharWidth(), 23);
    EXPECT_EQ(f.label.Width(), 381);
    EXPECT_EQ(f.label.Height(), 31);
    EXPECT_EQ(f.label.NoOfChars(), 15);
    EXPECT_EQ(f.surface.paints, 2); // once inside the set selection, once after it
    EXPECT_EQ(f.label.filename(), eight);
}

TEST(LCDLabel, PropertiesAreFoundByNameAndParsed)
{
    Fixture f;
    lcd::setLcdLabelProperty(f.label, "dotmatrix", "HITACHI2");
    EXPECT_EQ(f.label.DotMatrix(), TDotMatrix::Hitachi2);
    lcd::setLcdLabelProperty(f.label, "PixelOn", "0xFF");
    EXPECT_EQ(f.label.PixelOn(), 0xFFu);
    lcd::setLcdLabelProperty(f.label, "BackGround", "clBtnFace");
    EXPECT_EQ(f.label.BackGround(), lcd::clBtnFace);
    lcd::setLcdLabelProperty(f.label, "BorderColor", "-2147483633"); // clBtnFace, signed
    EXPECT_EQ(f.label.BorderColor(), lcd::clBtnFace);
    lcd::setLcdLabelProperty(f.label, "Visible", "false");
    EXPECT_FALSE(f.label.Visible());

    struct Bad {
        const char* name;
        const char* value;
    };
    const Bad bad[] = {{"NoSuchProperty", "1"}, {"NoOfChars", "ten"}, {"NoOfChars", "4294967296"},
                       {"NoOfChars", "1.5"},    {"DotMatrix", "mat6x6"}, {"PixelOn", "0x1FFFFFFFF"},
                       {"Enabled", "yes"},      {"NoOfChars", ""}};
    for (const auto& b : bad)
        EXPECT_THROW(lcd::setLcdLabelProperty(f.label, b.name, b.value), lcd::PropertyError)
            << b.name << "=" << b.value;
    EXPECT_EQ(f.label.NoOfChars(), 10);
}
