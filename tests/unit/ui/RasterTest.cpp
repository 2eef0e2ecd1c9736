#include "ui/Raster.h"
#include "ui/Backend.h"
#include "ui/Text.h"
#include "ui/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace {

using ui::Box;
using ui::Point;
using ui::Raster;

constexpr ui::TColor ink = ui::clRed;     // drawn as '#'
constexpr ui::TColor fill = ui::clBlue;   // drawn as 'o'
constexpr ui::TColor paper = ui::clWhite; // drawn as '.'

// The image as rows of characters, one line per row.
std::string picture(const Raster& r)
{
    std::string out;
    for (int y = 0; y < r.height(); ++y) {
        for (int x = 0; x < r.width(); ++x) {
            const std::uint32_t p = r.pixel(x, y);
            out += p == ui::colorToRgb(ink)     ? '#'
                   : p == ui::colorToRgb(fill)  ? 'o'
                   : p == ui::colorToRgb(paper) ? '.'
                                                : '?';
        }
        out += '\n';
    }
    return out;
}

TEST(Raster, DrawingOperationsCoverTheirBoxesTopLeftIncludedBottomRightExcluded)
{
    struct Case {
        const char* what;
        std::function<void(Raster&)> draw;
        const char* expected;
    };
    const Case cases[] = {
        {"fill",
         [](Raster& r) {
             r.fillRect({1, 1, 4, 3}, ink);
         },
         "......\n.###..\n.###..\n......\n......\n"},
        {"empty fill",
         [](Raster& r) {
             r.fillRect({3, 1, 3, 4}, ink);
         },
         "......\n......\n......\n......\n......\n"},
        {"frame",
         [](Raster& r) {
             r.frameRect({0, 0, 5, 4}, ink);
         },
         "#####.\n#...#.\n#...#.\n#####.\n......\n"},
        {"frame one wide",
         [](Raster& r) {
             r.frameRect({2, 1, 3, 4}, ink);
         },
         "......\n..#...\n..#...\n..#...\n......\n"},
        {"polyline corner, last point left out",
         [](Raster& r) {
             r.polyline({{5, 0}, {0, 0}, {0, 5}}, ink);
         },
         "######\n#.....\n#.....\n#.....\n#.....\n"},
        {"polyline end point left out",
         [](Raster& r) {
             r.polyline({{1, 1}, {4, 1}}, ink);
         },
         "......\n.###..\n......\n......\n......\n"},
        {"diagonal",
         [](Raster& r) {
             r.polyline({{0, 0}, {4, 4}}, ink);
         },
         "#.....\n.#....\n..#...\n...#..\n......\n"},
        {"single point draws nothing",
         [](Raster& r) {
             r.polyline({{2, 2}}, ink);
         },
         "......\n......\n......\n......\n......\n"},
        {"rectangle",
         [](Raster& r) {
             r.rectangle({0, 0, 4, 4}, ink, fill);
         },
         "####..\n#oo#..\n#oo#..\n####..\n......\n"},
        {"ellipse 3x3 is a plus",
         [](Raster& r) {
             r.ellipse({1, 1, 4, 4}, ink, ink);
         },
         "......\n..#...\n.###..\n..#...\n......\n"},
        {"ellipse 2x2 is full",
         [](Raster& r) {
             r.ellipse({0, 0, 2, 2}, ink, fill);
         },
         "##....\n##....\n......\n......\n......\n"},
        {"ellipse 5x5",
         [](Raster& r) {
             r.ellipse({0, 0, 5, 5}, ink, fill);
         },
         ".###..\n#ooo#.\n#ooo#.\n#ooo#.\n.###..\n"},
        {"pixel", [](Raster& r) { r.setPixel(5, 4, ink); },
         "......\n......\n......\n......\n.....#\n"},
        {"clipped",
         [](Raster& r) {
             r.fillRect({-3, -3, 2, 1}, ink);
             r.setPixel(6, 0, ink);
             r.setPixel(-1, 2, ink);
             r.frameRect({4, 3, 9, 9}, ink);
         },
         "##....\n......\n......\n....##\n....#.\n"},
    };
    for (const Case& c : cases) {
        Raster r(6, 5);
        r.fillRect(r.bounds(), paper);
        c.draw(r);
        EXPECT_EQ(picture(r), c.expected) << c.what;
    }
}

TEST(Raster, LinesFarOutsideTheImageAreClippedNotWalked)
{
    Raster r(4, 3);
    r.fillRect(r.bounds(), paper);
    r.polyline({{INT32_MIN, 1}, {INT32_MAX, 1}}, ink);
    r.polyline({{-2000000000, -2000000000}, {2000000000, 2000000000}}, ink);
    EXPECT_EQ(picture(r), "#...\n####\n..#.\n");
    r.ellipse({INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, fill, fill);
    EXPECT_EQ(picture(r), "oooo\noooo\noooo\n");
}

TEST(Raster, SystemColoursComeFromTheInstalledBackend)
{
    ui::headless::HeadlessBackend backend;
    struct Case {
        ui::TColor color;
        std::uint32_t rgb;
    };
    const Case cases[] = {
        {ui::clBtnFace, 0xF0F0F0},
        {ui::clBtnShadow, 0xA0A0A0},
        {ui::clBtnHighlight, 0xFFFFFF},
        {0x00AAAAAA, 0xAAAAAA},
        {0x0000007F, 0x00007F},
        {0x02123456, 0x123456},
        {0x80000100, 0},
        {0x800000FF, 0},
    };
    Raster r(1, 1);
    for (const Case& c : cases) {
        r.setPixel(0, 0, c.color);
        EXPECT_EQ(r.pixel(0, 0), c.rgb) << std::hex << c.color;
    }
}

TEST(Raster, BadSizesAndPixelsAreRefusedClearly)
{
    EXPECT_EQ(Raster(-5, 3).width(), 0);
    EXPECT_EQ(Raster(-5, 3).pixels().size(), 0u);
    try {
        Raster huge(20000, 20000);
        FAIL() << "a 400-megapixel image was made";
    } catch (const ui::Error& e) {
        EXPECT_STREQ(e.what(), "Not enough memory for an image of 20000 x 20000 pixels");
    }
    EXPECT_THROW(Raster(Raster::maxSide + 1, 1), ui::Error);
    Raster r(2, 2);
    EXPECT_THROW(r.pixel(2, 0), std::out_of_range);
    EXPECT_THROW(r.pixel(0, -1), std::out_of_range);
}

TEST(Raster, CroppedKeepsTheTopLeftPart)
{
    Raster r(4, 3);
    r.fillRect(r.bounds(), paper);
    r.setPixel(1, 1, ink);
    r.setPixel(3, 2, ink);
    EXPECT_EQ(picture(r.cropped(2, 2)), "..\n.#\n");
    EXPECT_EQ(picture(r.cropped(9, 9)), picture(r));
}

TEST(Raster, ResizedTakesThePixelUnderEachCentreWithoutSmoothing)
{
    Raster r(3, 2);
    r.fillRect(r.bounds(), paper);
    r.setPixel(0, 0, ink);
    r.setPixel(2, 1, ink);
    EXPECT_EQ(picture(r.resized(3, 2)), picture(r));
    // A whole factor makes every pixel a square block.
    EXPECT_EQ(picture(r.resized(6, 4)), "##....\n##....\n....##\n....##\n");
    // One and a half: some pixels take one column, some two; nothing is blended.
    EXPECT_EQ(picture(r.resized(5, 3)), "##...\n...##\n...##\n");
    // Shrunk: the pixel under each new pixel's centre.
    EXPECT_EQ(picture(r.resized(2, 1)), ".#\n");
    EXPECT_EQ(Raster().resized(2, 2).pixel(1, 1), 0u);
}

} // namespace
