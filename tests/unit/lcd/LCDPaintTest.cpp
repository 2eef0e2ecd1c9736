#include "LcdTestSupport.h"
#include "lcd/ChannelLcdLayout.h"
#include "lcd/LCDLabel.h"

#include <gtest/gtest.h>

using lcd::TDotMatrix;
using lcd::TLCDLabel;
using lcd::TPixelShape;
using lcd::TPixelSize;
using lcdtest::Fixture;
using lcdtest::paintedCell;
using ui::Raster;
using ui::TColor;

namespace {

// The headless backend's system colours.
const TColor kShadow = ui::headlessSystemColor(16);
const TColor kHighlight = ui::headlessSystemColor(20);
const TColor kFace = ui::headlessSystemColor(15);
const TColor kSilver = 0xC0C0C0;
const TColor kOff = 0xAAAAAA;
const TColor kBlack = 0;

struct ChannelLcd : Fixture {
    ChannelLcd() { lcd::applyChannelLcdLayout(label); }
};

// Every pixel of a box has one colour.
::testing::AssertionResult filled(const Raster& image, int x1, int y1, int x2, int y2, TColor color)
{
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            if (image.pixel(x, y) != color)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") is " << std::hex << image.pixel(x, y)
                       << ", not " << color;
    return ::testing::AssertionSuccess();
}

// The pixels of a box as rows of '#' (colour `lit`) and '.'.
std::string pixels(const Raster& image, int x1, int y1, int x2, int y2, TColor lit)
{
    std::string out;
    for (int y = y1; y < y2; ++y) {
        if (y > y1)
            out += ' ';
        for (int x = x1; x < x2; ++x)
            out += image.pixel(x, y) == lit ? '#' : '.';
    }
    return out;
}

} // namespace

TEST(LCDPaint, ChannelLcdPlacesCellsDotsAndFrame)
{
    ChannelLcd f;
    f.label.setCaption("A..............");
    const Raster& image = f.image();
    ASSERT_EQ(image.width(), 246);
    ASSERT_EQ(image.height(), 28);
    // Frame: column 0 and row 0 in the shadow colour, column 245 and row 27 in the highlight.
    EXPECT_TRUE(filled(image, 0, 0, 246, 1, kShadow));
    EXPECT_TRUE(filled(image, 0, 0, 1, 28, kShadow));
    EXPECT_TRUE(filled(image, 245, 1, 246, 28, kHighlight));
    EXPECT_TRUE(filled(image, 1, 27, 246, 28, kHighlight));
    // Margins: columns 1 to 3 and 242 to 244, rows 1 to 3 and 24 to 26 show the panel.
    EXPECT_TRUE(filled(image, 1, 1, 4, 27, kSilver));
    EXPECT_TRUE(filled(image, 242, 1, 245, 27, kSilver));
    EXPECT_TRUE(filled(image, 1, 1, 245, 4, kSilver));
    EXPECT_TRUE(filled(image, 1, 24, 245, 27, kSilver));
    // The first cell starts at (4, 4); its top-left dot (unlit in A) covers 4..5 × 4..5 and
    // the dot beside it starts at x = 7, after a one-pixel gap of panel.
    EXPECT_TRUE(filled(image, 4, 4, 6, 6, kOff));
    EXPECT_TRUE(filled(image, 6, 4, 7, 24, kSilver));
    EXPECT_TRUE(filled(image, 7, 4, 9, 6, kBlack));
    EXPECT_EQ(paintedCell(image, 4, 4, 5, 7, 3, 3, kBlack),
              ".###. #...# #...# #...# ##### #...# #...#");
    // The second cell starts at x = 20, the fifteenth at x = 228 and ends at column 241.
    EXPECT_TRUE(filled(image, 18, 4, 20, 24, kSilver));
    EXPECT_EQ(paintedCell(image, 20, 4, 5, 7, 3, 3, kBlack),
              "..... ..... ..... ..... ..... .##.. .##..");
    EXPECT_EQ(paintedCell(image, 228, 4, 5, 7, 3, 3, kBlack),
              "..... ..... ..... ..... ..... .##.. .##..");
    EXPECT_TRUE(filled(image, 240, 4, 242, 6, kOff));
    EXPECT_TRUE(filled(image, 240, 22, 242, 24, kOff));
    EXPECT_TRUE(filled(image, 239, 4, 240, 24, kSilver));
}

TEST(LCDPaint, FrameStylesColourTheOutline)
{
    struct Case {
        lcd::TMyBorder style;
        TColor topLeft, bottomRight;
    };
    const TColor custom = 0x123456;
    const Case cases[] = {{lcd::TMyBorder::frRaised, kHighlight, kShadow},
                          {lcd::TMyBorder::frLowered, kShadow, kHighlight},
                          {lcd::TMyBorder::frSingle, custom, custom},
                          {lcd::TMyBorder::frNone, kSilver, kSilver}};
    for (const auto& c : cases) {
        Fixture f;
        f.label.setBorderColor(custom);
        f.label.setBorderStyle(c.style);
        f.label.Paint();
        const Raster& image = f.image();
        EXPECT_TRUE(filled(image, 0, 0, 166, 1, c.topLeft)) << int(c.style);
        EXPECT_TRUE(filled(image, 0, 0, 1, 28, c.topLeft)) << int(c.style);
        EXPECT_TRUE(filled(image, 165, 1, 166, 28, c.bottomRight)) << int(c.style);
        EXPECT_TRUE(filled(image, 1, 27, 166, 28, c.bottomRight)) << int(c.style);
        EXPECT_TRUE(filled(image, 1, 1, 4, 4, kSilver)) << int(c.style);
        // Cells keep their place whatever the frame.
        EXPECT_TRUE(filled(image, 4, 4, 6, 6, kOff)) << int(c.style);
    }
}

TEST(LCDPaint, DisabledShowsPanelAndFrameHiddenShowsButtonFace)
{
    Fixture f;
    f.label.setCaption("ABC");
    f.label.setEnabled(false);
    f.label.Paint();
    EXPECT_TRUE(filled(f.image(), 1, 1, 165, 27, kSilver));
    EXPECT_TRUE(filled(f.image(), 0, 0, 166, 1, kShadow));

    f.label.setEnabled(true);
    f.label.setVisible(false);
    const int paints = f.paints();
    f.label.setCaption("DEF"); // a setter of a hidden control still paints
    EXPECT_EQ(f.paints(), paints + 1);
    EXPECT_TRUE(filled(f.image(), 0, 0, 166, 28, kFace));
}

TEST(LCDPaint, DotShapesAndSizes)
{
    const TColor on = 0x0000FF;
    const TColor dim = 0x00007F;
    struct Case {
        const char* what;
        TPixelSize size;
        int customWidth, customHeight;
        TPixelShape shape;
        TColor lit; // the colour that counts as '#'
        std::string dot;
    };
    const Case cases[] = {
        {"square 3x3", TPixelSize::pix3x3, 0, 0, TPixelShape::spSquare, on, "### ### ###"},
        {"round 3x3", TPixelSize::pix3x3, 0, 0, TPixelShape::spRound, on, ".#. ### .#."},
        {"round 4x4", TPixelSize::pix4x4, 0, 0, TPixelShape::spRound, on, ".##. #### #### .##."},
        {"round 5x5", TPixelSize::pix5x5, 0, 0, TPixelShape::spRound, on,
         ".###. ##### ##### ##### .###."},
        {"shaped 4x4, rim", TPixelSize::pix4x4, 0, 0, TPixelShape::spShaped, dim,
         "#..# .... .... #..#"},
        {"shaped 4x4, dot", TPixelSize::pix4x4, 0, 0, TPixelShape::spShaped, on,
         ".##. #### #### .##."},
        {"round 1x1", TPixelSize::pix1x1, 0, 0, TPixelShape::spRound, on, "#"},
        {"custom round 1x1", TPixelSize::pixCustom, 1, 1, TPixelShape::spRound, on, "#"},
        {"custom round 6x2", TPixelSize::pixCustom, 6, 2, TPixelShape::spRound, on,
         ".####. .####."},
    };
    for (const auto& c : cases) {
        Fixture f;
        TLCDLabel& l = f.label;
        l.setPixelOn(on);
        l.setPixelSize(c.size);
        if (c.size == TPixelSize::pixCustom) {
            l.setPixelWidth(c.customWidth);
            l.setPixelHeight(c.customHeight);
        }
        l.setPixelShape(c.shape);
        l.setCaption("A"); // the dot at row 0, column 1 is lit
        const int w = l.DotWidth();
        const int h = l.DotHeight();
        const int x = 4 + w + l.PixelSpacing();
        EXPECT_EQ(pixels(f.image(), x, 4, x + w, 4 + h, c.lit), c.dot) << c.what;
    }
}

TEST(LCDPaint, PixelSizeOneSetsSinglePixelsWhateverTheShape)
{
    for (TPixelShape shape : {TPixelShape::spSquare, TPixelShape::spShaped, TPixelShape::spRound}) {
        Fixture f;
        f.label.setPixelShape(shape);
        f.label.setPixelSize(TPixelSize::pix1x1);
        f.label.setCaption("A");
        // Dots one pixel apart: A's top row is at y = 4, x = 4, 6, 8, 10, 12.
        EXPECT_EQ(pixels(f.image(), 4, 4, 13, 5, kBlack), "..#.#.#..") << int(shape);
        EXPECT_EQ(pixels(f.image(), 4, 5, 13, 6, kOff), ".........") << int(shape);
    }
}

TEST(LCDPaint, ShapedDotsWithEqualColoursAllLookLit)
{
    Fixture f;
    f.label.setPixelSize(TPixelSize::pix4x4);
    f.label.setPixelShape(TPixelShape::spShaped);
    f.label.setPixelOn(0x00FF00);
    f.label.setPixelOff(0x00FF00);
    // Cell 0 shows a blank, yet its dots are dim squares with a full-colour dot inside.
    EXPECT_EQ(pixels(f.image(), 4, 4, 8, 8, 0x007F00), "#..# .... .... #..#");
    EXPECT_EQ(pixels(f.image(), 4, 4, 8, 8, 0x00FF00), ".##. #### #### .##.");

    // With black lit dots the dim shade is black too: lit dots look square.
    Fixture black;
    black.label.setPixelSize(TPixelSize::pix4x4);
    black.label.setPixelShape(TPixelShape::spShaped);
    black.label.setCaption("A"); // the dot at row 0, column 1 is lit
    EXPECT_TRUE(filled(black.image(), 9, 4, 13, 8, kBlack));
}

TEST(LCDPaint, GlyphsOfEverySetReachTheScreen)
{
    struct Case {
        TDotMatrix set;
        int code;
        int rows;
        std::string glyph;
    };
    const Case cases[] = {
        {TDotMatrix::mat5x8, 'g', 8, "..... ..... .#### #...# #...# .#### ....# .###."},
        {TDotMatrix::Hitachi, 0xF7, 7, "..... ..#.. ..... ##### ..... ..#.. ....."}, // 221
        {TDotMatrix::Hitachi2, 0xE4, 10, // 193, a with diaeresis
         ".#.#. ..... .###. ....# .#### #...# .#### ..... ..... ....."},
        {TDotMatrix::dos5x7, 1, 7, "..... .#.#. .#.#. ..... #...# .###. ....."},
        {TDotMatrix::mat5x7, 0x81, 7, "..... ..... .#... #.#.# ...#. ..... ....."},
        {TDotMatrix::mat7x9, 'A', 9,
         "...#... ..#.#.. .#...#. #.....# #.....# ####### #.....# #.....# #.....#"},
        {TDotMatrix::mat9x12, '|', 12,
         "....#.... ....#.... ....#.... ....#.... ....#.... ....#.... ....#.... ....#.... "
         "....#.... ....#.... ....#.... ....#...."},
    };
    for (const auto& c : cases) {
        Fixture f;
        f.label.setDotMatrix(c.set);
        f.label.setCaption(std::string(1, char(c.code)));
        const int cols = lcd::charSetShape(c.set).cols;
        EXPECT_EQ(paintedCell(f.image(), 4, 4, cols, c.rows, 3, 3, kBlack), c.glyph) << c.code;
    }
}

TEST(LCDPaint, AccentedLettersReachTheScreenAsTheSetDrawsThem)
{
    struct Case {
        TDotMatrix set;
        std::string caption;
        std::vector<int> glyphs; // the table codes the first cells show
    };
    const Case cases[] = {
        {TDotMatrix::dos5x7, "\xC9\xE9\xDC\xFC\xE7\xF1", {0x90, 0x82, 0x9A, 0x81, 0x87, 0xA4}},
        {TDotMatrix::mat5x7, "\xC9\xE9\xDC\xFC\xE7\xF1", {'E', 'e', 'U', 'u', 'c', 'n'}},
        {TDotMatrix::Hitachi, "\xC9\xE9\xDC\xFC\xE7\xF1", {'E', 'e', 'U', 213, 'c', 206}},
    };
    for (const auto& c : cases) {
        ChannelLcd f;
        f.label.setDotMatrix(c.set);
        f.label.setCaption(c.caption);
        const lcd::GlyphTable& table = lcd::builtinTables()[std::size_t(c.set)];
        for (std::size_t cell = 0; cell < c.glyphs.size(); ++cell)
            EXPECT_EQ(paintedCell(f.image(), 4 + int(cell) * 16, 4, 5, 7, 3, 3, kBlack),
                      lcdtest::tableGlyph(table, c.glyphs[cell]))
                << lcd::kDotMatrixNames[std::size_t(c.set)] << " cell " << cell;
    }
}

TEST(LCDPaint, CustomFontShowsItsGlyphsClampedToItsRange)
{
    lcdtest::TempDir dir;
    const std::string a =
        lcdtest::fontGlyph({".###.", "#...#", "#...#", "#####", "#...#", "#...#", "#...#"});
    const std::string b =
        lcdtest::fontGlyph({"####.", "#...#", "####.", "#...#", "#...#", "#...#", "####."});
    const std::string path = dir.file("ab.lcf");
    lcdtest::writeBytes(path, lcdtest::fontFileBytes(5, 7, 65, 66, a + b));
    const std::string empty = dir.file("none.lcf");
    lcdtest::writeBytes(empty, lcdtest::fontFileBytes(5, 7, 66, 65));

    Fixture f;
    f.label.setFilename(path);
    f.label.setCaption("ABC");
    const char* glyphA = ".###. #...# #...# ##### #...# #...# #...#";
    const char* glyphB = "####. #...# ####. #...# #...# #...# ####.";
    const char* expected[] = {glyphA, glyphB, glyphB, glyphA, glyphA};
    for (int cell = 0; cell < 5; ++cell)
        EXPECT_EQ(paintedCell(f.image(), 4 + cell * 16, 4, 5, 7, 3, 3, kBlack), expected[cell])
            << cell;

    f.label.setFilename(empty);
    ASSERT_EQ(f.label.DotMatrix(), TDotMatrix::CustomFont);
    const Raster& image = f.image();
    for (int cell = 0; cell < 10; ++cell)
        EXPECT_EQ(paintedCell(image, 4 + cell * 16, 4, 5, 7, 3, 3, kBlack),
                  "..... ..... ..... ..... ..... ..... .....")
            << cell;
}

// A dot byte other than 0 (lit) and 1 (unlit) takes the colour of the dot drawn just before it
// in the same cell, row by row; the cell's first dot has none before it and is unlit. The next
// cell starts afresh.
TEST(LCDPaint, CustomFontDotsOfOtherValuesRepeatTheDotBefore)
{
    // Glyphs of 3 × 2 dots: 'L' lit (0), 'U' unlit (1), '?' another value.
    struct Case {
        const char* bytes;
        const char* shown;
    };
    const Case cases[] = {
        {"?LU"
         "LU?",
         ".#. #.."}, // first dot unlit; after unlit, unlit
        {"L??"
         "???",
         "### ###"}, // a lit dot carried along the rows
        {"LU?"
         "?LU",
         "#.. .#."}, // the row's first dot follows the row above's last
        {"???"
         "U?L",
         "... ..#"},
        {"ULL"
         "L??",
         ".## ###"},
    };
    for (const auto& c : cases) {
        std::string glyph;
        for (const char* p = c.bytes; *p; ++p)
            glyph += *p == 'L' ? '\0' : *p == 'U' ? '\1' : static_cast<char>(p - c.bytes + 2);
        lcdtest::TempDir dir;
        const std::string path = dir.file("odd.lcf");
        // Code 65 holds the glyph, code 66 is all lit: the cell after it starts afresh.
        lcdtest::writeBytes(path,
                            lcdtest::fontFileBytes(3, 2, 65, 66, glyph + std::string(6, '\0')));
        Fixture f;
        f.label.setNoOfChars(3);
        f.label.setFilename(path);
        f.label.setCaption("BA");
        // Cells of 3 dots of 2 px with 1 px between: 8 px wide, 2 px apart.
        EXPECT_EQ(paintedCell(f.image(), 4 + 10, 4, 3, 2, 3, 3, kBlack), c.shown) << c.bytes;
        EXPECT_EQ(paintedCell(f.image(), 4, 4, 3, 2, 3, 3, kBlack), "### ###") << c.bytes;
        std::string looked;
        for (int row = 0; row < 2; ++row)
            for (int col = 0; col < 3; ++col)
                looked += std::string(row && !col ? " " : "") +
                          (f.label.dotLit(65, row, col) ? "#" : ".");
        EXPECT_EQ(looked, c.shown) << c.bytes;
    }
}
