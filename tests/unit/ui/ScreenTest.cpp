// Display scaling and the placement of windows on the screen.

#include "ui/Screen.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

TEST(Screen, LengthsScaleToTheNearestPixelAndBack)
{
    struct Case {
        int value;
        int dpi;
        int scaled;
    };
    const Case cases[] = {
        {246, 96, 246}, {246, 120, 308}, {246, 144, 369}, {246, 192, 492},
        {71, 144, 107}, {1, 120, 1},     {2, 120, 3},     {3, 144, 5},
        {-3, 144, -5},  {0, 192, 0},     {13, 0, 13}, // no dpi known: design size
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::scaleLength(c.value, c.dpi), c.scaled) << c.value << " at " << c.dpi;
    }
    // Every design length comes back from its scaled one, at every scale of at least 96.
    for (int dpi : {96, 120, 144, 168, 192, 240}) {
        for (int v = -500; v <= 2000; ++v) {
            ASSERT_EQ(ui::unscaleLength(ui::scaleLength(v, dpi), dpi), v) << v << " at " << dpi;
        }
    }
}

TEST(Screen, NeighboursStayNeighboursAtEveryScale)
{
    for (int dpi : {96, 120, 144, 168, 192}) {
        // Boxes that touch at design size touch at every scale, and a row of them ends where
        // the whole row scaled ends: no rounding adds up along it.
        int right = 0;
        for (int i = 0; i < 15; ++i) {
            const ui::Box cell = ui::scaleBox({i * 16, 0, i * 16 + 16, 20}, dpi);
            EXPECT_EQ(cell.left, right) << dpi;
            right = cell.right;
        }
        EXPECT_EQ(right, ui::scaleLength(240, dpi));
        // The settings dialog's name field and "+" (4 and 132, 125 and 21 wide): the gap
        // between them is the design's scaled, within a pixel.
        const ui::Box name = ui::scaleBox({4, 308, 129, 329}, dpi);
        const ui::Box plus = ui::scaleBox({132, 308, 153, 329}, dpi);
        EXPECT_LT(std::abs((plus.left - name.right) * 96 - 3 * dpi), 96) << dpi;
        EXPECT_EQ(plus.width(), ui::scaleLength(153, dpi) - ui::scaleLength(132, dpi));
    }
}

TEST(Screen, FormsAreCentredAndKeptInsideTheWorkArea)
{
    const ui::Box screen{0, 0, 1280, 1024};
    struct Case {
        ui::Box window;
        ui::Box placed;
    };
    const Case cases[] = {
        // Centred over a main window in the top-left corner, the settings dialog began at
        // (-98, -139): moved in, never cut.
        {{-98, -139, 351, 251}, {0, 0, 449, 390}},
        {{100, 100, 549, 490}, {100, 100, 549, 490}},      // inside: left alone
        {{1000, 900, 1449, 1290}, {831, 634, 1280, 1024}}, // beyond the bottom-right corner
        {{-50, 10, 1350, 200}, {0, 10, 1400, 200}},        // wider than the area: at its left
    };
    for (const Case& c : cases) {
        const ui::Box got = ui::keptInside(c.window, screen);
        EXPECT_EQ(got, c.placed) << c.window.left << ", " << c.window.top;
        EXPECT_EQ(got.width(), c.window.width());
        EXPECT_EQ(got.height(), c.window.height());
    }
    // A work area that does not start at the origin (a task bar on the left or top).
    EXPECT_EQ(ui::keptInside({-98, -139, 351, 251}, {40, 30, 1280, 1024}),
              (ui::Box{40, 30, 489, 420}));
    EXPECT_EQ(ui::centredOver({10, 10, 262, 122}, 449, 390), (ui::Box{-88, -129, 361, 261}));
}

} // namespace
