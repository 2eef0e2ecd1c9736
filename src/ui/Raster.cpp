#include "ui/Raster.h"

#include "ui/Text.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <string>

namespace ui {

Raster::Raster(int width, int height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (width > maxSide || height > maxSide ||
        static_cast<std::int64_t>(width) * height > maxPixels) {
        throw Error(formatText(frameworkText(SImageTooLarge),
                               std::to_string(width) + " x " + std::to_string(height)));
    }
    m_width = width;
    m_height = height;
    m_pixels.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height), 0);
}

std::uint32_t Raster::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height) {
        throw std::out_of_range("pixel (" + std::to_string(x) + ", " + std::to_string(y) +
                                ") outside a " + std::to_string(m_width) + " x " +
                                std::to_string(m_height) + " image");
    }
    return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                    static_cast<std::size_t>(x)];
}

void Raster::put(int x, int y, std::uint32_t rgb)
{
    if (x >= 0 && y >= 0 && x < m_width && y < m_height) {
        m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                 static_cast<std::size_t>(x)] = rgb;
    }
}

Box Raster::clip(const Box& box) const
{
    return {std::max(box.left, 0), std::max(box.top, 0), std::min(box.right, m_width),
            std::min(box.bottom, m_height)};
}

void Raster::setPixel(int x, int y, TColor color)
{
    put(x, y, colorToRgb(color));
}

void Raster::fillRect(const Box& box, TColor brush)
{
    const Box c = clip(box);
    if (c.isEmpty()) {
        return;
    }
    const std::uint32_t rgb = colorToRgb(brush);
    for (int y = c.top; y < c.bottom; ++y) {
        auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
        std::fill(row + c.left, row + c.right, rgb);
    }
}

void Raster::frameRect(const Box& box, TColor brush)
{
    if (box.isEmpty()) {
        return;
    }
    fillRect({box.left, box.top, box.right, box.top + 1}, brush);
    fillRect({box.left, box.bottom - 1, box.right, box.bottom}, brush);
    fillRect({box.left, box.top, box.left + 1, box.bottom}, brush);
    fillRect({box.right - 1, box.top, box.right, box.bottom}, brush);
}

void Raster::line(Point from, Point to, std::uint32_t rgb)
{
    std::int64_t x0 = from.x, y0 = from.y, x1 = to.x, y1 = to.y;
    const std::int64_t steps = std::max(std::llabs(x1 - x0), std::llabs(y1 - y0));
    if (steps > 4 * static_cast<std::int64_t>(maxSide)) {
        // A very long line: clip it to the image (with a margin) first, so that the walk
        // below stays short. Only lines far outside the image take this path.
        double t0 = 0.0, t1 = 1.0;
        const double ddx = static_cast<double>(x1 - x0), ddy = static_cast<double>(y1 - y0);
        auto clipEdge = [&](double p, double q) {
            if (p == 0.0) {
                return q >= 0.0;
            }
            const double r = q / p;
            if (p < 0.0) {
                t0 = std::max(t0, r);
            } else {
                t1 = std::min(t1, r);
            }
            return t0 <= t1;
        };
        const double lo = -2.0, hx = m_width + 2.0, hy = m_height + 2.0;
        if (!clipEdge(-ddx, static_cast<double>(x0) - lo) ||
            !clipEdge(ddx, hx - static_cast<double>(x0)) ||
            !clipEdge(-ddy, static_cast<double>(y0) - lo) ||
            !clipEdge(ddy, hy - static_cast<double>(y0))) {
            return;
        }
        const std::int64_t nx0 = static_cast<std::int64_t>(static_cast<double>(x0) + t0 * ddx);
        const std::int64_t ny0 = static_cast<std::int64_t>(static_cast<double>(y0) + t0 * ddy);
        const std::int64_t nx1 = static_cast<std::int64_t>(static_cast<double>(x0) + t1 * ddx);
        const std::int64_t ny1 = static_cast<std::int64_t>(static_cast<double>(y0) + t1 * ddy);
        x0 = nx0, y0 = ny0, x1 = nx1, y1 = ny1;
    }
    // Bresenham's line from (x0, y0) towards (x1, y1), leaving out the end point itself.
    const std::int64_t dx = std::llabs(x1 - x0);
    const std::int64_t dy = -std::llabs(y1 - y0);
    const std::int64_t sx = x0 < x1 ? 1 : -1;
    const std::int64_t sy = y0 < y1 ? 1 : -1;
    std::int64_t err = dx + dy;
    while (x0 != x1 || y0 != y1) {
        if (x0 >= 0 && y0 >= 0 && x0 < m_width && y0 < m_height) {
            put(static_cast<int>(x0), static_cast<int>(y0), rgb);
        }
        const std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Raster::polyline(std::span<const Point> points, TColor pen)
{
    const std::uint32_t rgb = colorToRgb(pen);
    for (std::size_t i = 1; i < points.size(); ++i) {
        line(points[i - 1], points[i], rgb);
    }
}

void Raster::rectangle(const Box& box, TColor pen, TColor brush)
{
    if (box.isEmpty()) {
        return;
    }
    fillRect({box.left + 1, box.top + 1, box.right - 1, box.bottom - 1}, brush);
    frameRect(box, pen);
}

void Raster::ellipse(const Box& box, TColor pen, TColor brush)
{
    if (box.isEmpty()) {
        return;
    }
    const double left = box.left, top = box.top, right = box.right, bottom = box.bottom;
    const double cx = (left + right) / 2.0;
    const double cy = (top + bottom) / 2.0;
    const double rx = std::max((right - left) / 2.0 - 0.25, 0.5);
    const double ry = std::max((bottom - top) / 2.0 - 0.25, 0.5);
    auto inside = [&](int x, int y) {
        if (!box.contains({x, y})) {
            return false;
        }
        const double u = (x + 0.5 - cx) / rx;
        const double v = (y + 0.5 - cy) / ry;
        return u * u + v * v <= 1.0;
    };
    const std::uint32_t penRgb = colorToRgb(pen);
    const std::uint32_t brushRgb = colorToRgb(brush);
    const Box c = clip(box);
    for (int y = c.top; y < c.bottom; ++y) {
        for (int x = c.left; x < c.right; ++x) {
            if (!inside(x, y)) {
                continue;
            }
            const bool edge =
                !inside(x - 1, y) || !inside(x + 1, y) || !inside(x, y - 1) || !inside(x, y + 1);
            put(x, y, edge ? penRgb : brushRgb);
        }
    }
}

Raster Raster::cropped(int width, int height) const
{
    Raster out(std::min(width, m_width), std::min(height, m_height));
    for (int y = 0; y < out.m_height; ++y) {
        auto from = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
        std::copy(from, from + out.m_width,
                  out.m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * out.m_width);
    }
    return out;
}

Raster Raster::resized(int width, int height) const
{
    Raster out(width, height);
    if (m_width == 0 || m_height == 0) {
        return out;
    }
    for (int y = 0; y < out.m_height; ++y) {
        const auto from = static_cast<int>((2 * std::int64_t(y) + 1) * m_height /
                                           (2 * std::int64_t(out.m_height)));
        for (int x = 0; x < out.m_width; ++x) {
            const auto column = static_cast<int>((2 * std::int64_t(x) + 1) * m_width /
                                                 (2 * std::int64_t(out.m_width)));
            out.put(x, y, pixel(column, from));
        }
    }
    return out;
}

} // namespace ui
