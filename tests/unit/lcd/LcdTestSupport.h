#pragma once
// Helpers shared by the LCD tests: temporary folders, font files, a surface that keeps the
// pictures, and glyph dumps as rows of '#' and '.'.

#include "lcd/LCDLabel.h"
#include "lcd/Matrix.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lcdtest {

// A new empty folder, removed with its contents on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

private:
    std::filesystem::path m_path;
};

void writeBytes(const std::string& path, const std::string& bytes);

// A font file: the header as four little-endian 32-bit integers, then `glyphBytes`.
std::string fontFileBytes(std::int32_t cols, std::int32_t rows, std::int32_t first,
                          std::int32_t last, const std::string& glyphBytes = {});
// Glyph bytes in the file's encoding from rows of '#' (lit, 0) and '.' (unlit, 1).
std::string fontGlyph(const std::vector<std::string>& rows);

// Keeps every picture the control hands over.
class RecordingSurface final : public lcd::LcdSurface {
public:
    void copyFrom(const lcd::PixelImage& image, int width, int height) override
    {
        last = image;
        lastWidth = width;
        lastHeight = height;
        ++paints;
    }
    std::optional<lcd::PixelImage> last;
    int lastWidth = 0;
    int lastHeight = 0;
    int paints = 0;
};

// A control wired to a recording surface and an error box that collects the messages.
struct Fixture {
    Fixture();
    lcd::TLCDLabel label;
    RecordingSurface surface;
    std::vector<std::string> errors;
    const lcd::PixelImage& image() const { return *surface.last; }
};

// A glyph of a built-in table as rows of '#' and '.' joined by spaces.
std::string tableGlyph(const lcd::GlyphTable& table, int code);
// The dots of the cell at (x0, y0) of a painted image: '#' where the dot's top-left pixel has
// colour `lit`, '.' otherwise; rows joined by spaces.
std::string paintedCell(const lcd::PixelImage& image, int x0, int y0, int cols, int rows,
                        int stepX, int stepY, lcd::TColor lit);

} // namespace lcdtest
