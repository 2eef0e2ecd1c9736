#include "lcd/DotGrid.h"

#include "ui/Screen.h"

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <utility>

namespace lcd {

namespace {

// value × dpi / 96, rounded to the nearest integer with halves rounded down.
int scaledDown(int value, int dpi)
{
    const std::int64_t twice = 2 * std::int64_t(value) * dpi;
    return int((twice + ui::kDesignDpi - 1) / (2 * std::int64_t{ui::kDesignDpi}));
}

struct Axis {
    int dot;
    int dotStep;
    int cellStep;
    int origin;
    bool fits;
};

// One direction of the grid: `dots` dots to a cell, `cells` cells, on `area` pixels with a
// frame of `frame` pixels on both sides. `whole`: the design's sizes enlarged by the scale's
// whole steps instead.
Axis scaledAxis(int dot, int dotStep, int cellStep, int dots, int cells, int dpi, int area,
                int frame, bool whole)
{
    const int gap = dotStep - dot;
    const int cell = dots * dot + (dots - 1) * gap;
    const int cellGap = cellStep - cell;
    int d = 0;
    int g = 0;
    int c = 0;
    int step = 0;
    if (whole) {
        const int factor = std::max(1, dpi / ui::kDesignDpi);
        d = dot * factor;
        g = gap * factor;
        c = cell * factor;
        step = cellStep * factor;
    } else {
        d = std::max(1, scaledDown(dot, dpi));
        g = gap > 0 ? std::max(1, scaledDown(gap, dpi)) : 0;
        c = dots * d + (dots - 1) * g;
        step = std::max(ui::scaleLength(cellStep, dpi), c + scaledDown(cellGap, dpi));
    }
    const std::int64_t inner = std::int64_t(area) - 2 * std::int64_t(frame);
    auto extent = [&] { return std::int64_t(cells - 1) * step + c; };
    if (extent() > inner && cells > 1 && !whole) {
        // Closer, as far as the area needs, but never closer than the scaled design gap.
        step = int(std::max<std::int64_t>(c + scaledDown(cellGap, dpi), (inner - c) / (cells - 1)));
    }
    const std::int64_t margin = std::max<std::int64_t>(0, (inner - extent()) / 2);
    return {d, d + g, step, int(frame + margin), extent() <= inner};
}

} // namespace

DotGrid scaledGrid(const DotLayout& layout, int dpi, int width, int height)
{
    const DotGrid& design = layout.design;
    const int frame = std::max(1, dpi / ui::kDesignDpi);
    auto axes = [&](bool whole) {
        return std::pair{scaledAxis(design.dotWidth, design.dotStepX, design.cellStepX, layout.cols,
                                    layout.chars, dpi, width, frame, whole),
                         scaledAxis(design.dotHeight, design.dotStepY, design.cellStepY,
                                    layout.rows, layout.lines, dpi, height, frame, whole)};
    };
    auto [x, y] = axes(false);
    if (!x.fits || !y.fits) {
        // Both directions alike, so that square dots stay square.
        std::tie(x, y) = axes(true);
    }
    return {frame, x.dot, y.dot, x.dotStep, y.dotStep, x.cellStep, y.cellStep, x.origin, y.origin};
}

} // namespace lcd
