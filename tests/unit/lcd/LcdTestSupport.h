#pragma once
// Helpers shared by the LCD tests: temporary folders, font files, a surface that keeps the
// pictures, and glyph dumps as rows of '#' and '.'.

#include "lcd/LCDLabel.h"
#include "lcd/Matrix.h"
#include "ui/headless/HeadlessBackend.h"

#include "TestFiles.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace lcdtest {

using TempDir = testsupport::TempFolder;
using testsupport::writeBytes;

// A font file: the header as four little-endian 32-bit integers, then `glyphBytes`.
std::string fontFileBytes(std::int32_t cols, std::int32_t rows, std::int32_t first,
                          std::int32_t last, const std::string& glyphBytes = {});
// Glyph bytes in the file's encoding from rows of '#' (lit, 0) and '.' (unlit, 1).
std::string fontGlyph(const std::vector<std::string>& rows);

// A control made without owner, with a headless backend that records its error boxes.
struct Fixture {
    ui::headless::HeadlessBackend backend;
    ui::ComponentPtr<lcd::TLCDLabel> owned = ui::makeComponent<lcd::TLCDLabel>(nullptr);
    lcd::TLCDLabel& label = *owned;

    // The texts of the error boxes shown so far; each must have had the title "Error", the
    // error icon and the OK button.
    std::vector<std::string> errors() const;
    // The pictures presented since the control was made.
    int paints() const { return int(label.presentCount()); }
    // What the control's area shows.
    const ui::Raster& image() const { return label.surface(); }
};

// A glyph of a built-in table as rows of '#' and '.' joined by spaces.
std::string tableGlyph(const lcd::GlyphTable& table, int code);
// The dots of the cell at (x0, y0) of a painted image: '#' where the dot's top-left pixel has
// colour `lit`, '.' otherwise; rows joined by spaces.
std::string paintedCell(const ui::Raster& image, int x0, int y0, int cols, int rows, int stepX,
                        int stepY, lcd::TColor lit);

} // namespace lcdtest
