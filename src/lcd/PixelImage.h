#pragma once
// The off-screen image the LCD control paints into: 32-bit screen colours (0x00BBGGRR),
// with the few drawing operations the paint uses. Boxes run from (x1, y1) included to
// (x2, y2) excluded, so a box from (x, y) to (x + w, y + h) covers w × h pixels. Drawing
// outside the image is clipped.

#include "lcd/Color.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace lcd {

struct Point {
    int x;
    int y;
};

class PixelImage {
public:
    // The largest width or height an image may have; a larger one is refused with
    // std::length_error before anything is allocated.
    static constexpr int kMaxExtent = 32767;

    // A new image with every pixel set to `fill`. Negative sizes count as 0.
    PixelImage(int width, int height, TColor fill = 0);

    int width() const { return m_width; }
    int height() const { return m_height; }
    // The colour at (x, y); 0 outside the image.
    TColor pixel(int x, int y) const;
    std::span<const TColor> pixels() const { return m_pixels; }

    void setPixel(int x, int y, TColor color);
    // Fills the box.
    void fillRect(int x1, int y1, int x2, int y2, TColor color);
    // Draws a one-pixel outline along the inside of the box.
    void frameRect(int x1, int y1, int x2, int y2, TColor color);
    // Draws one-pixel lines through the points; the last point is not drawn.
    void polyline(std::span<const Point> points, TColor color);
    // Fills the ellipse inscribed in the box. A pixel belongs to it when its centre lies
    // inside the ellipse whose half-axes are a quarter pixel shorter than the box's halves,
    // so that 1 × 1 and 2 × 2 boxes fill completely, a 3 × 3 box gives a plus sign and
    // larger boxes give round dots; the same pixels on every platform.
    void ellipse(int x1, int y1, int x2, int y2, TColor color);

private:
    void line(Point from, Point to, TColor color);

    int m_width;
    int m_height;
    std::vector<TColor> m_pixels;
};

// The top-left `width` × `height` pixels of `image` as a binary PPM (P6, maxval 255).
std::string encodePpm(const PixelImage& image, int width, int height);
std::string encodePpm(const PixelImage& image);

} // namespace lcd
