#include "lcd/Matrix.h"

#include "lcd/tables/Ascii5x7.h"

namespace lcd {

namespace tables {
constexpr std::array<std::uint8_t, 3325> ascii5x7 = kAscii5x7;
} // namespace tables

static_assert(3325 + 3800 + 5985 + 10260 + 6720 + 1500 + 8960 == 40550,
              "the built-in tables hold 40550 bytes");

namespace {

constexpr std::array<GlyphTable, 7> kTables = {{
    {"5x7 ASCII", 5, 7, 32, 126, tables::ascii5x7},
    {"5x8 ASCII", 5, 8, 32, 126, tables::ascii5x8},
    {"7x9 ASCII", 7, 9, 32, 126, tables::ascii7x9},
    {"9x12 ASCII", 9, 12, 32, 126, tables::ascii9x12},
    {"Hitachi 5x7", 5, 7, 32, 223, tables::hitachi5x7},
    {"Hitachi 5x10", 5, 10, 194, 223, tables::hitachi5x10},
    {"DOS 5x7", 5, 7, 0, 255, tables::dos5x7},
}};

constexpr bool everyDotAccountedFor()
{
    for (const GlyphTable& t : kTables)
        if (t.dots.size() !=
            std::size_t(t.glyphCount()) * std::size_t(t.cols) * std::size_t(t.rows))
            return false;
    return true;
}
static_assert(everyDotAccountedFor(), "a table's layout and range must cover its bytes exactly");

} // namespace

const std::array<GlyphTable, 7>& builtinTables()
{
    return kTables;
}

bool builtinDotLit(TDotMatrix set, int code, int row, int col)
{
    const auto& all = builtinTables();
    switch (set) {
    case TDotMatrix::mat5x7: return all[0].lit(code, row, col);
    case TDotMatrix::mat5x8: return all[1].lit(code, row, col);
    case TDotMatrix::mat7x9: return all[2].lit(code, row, col);
    case TDotMatrix::mat9x12: return all[3].lit(code, row, col);
    case TDotMatrix::Hitachi: return all[4].lit(code, row, col);
    case TDotMatrix::Hitachi2:
        if (code >= 194)
            return all[5].lit(code, row, col);
        return row < 7 && all[4].lit(code, row, col);
    case TDotMatrix::dos5x7: return all[6].lit(code, row, col);
    case TDotMatrix::CustomFont: break;
    }
    return false;
}

} // namespace lcd
