// The display as a window at another scale shows it: drawn anew on a grid of square dots of
// whole pixels, the model and its own picture unchanged.

#include "LcdTestSupport.h"
#include "lcd/ChannelLcdLayout.h"
#include "lcd/DotGrid.h"
#include "lcd/LCDLabel.h"
#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <functional>

using lcd::DotGrid;
using lcd::TLCDLabel;
using lcdtest::Fixture;
using lcdtest::paintedCell;
using ui::Raster;
using ui::TColor;

namespace {

const TColor kOff = 0xAAAAAA;
const TColor kSilver = 0xC0C0C0;
const TColor kBlack = 0;

struct ChannelLcd : Fixture {
    ChannelLcd() { lcd::applyChannelLcdLayout(label); }

    // The picture a window at `dpi` shows on the display's scaled area.
    Raster atScale(int dpi) const
    {
        const ui::Box area = ui::scaleBox(label.boundsRect(), dpi);
        return label.screenPicture(label.surface(), dpi, area.width(), area.height());
    }
    DotGrid grid(int dpi) const
    {
        const ui::Box area = ui::scaleBox(label.boundsRect(), dpi);
        return lcd::scaledGrid(label.dotLayout(), dpi, area.width(), area.height());
    }
};

// Layouts of every kind, each applied to a new control.
const std::vector<std::pair<const char*, std::function<void(TLCDLabel&)>>>& layouts()
{
    static const std::vector<std::pair<const char*, std::function<void(TLCDLabel&)>>> all = {
        {"new control", [](TLCDLabel&) {}},
        {"ChannelLCD", [](TLCDLabel& l) { lcd::applyChannelLcdLayout(l); }},
        {"Hitachi2, 2 lines",
         [](TLCDLabel& l) {
             lcd::applyChannelLcdLayout(l);
             l.setDotMatrix(lcd::TDotMatrix::Hitachi2);
             l.setTextLines(2);
         }},
        {"single pixels, no gaps",
         [](TLCDLabel& l) {
             l.setPixelSize(lcd::TPixelSize::pix1x1);
             l.setPixelSpacing(0);
             l.setCharSpacing(0);
             l.setBorderSpace(0);
         }},
        {"5 x 3 dots, wide margins",
         [](TLCDLabel& l) {
             l.setPixelSize(lcd::TPixelSize::pixCustom);
             l.setPixelWidth(5);
             l.setPixelHeight(3);
             l.setPixelSpacing(2);
             l.setBorderSpace(9);
             l.setNoOfChars(4);
         }},
    };
    return all;
}

} // namespace

TEST(LCDScreen, AtDesignSizeTheGridIsTheLayoutsOwn)
{
    for (const auto& [name, apply] : layouts()) {
        Fixture f;
        apply(f.label);
        f.label.Paint();
        const lcd::DotLayout layout = f.label.dotLayout();
        EXPECT_EQ(lcd::scaledGrid(layout, 96, f.label.width(), f.label.height()), layout.design)
            << name;
        EXPECT_EQ(f.label.screenPicture(f.label.surface(), 96, f.label.width(), f.label.height()),
                  f.label.surface())
            << name;
    }
}

TEST(LCDScreen, ChannelLcdDotsAtEveryScale)
{
    struct Case {
        int dpi;
        DotGrid grid;
    };
    // Frame, dot width and height, dot steps, cell steps, origin: dots rounded down at
    // halves, cells spaced as the design scaled, the cells centred inside the frame.
    const Case cases[] = {
        {96, {1, 2, 2, 3, 3, 16, 22, 4, 4}},  {120, {1, 2, 2, 3, 3, 20, 28, 7, 7}},
        {144, {1, 3, 3, 4, 4, 24, 33, 7, 7}}, {168, {1, 3, 3, 5, 5, 28, 39, 8, 8}},
        {192, {2, 4, 4, 6, 6, 32, 44, 8, 8}},
    };
    for (const Case& c : cases) {
        ChannelLcd f;
        f.label.setCaption("A");
        EXPECT_EQ(f.grid(c.dpi), c.grid) << c.dpi;
        // The letter's dots, each a square of one colour, on the panel.
        const Raster image = f.atScale(c.dpi);
        const DotGrid& g = c.grid;
        EXPECT_EQ(paintedCell(image, g.originX, g.originY, 5, 7, g.dotStepX, g.dotStepY, kBlack),
                  ".###. #...# #...# #...# ##### #...# #...#")
            << c.dpi;
        for (int y = 0; y < g.dotHeight; ++y)
            for (int x = 0; x < g.dotWidth; ++x) {
                EXPECT_EQ(image.pixel(g.originX + x, g.originY + y), kOff) << c.dpi;
                EXPECT_EQ(image.pixel(g.originX + g.dotStepX + x, g.originY + y), kBlack) << c.dpi;
            }
        EXPECT_EQ(image.pixel(g.originX + g.dotWidth, g.originY), kSilver) << c.dpi;
        // The model and its own picture stay at design size.
        EXPECT_EQ(f.label.width(), 246);
        EXPECT_EQ(f.label.surface().width(), 246);
        EXPECT_EQ(f.label.NoOfChars(), 15);
    }
}

TEST(LCDScreen, AtTwiceTheDesignDpiThePictureIsTheDesignsEnlarged)
{
    for (lcd::TMyBorder style : {lcd::TMyBorder::frRaised, lcd::TMyBorder::frLowered,
                                 lcd::TMyBorder::frSingle, lcd::TMyBorder::frNone}) {
        ChannelLcd f;
        f.label.setBorderColor(0x123456);
        f.label.setBorderStyle(style);
        f.label.setCaption("Lobby Chat #1");
        EXPECT_TRUE(f.atScale(192) == f.label.surface().resized(492, 56)) << int(style);
    }
}

TEST(LCDScreen, EveryDotLiesInsideTheFrameAtEveryScale)
{
    for (const auto& [name, apply] : layouts()) {
        for (int dpi : {96, 120, 144, 168, 192, 288}) {
            Fixture f;
            apply(f.label);
            f.label.Paint();
            const ui::Box area = ui::scaleBox(f.label.boundsRect(), dpi);
            const lcd::DotLayout layout = f.label.dotLayout();
            const DotGrid g = lcd::scaledGrid(layout, dpi, area.width(), area.height());
            const int right = g.originX + (layout.chars - 1) * g.cellStepX +
                              (layout.cols - 1) * g.dotStepX + g.dotWidth;
            const int bottom = g.originY + (layout.lines - 1) * g.cellStepY +
                               (layout.rows - 1) * g.dotStepY + g.dotHeight;
            EXPECT_GE(g.originX, g.frame) << name << " at " << dpi;
            EXPECT_GE(g.originY, g.frame) << name << " at " << dpi;
            EXPECT_LE(right, area.width() - g.frame) << name << " at " << dpi;
            EXPECT_LE(bottom, area.height() - g.frame) << name << " at " << dpi;
            // Square design dots stay square; dots never shrink below the design's.
            if (layout.design.dotWidth == layout.design.dotHeight) {
                EXPECT_EQ(g.dotWidth, g.dotHeight) << name << " at " << dpi;
            }
            EXPECT_GE(g.dotWidth, layout.design.dotWidth) << name << " at " << dpi;
            // Cells stay apart at least as far as dots within a cell, where the design has it.
            const int cellGap = g.cellStepX - ((layout.cols - 1) * g.dotStepX + g.dotWidth);
            const int dotGap = g.dotStepX - g.dotWidth;
            if (layout.design.cellStepX -
                    ((layout.cols - 1) * layout.design.dotStepX + layout.design.dotWidth) >
                layout.design.dotStepX - layout.design.dotWidth) {
                EXPECT_GT(cellGap, dotGap) << name << " at " << dpi;
            }
        }
    }
}

TEST(LCDScreen, HiddenAndDisabledAtScale)
{
    ChannelLcd f;
    f.label.setCaption("ABC");
    f.label.setEnabled(false);
    Raster image = f.atScale(144);
    EXPECT_EQ(image.pixel(7, 7), kSilver); // no dots at all
    EXPECT_EQ(image.pixel(0, 0), ui::headlessSystemColor(16));
    f.label.setEnabled(true);
    f.label.setVisible(false);
    image = f.atScale(144);
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            ASSERT_EQ(image.pixel(x, y), ui::headlessSystemColor(15));
}
