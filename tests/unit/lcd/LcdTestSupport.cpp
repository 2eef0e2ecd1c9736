#include "LcdTestSupport.h"

#include <fstream>
#include <stdexcept>

namespace lcdtest {

std::string fontFileBytes(std::int32_t cols, std::int32_t rows, std::int32_t first,
                          std::int32_t last, const std::string& glyphBytes)
{
    std::string out;
    for (std::int32_t v : {cols, rows, first, last}) {
        auto u = static_cast<std::uint32_t>(v);
        for (int i = 0; i < 4; ++i)
            out += char((u >> (8 * i)) & 0xFF);
    }
    return out + glyphBytes;
}

std::string fontGlyph(const std::vector<std::string>& rows)
{
    std::string out;
    for (const auto& row : rows)
        for (char dot : row)
            out += char(dot == '#' ? 0 : 1);
    return out;
}

std::vector<std::string> Fixture::errors() const
{
    std::vector<std::string> texts;
    for (const auto& box : backend.messageBoxes()) {
        texts.push_back(box.text);
        if (box.caption != "Error" || box.icon != ui::MessageIcon::Error ||
            box.buttons != ui::MessageButtons::Ok)
            texts.push_back("(not an error box: " + box.caption + ")");
    }
    return texts;
}

std::string tableGlyph(const lcd::GlyphTable& table, int code)
{
    std::string out;
    for (int r = 0; r < table.rows; ++r) {
        if (r)
            out += ' ';
        for (int c = 0; c < table.cols; ++c)
            out += table.lit(code, r, c) ? '#' : '.';
    }
    return out;
}

std::string paintedCell(const ui::Raster& image, int x0, int y0, int cols, int rows, int stepX,
                        int stepY, lcd::TColor lit)
{
    std::string out;
    for (int r = 0; r < rows; ++r) {
        if (r)
            out += ' ';
        for (int c = 0; c < cols; ++c)
            out += image.pixel(x0 + c * stepX, y0 + r * stepY) == (lit & 0xFFFFFF) ? '#' : '.';
    }
    return out;
}

} // namespace lcdtest
