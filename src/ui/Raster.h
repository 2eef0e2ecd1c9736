#pragma once
// Raster: an off-screen 32-bit image that graphic controls draw into before presenting it
// on their area in one copy (GraphicControl::present).
//
// Coordinates: x to the right, y down, (0, 0) the top-left pixel. A Box from (left, top) to
// (right, bottom) includes its left column and top row and excludes its right column and
// bottom row, so the box (x, y)-(x + w, y + h) covers exactly w x h pixels. Drawing is
// clipped to the image: anything outside is silently left out. Colours are TColor values;
// system colours are resolved when drawn (colorToRgb), and pixel() returns 0x00BBGGRR.

#include "ui/Color.h"

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

namespace ui {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Box {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool isEmpty() const { return right <= left || bottom <= top; }
    bool contains(Point p) const
    {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    friend bool operator==(const Box&, const Box&) = default;
};

class Raster {
public:
    // The largest image, in pixels, and the largest side.
    static constexpr std::int64_t maxPixels = std::int64_t{1} << 26;
    static constexpr int maxSide = 32768;

    Raster() = default;
    // An image of width x height pixels, all black. A negative size counts as 0. Throws
    // ui::Error ("Not enough memory for an image of %s pixels") beyond maxSide or maxPixels.
    Raster(int width, int height);

    int width() const { return m_width; }
    int height() const { return m_height; }
    Box bounds() const { return {0, 0, m_width, m_height}; }
    // The pixel as 0x00BBGGRR. Throws std::out_of_range outside the image.
    std::uint32_t pixel(int x, int y) const;
    // All pixels, row by row from the top, each 0x00BBGGRR.
    const std::vector<std::uint32_t>& pixels() const { return m_pixels; }

    // Sets one pixel.
    void setPixel(int x, int y, TColor color);
    // Fills the box with the brush colour.
    void fillRect(const Box& box, TColor brush);
    // Draws a one-pixel outline along the inside of the box in the brush colour.
    void frameRect(const Box& box, TColor brush);
    // One-pixel lines from each point to the next, each line without its end point, so the
    // last point of the list is not drawn.
    void polyline(std::span<const Point> points, TColor pen);
    void polyline(std::initializer_list<Point> points, TColor pen)
    {
        polyline(std::span<const Point>(points.begin(), points.size()), pen);
    }
    // A rectangle over the box: one-pixel outline in the pen colour, inside in the brush's.
    void rectangle(const Box& box, TColor pen, TColor brush);
    // The ellipse inscribed in the box: outline in the pen colour, inside in the brush's.
    // A pixel belongs to the ellipse when its centre lies inside the ellipse whose radii are
    // a quarter pixel shorter than the box's half sides, so that small boxes come out round
    // (3 x 3 gives a plus sign) and a 1 x 1 or 2 x 2 box is filled completely.
    void ellipse(const Box& box, TColor pen, TColor brush);

    // The top-left part of the image, width x height pixels (cut to the image).
    Raster cropped(int width, int height) const;
    // The image stretched (or shrunk) to width x height without smoothing: every pixel takes
    // the colour of the pixel of this image under its centre, so a whole-factor enlargement
    // turns each pixel into a square block. An empty image gives a black one.
    Raster resized(int width, int height) const;

    friend bool operator==(const Raster&, const Raster&) = default;

private:
    Box clip(const Box& box) const;
    void put(int x, int y, std::uint32_t rgb);
    void line(Point from, Point to, std::uint32_t rgb);

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};

} // namespace ui
