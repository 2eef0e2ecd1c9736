#include "lcd/LCDLabel.h"
#include "LcdTestSupport.h"
#include "lcd/ChannelLcdLayout.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using lcd::TDotMatrix;
using lcd::TLCDLabel;
using lcd::TPixelSize;
using lcdtest::Fixture;
using lcdtest::fontFileBytes;
using lcdtest::fontGlyph;
using lcdtest::TempDir;
using lcdtest::writeBytes;

namespace {

struct ChannelLcd : Fixture {
    ChannelLcd() { lcd::applyChannelLcdLayout(label); }
};

// Writes a property by name as a stored layout does: integers from decimal text,
// enumerations by identifier, texts as they are.
ui::SetResult setByName(TLCDLabel& label, std::string_view name, const std::string& value)
{
    const ui::PropertyInfo* property = ui::findProperty(label, name);
    if (!property)
        return ui::SetResult::WrongClass;
    switch (property->kind()) {
    case ui::PropertyKind::Integer: return property->setInteger(label, std::stoll(value));
    case ui::PropertyKind::Enumeration: return property->setIdentifier(label, value);
    case ui::PropertyKind::Text: return property->setText(label, value);
    default: return ui::SetResult::WrongKind;
    }
}

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
    EXPECT_EQ(l.BackGround(), ui::clSilver);
    EXPECT_EQ(l.BorderStyle(), lcd::TMyBorder::frLowered);
    EXPECT_EQ(l.BorderColor(), ui::clBlack);
    EXPECT_EQ(l.PixelOn(), ui::clBlack);
    EXPECT_EQ(l.PixelOff(), 11184810u);
    EXPECT_EQ(l.filename(), "");
    EXPECT_TRUE(l.enabled());
    EXPECT_TRUE(l.visible());
    EXPECT_EQ(l.width(), 166);
    EXPECT_EQ(l.height(), 28);
    EXPECT_EQ(l.LastWidth(), 166);
    EXPECT_EQ(l.CharWidth(), 14);
    EXPECT_EQ(l.CharHeight(), 20);
    for (char byte : l.TextBuffer())
        ASSERT_EQ(byte, 0);
    EXPECT_FALSE(l.CustomGlyphs().complete());
    EXPECT_EQ(f.paints(), 0);
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
        {"resized to 300 x 60", [](TLCDLabel& l) { l.setBounds(0, 0, 300, 60); }, 294, 50, 18, 2},
        {"resized to 10 x 10", [](TLCDLabel& l) { l.setBounds(0, 0, 10, 10); }, 22, 28, 1, 1},
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
        EXPECT_EQ(f.label.width(), c.width) << c.what;
        EXPECT_EQ(f.label.height(), c.height) << c.what;
        EXPECT_EQ(f.label.NoOfChars(), c.chars) << c.what;
        EXPECT_EQ(f.label.TextLines(), c.lines) << c.what;
        EXPECT_EQ(f.label.LastWidth(), c.width) << c.what;
        EXPECT_EQ(f.image().width(), c.width) << c.what;
        EXPECT_EQ(f.image().height(), c.height) << c.what;
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
        {"NoOfChars", "2400", TLCDLabel::kTooLargeMessage},
    };
    for (const auto& c : cases) {
        Fixture f;
        const ui::PropertyInfo* info = ui::findProperty(f.label, c.property);
        ASSERT_NE(info, nullptr);
        const std::int64_t before = *info->integer(f.label);
        ASSERT_EQ(setByName(f.label, c.property, c.value), ui::SetResult::Done);
        if (c.message) {
            EXPECT_EQ(f.errors(), std::vector<std::string>{c.message}) << c.property << c.value;
            EXPECT_EQ(*info->integer(f.label), before) << c.property << c.value;
            EXPECT_EQ(f.paints(), 0) << c.property << c.value;
        } else {
            EXPECT_TRUE(f.errors().empty()) << c.property << c.value;
            EXPECT_EQ(*info->integer(f.label), std::stoll(c.value)) << c.property;
            EXPECT_EQ(f.paints(), 1) << c.property << c.value;
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
    EXPECT_TRUE(f.errors().empty());
    EXPECT_EQ(f.paints(), 0);
    EXPECT_EQ(l.PixelWidth(), 2);

    l.setPixelSize(TPixelSize::pixCustom);
    EXPECT_EQ(l.PixelWidth(), 2);
    EXPECT_EQ(l.DotWidth(), 2);
    l.setPixelWidth(2); // equal: nothing
    EXPECT_EQ(f.paints(), 1);
    l.setPixelWidth(0);
    l.setPixelHeight(-4);
    EXPECT_EQ(f.errors(), (std::vector<std::string>{"Display pixel width must be 1 or greater!",
                                                    "Display pixel height must be 1 or greate!"}));
    l.setPixelWidth(4);
    EXPECT_EQ(l.DotWidth(), 4);
    EXPECT_EQ(l.DotHeight(), 2);
    EXPECT_EQ(f.paints(), 2);

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
        {[&] { l.setPixelOn(ui::clBlack); }, 0},
        {[&] { l.setPixelOn(0x0000FF); }, 1},
        {[&] { l.setPixelOff(0xAAAAAA); }, 0},
        {[&] { l.setBackGround(ui::clSilver); }, 0},
        {[&] { l.setBackGround(0xFFFFFF); }, 1},
        {[&] { l.setBorderStyle(lcd::TMyBorder::frLowered); }, 0},
        {[&] { l.setBorderStyle(lcd::TMyBorder::frSingle); }, 1},
        {[&] { l.setBorderColor(0x123456); }, 1},
        {[&] { l.setPixelShape(lcd::TPixelShape::spRound); }, 1},
        {[&] { l.setNoOfChars(10); }, 0},
        {[&] { l.setFilename(""); }, 2},
        {[&] { l.setBounds(5, 5, 300, 60); }, 0},
        {[&] { l.setEnabled(false); }, 0},
        {[&] { l.setEnabled(true); }, 0},
    };
    int total = 0;
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].apply();
        total += steps[i].paints;
        EXPECT_EQ(f.paints(), total) << "step " << i;
    }
    EXPECT_EQ(l.PixelOnDim(), 0x00007Fu);
    // The framework owes a paint after the outside resize; that paint trims the size, which
    // asks for one more, and then nothing is owed.
    EXPECT_TRUE(l.needsRepaint());
    l.Paint();
    EXPECT_EQ(l.width(), 294);
    EXPECT_FALSE(l.needsRepaint());
}

TEST(LCDLabel, PixelOnDimHalvesTheColourBytes)
{
    struct Case {
        lcd::TColor on, dim;
    };
    const Case cases[] = {{0x0000FF, 0x00007F},
                          {0xFFFFFF, 0x7F7F7F},
                          {ui::clBlack, ui::clBlack},
                          {ui::clBtnFace, 0x80000007},
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
        EXPECT_EQ(f.paints(), 1);
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
        {TDotMatrix::mat5x7,
         "Standing by...",
         {'S', 't', 'a', 'n', 'd', 'i', 'n', 'g', ' ', 'b', 'y', '.', '.', '.', 32}},
        {TDotMatrix::mat5x7, "A twenty-char name!!", {'A', ' ', 't', 'w', 'e'}},
        // Letters show as the set draws them; a code that is no character is clamped.
        {TDotMatrix::mat5x7, "\xe9\x81\r\n\x01", {'e', 126, 32, 32, 32, 32}},
        {TDotMatrix::Hitachi, "\xe9\x81\x7f", {'e', 129, 127, 32}},
        {TDotMatrix::dos5x7, "\xe9\x81\x01", {130, 129, 1, 0}},
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

// The text stays as it was set for whoever reads it back; the cells show each letter as the
// current set draws it, and follow a change of set.
TEST(LCDLabel, AccentedLettersShowAsTheSetDrawsThemWhileTheTextStaysAsSet)
{
    const std::string caption = "\xC9quipe \xDC"
                                "ber Stra\xDF"
                                "e";
    struct Case {
        TDotMatrix set;
        std::string cells;
    };
    const Case cases[] = {
        {TDotMatrix::mat5x7, "Equipe Uber Strasse"},
        {TDotMatrix::mat9x12, "Equipe Uber Strasse"},
        {TDotMatrix::Hitachi, "Equipe Uber Strasse"},
        {TDotMatrix::Hitachi2, "Equipe Uber Strasse"},
        {TDotMatrix::dos5x7, "\x90quipe \x9A"
                             "ber Stra\xE1"
                             "e"},
    };
    ChannelLcd f;
    f.label.setCaption(caption);
    for (const auto& c : cases) {
        f.label.setDotMatrix(c.set);
        EXPECT_EQ(f.label.Caption(), caption);
        EXPECT_EQ(std::string(f.label.TextBuffer().data()), caption);
        EXPECT_EQ(f.label.cellCodes(), c.cells);
        for (std::size_t i = 0; i < 15; ++i)
            EXPECT_EQ(f.label.cellCode(int(i)), static_cast<unsigned char>(c.cells[i]))
                << lcd::kDotMatrixNames[std::size_t(c.set)] << " cell " << i;
    }
    // Umlauts the Hitachi table has show as themselves there.
    f.label.setDotMatrix(TDotMatrix::Hitachi);
    f.label.setCaption("M\xFCller");
    EXPECT_EQ(f.label.cellCode(1), 213);
    // A custom font draws by code.
    TempDir dir;
    const std::string font = dir.file("all.lcf");
    writeBytes(font, fontFileBytes(1, 1, 0, 255, std::string(256, '\0')));
    f.label.setFilename(font);
    ASSERT_EQ(f.label.DotMatrix(), TDotMatrix::CustomFont);
    f.label.setCaption(caption);
    EXPECT_EQ(f.label.cellCodes(), caption);
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
             l.setFilename(good);
         },
         TDotMatrix::CustomFont},
        {"after a custom font, a missing file falls back to mat5x7",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::mat5x8);
             l.setFilename(good);
             l.setFilename(dir.file("missing.lcf"));
         },
         TDotMatrix::mat5x7},
        {"after a custom font, an empty name falls back to mat5x7",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::mat5x8);
             l.setFilename(good);
             l.setFilename("");
         },
         TDotMatrix::mat5x7},
        {"deleting the file and selecting again falls back",
         [&](TLCDLabel& l) {
             std::string copy = dir.file("copy.lcf");
             std::filesystem::copy_file(good, copy);
             l.setDotMatrix(TDotMatrix::Hitachi);
             l.setFilename(copy);
             std::filesystem::remove(copy);
             l.setDotMatrix(TDotMatrix::CustomFont);
         },
         TDotMatrix::mat5x7},
        {"a truncated file falls back to the previous set",
         [&](TLCDLabel& l) {
             l.setDotMatrix(TDotMatrix::dos5x7);
             l.setFilename(truncated);
         },
         TDotMatrix::dos5x7},
        {"a font too large for any screen falls back",
         [&](TLCDLabel& l) {
             l.setPixelSize(TPixelSize::pix16x16);
             l.setNoOfChars(40);
             l.setFilename(huge);
         },
         TDotMatrix::mat5x7},
    };
    for (const auto& c : cases) {
        Fixture f;
        c.steps(f.label);
        EXPECT_EQ(f.label.DotMatrix(), c.expected) << c.what;
        EXPECT_TRUE(f.errors().empty()) << c.what;
        if (c.expected != TDotMatrix::CustomFont) {
            lcd::CharSetShape shape = lcd::charSetShape(c.expected);
            EXPECT_EQ(f.label.MatrixCols(), shape.cols) << c.what;
            EXPECT_EQ(f.label.LastChar(), shape.last) << c.what;
        }
    }

    // An 8 × 8 font on ChannelLCD keeps 15 cells and one line: 381 × 31.
    ChannelLcd f;
    const int before = f.paints();
    f.label.setFilename(eight);
    EXPECT_EQ(f.label.DotMatrix(), TDotMatrix::CustomFont);
    EXPECT_EQ(f.label.CharWidth(), 23);
    EXPECT_EQ(f.label.width(), 381);
    EXPECT_EQ(f.label.height(), 31);
    EXPECT_EQ(f.label.NoOfChars(), 15);
    EXPECT_EQ(f.paints(), before + 2); // once inside the set selection, once after it
    EXPECT_EQ(f.label.filename(), eight);
}

TEST(LCDLabel, ClassInformationPublishesThePropertiesInOrder)
{
    Fixture f;
    EXPECT_EQ(f.label.className(), "TLCDLabel");
    EXPECT_TRUE(f.label.classInfo().inheritsFrom("TGraphicControl"));
    std::vector<std::string> own;
    for (const auto& property : TLCDLabel::staticClassInfo().ownProperties())
        if (property.kind() != ui::PropertyKind::Other)
            own.push_back(property.name());
    const std::vector<std::string> declared = {
        "Caption",     "DotMatrix",   "PixelSize",   "PixelSpacing", "PixelShape", "PixelWidth",
        "PixelHeight", "CharSpacing", "LineSpacing", "BorderSpace",  "TextLines",  "NoOfChars",
        "BackGround",  "BorderStyle", "BorderColor", "PixelOn",      "PixelOff",   "filename"};
    EXPECT_EQ(own, declared);
    for (const char* inherited : {"Hint", "ShowHint", "Enabled", "Visible", "Width"})
        EXPECT_NE(ui::findProperty(f.label, inherited), nullptr) << inherited;

    // Writes by name run the setters, letter case ignored.
    EXPECT_EQ(setByName(f.label, "dotmatrix", "HITACHI2"), ui::SetResult::Done);
    EXPECT_EQ(f.label.DotMatrix(), TDotMatrix::Hitachi2);
    EXPECT_EQ(f.label.height(), 37);
    EXPECT_EQ(setByName(f.label, "PixelOn", std::to_string(ui::clBtnFace)), ui::SetResult::Done);
    EXPECT_EQ(f.label.PixelOnDim(), 0x80000007u);
    // A colour is 32 bits in either reading: -2147483633 is 0x8000000F too.
    EXPECT_EQ(setByName(f.label, "PixelOn", "0"), ui::SetResult::Done);
    EXPECT_EQ(setByName(f.label, "PixelOn", "-2147483633"), ui::SetResult::Done);
    EXPECT_EQ(f.label.PixelOn(), ui::clBtnFace);
    EXPECT_EQ(setByName(f.label, "caption", "Lobby"), ui::SetResult::Done);
    EXPECT_EQ(f.label.Caption(), "Lobby");
    const int paints = f.paints();

    struct Bad {
        const char* name;
        const char* value;
        ui::SetResult result;
    };
    const Bad bad[] = {{"NoOfChars", "4294967296", ui::SetResult::OutOfRange},
                       {"PixelOn", "4294967296", ui::SetResult::OutOfRange},
                       {"PixelOn", "-2147483649", ui::SetResult::OutOfRange},
                       {"DotMatrix", "mat6x6", ui::SetResult::NotAMember},
                       {"BorderStyle", "frDouble", ui::SetResult::NotAMember}};
    for (const auto& b : bad)
        EXPECT_EQ(setByName(f.label, b.name, b.value), b.result) << b.name << "=" << b.value;
    EXPECT_EQ(f.label.NoOfChars(), 10);
    EXPECT_EQ(f.label.BorderStyle(), lcd::TMyBorder::frLowered);
    EXPECT_EQ(f.paints(), paints);
    EXPECT_TRUE(f.errors().empty());
}

TEST(LCDLabel, ChannelLcdLayoutKeepsItsStoredSizeWithOnePaintPerChange)
{
    Fixture f;
    lcd::applyChannelLcdLayout(f.label);
    // Only NoOfChars differs from the initial values: one paint, which finds the stored size
    // and keeps it.
    EXPECT_EQ(f.paints(), 1);
    EXPECT_EQ(f.label.width(), 246);
    EXPECT_EQ(f.label.height(), 28);
    EXPECT_EQ(f.label.NoOfChars(), 15);
    EXPECT_EQ(f.label.PixelOff(), 11184810u);
    EXPECT_TRUE(f.errors().empty());
}
