#include "ui/Screen.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <limits>

namespace ui {

namespace {

// value × numerator / denominator, rounded to the nearest integer, halves away from zero,
// cut to the range of int.
int mulDivRound(int value, int numerator, int denominator)
{
    const std::int64_t product = std::int64_t(value) * numerator;
    const std::int64_t magnitude = (std::llabs(product) + denominator / 2) / denominator;
    const std::int64_t result = product < 0 ? -magnitude : magnitude;
    return int(std::clamp<std::int64_t>(result, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

int effectiveDpi(int dpi)
{
    return dpi > 0 ? dpi : kDesignDpi;
}

} // namespace

int scaleLength(int value, int dpi)
{
    return mulDivRound(value, effectiveDpi(dpi), kDesignDpi);
}

int unscaleLength(int value, int dpi)
{
    return mulDivRound(value, kDesignDpi, effectiveDpi(dpi));
}

Point scalePoint(Point point, int dpi)
{
    return {scaleLength(point.x, dpi), scaleLength(point.y, dpi)};
}

Point unscalePoint(Point point, int dpi)
{
    return {unscaleLength(point.x, dpi), unscaleLength(point.y, dpi)};
}

Box scaleBox(const Box& box, int dpi)
{
    return {scaleLength(box.left, dpi), scaleLength(box.top, dpi), scaleLength(box.right, dpi),
            scaleLength(box.bottom, dpi)};
}

Box centredOver(const Box& over, int width, int height)
{
    const int left = over.left + (over.width() - width) / 2;
    const int top = over.top + (over.height() - height) / 2;
    return {left, top, left + width, top + height};
}

Box keptInside(const Box& window, const Box& workArea)
{
    auto place = [](int start, int size, int areaStart, int areaEnd) {
        if (size >= areaEnd - areaStart) {
            return areaStart;
        }
        return std::clamp(start, areaStart, areaEnd - size);
    };
    const int width = window.width();
    const int height = window.height();
    const int left = place(window.left, width, workArea.left, workArea.right);
    const int top = place(window.top, height, workArea.top, workArea.bottom);
    return {left, top, left + width, top + height};
}

} // namespace ui
