#include "lcd/PixelImage.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>

namespace lcd {

PixelImage::PixelImage(int width, int height, TColor fill)
    : m_width(std::max(width, 0)), m_height(std::max(height, 0))
{
    if (m_width > kMaxExtent || m_height > kMaxExtent)
        throw std::length_error("The display is too large to draw.");
    m_pixels.assign(std::size_t(m_width) * std::size_t(m_height), fill);
}

TColor PixelImage::pixel(int x, int y) const
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return 0;
    return m_pixels[std::size_t(y) * m_width + x];
}

void PixelImage::setPixel(int x, int y, TColor color)
{
    if (x < 0 || y < 0 || x >= m_width || y >= m_height)
        return;
    m_pixels[std::size_t(y) * m_width + x] = color;
}

void PixelImage::fillRect(int x1, int y1, int x2, int y2, TColor color)
{
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, m_width);
    y2 = std::min(y2, m_height);
    for (int y = y1; y < y2; ++y) {
        TColor* row = m_pixels.data() + std::size_t(y) * m_width;
        std::fill(row + x1, row + std::max(x1, x2), color);
    }
}

void PixelImage::frameRect(int x1, int y1, int x2, int y2, TColor color)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    fillRect(x1, y1, x2, y1 + 1, color);
    fillRect(x1, y2 - 1, x2, y2, color);
    fillRect(x1, y1, x1 + 1, y2, color);
    fillRect(x2 - 1, y1, x2, y2, color);
}

void PixelImage::polyline(std::span<const Point> points, TColor color)
{
    for (std::size_t i = 1; i < points.size(); ++i)
        line(points[i - 1], points[i], color);
}

// Bresenham's line from `from` up to, but not including, `to`.
void PixelImage::line(Point from, Point to, TColor color)
{
    int dx = std::abs(to.x - from.x);
    int dy = -std::abs(to.y - from.y);
    int sx = from.x < to.x ? 1 : -1;
    int sy = from.y < to.y ? 1 : -1;
    int err = dx + dy;
    int x = from.x;
    int y = from.y;
    while (x != to.x || y != to.y) {
        setPixel(x, y, color);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

void PixelImage::ellipse(int x1, int y1, int x2, int y2, TColor color)
{
    if (x2 <= x1 || y2 <= y1)
        return;
    std::int64_t w = std::int64_t(x2) - x1;
    std::int64_t h = std::int64_t(y2) - y1;
    if (w > kMaxExtent || h > kMaxExtent) {
        // Larger than any image; nothing of its roundness could be seen.
        fillRect(x1, y1, x2, y2, color);
        return;
    }
    // In units of a quarter pixel, a pixel centre lies (4x + 2 − 2w) / 4 from the box centre
    // and the shortened half-axis is (2w − 1) / 4. The test (dx / rx)² + (dy / ry)² ≤ 1 is
    // done in unsigned 64-bit integers, multiplied out; with sides of at most 32767 pixels no
    // term can overflow.
    const std::uint64_t rx = std::uint64_t(2 * w - 1);
    const std::uint64_t ry = std::uint64_t(2 * h - 1);
    const std::uint64_t limit = rx * rx * ry * ry;
    for (std::int64_t y = 0; y < h; ++y) {
        std::int64_t py = y1 + y;
        if (py < 0 || py >= m_height)
            continue;
        std::uint64_t dy = std::uint64_t(std::abs(4 * y + 2 - 2 * h));
        std::uint64_t dyTerm = dy * dy * rx * rx;
        if (dyTerm > limit)
            continue;
        for (std::int64_t x = 0; x < w; ++x) {
            std::uint64_t dx = std::uint64_t(std::abs(4 * x + 2 - 2 * w));
            if (dx * dx * ry * ry <= limit - dyTerm)
                setPixel(int(x1 + x), int(py), color);
        }
    }
}

std::string encodePpm(const PixelImage& image, int width, int height)
{
    width = std::clamp(width, 0, image.width());
    height = std::clamp(height, 0, image.height());
    std::string out = "P6\n" + std::to_string(width) + " " + std::to_string(height) + "\n255\n";
    out.reserve(out.size() + std::size_t(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            TColor c = image.pixel(x, y);
            out += char(c & 0xFF);
            out += char((c >> 8) & 0xFF);
            out += char((c >> 16) & 0xFF);
        }
    }
    return out;
}

std::string encodePpm(const PixelImage& image)
{
    return encodePpm(image, image.width(), image.height());
}

} // namespace lcd
