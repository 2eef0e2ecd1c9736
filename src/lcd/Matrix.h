#pragma once
// The LCD control's character sets: which matrix and code range each set has, and the seven
// built-in dot-pattern tables. The tables are constant data shared by every control.
//
// A table holds the glyphs of a run of consecutive codes in ascending order; a glyph is
// cols × rows bytes, row by row from the top, each row from its leftmost dot; 1 is a lit dot
// and 0 an unlit one. The dot at row r, column c of code ch is byte
// ((ch − first) × rows + r) × cols + c.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace lcd {

// The character set of a control, in declared order (stored layouts use the ordinals).
enum class TDotMatrix { mat5x7, mat5x8, mat7x9, mat9x12, Hitachi, Hitachi2, dos5x7, CustomFont };

inline constexpr int kDotMatrixCount = 8;

// The identifiers of TDotMatrix, by ordinal.
inline constexpr std::array<std::string_view, kDotMatrixCount> kDotMatrixNames = {
    "mat5x7", "mat5x8", "mat7x9", "mat9x12", "Hitachi", "Hitachi2", "dos5x7", "CustomFont"};

// Dots across and down a cell, and the codes a set draws.
struct CharSetShape {
    int cols;
    int rows;
    int first;
    int last;
};

// The shape of a built-in set. For CustomFont the shape comes from the font file; this
// returns all zeros for it.
constexpr CharSetShape charSetShape(TDotMatrix set)
{
    switch (set) {
    case TDotMatrix::mat5x7: return {5, 7, 32, 126};
    case TDotMatrix::mat5x8: return {5, 8, 32, 126};
    case TDotMatrix::mat7x9: return {7, 9, 32, 126};
    case TDotMatrix::mat9x12: return {9, 12, 32, 126};
    case TDotMatrix::Hitachi: return {5, 7, 32, 223};
    case TDotMatrix::Hitachi2: return {5, 10, 32, 223};
    case TDotMatrix::dos5x7: return {5, 7, 0, 255};
    case TDotMatrix::CustomFont: break;
    }
    return {0, 0, 0, 0};
}

// One built-in table.
struct GlyphTable {
    std::string_view name;
    int cols;
    int rows;
    int first;
    int last;
    std::span<const std::uint8_t> dots;

    constexpr int glyphCount() const { return last - first + 1; }
    // Whether the dot at (row, col) of `code` is lit; `code`, `row` and `col` must lie in the
    // table.
    bool lit(int code, int row, int col) const
    {
        return dots[(std::size_t(code - first) * rows + row) * cols + col] != 0;
    }
};

namespace tables {
// Defined, each from its dot art, in src/lcd/tables/. The array sizes are the contract.
extern const std::array<std::uint8_t, 3325> ascii5x7;
extern const std::array<std::uint8_t, 3800> ascii5x8;
extern const std::array<std::uint8_t, 5985> ascii7x9;
extern const std::array<std::uint8_t, 10260> ascii9x12;
extern const std::array<std::uint8_t, 6720> hitachi5x7;
extern const std::array<std::uint8_t, 1500> hitachi5x10;
extern const std::array<std::uint8_t, 8960> dos5x7;
} // namespace tables

// The seven tables: "5x7 ASCII", "5x8 ASCII", "7x9 ASCII", "9x12 ASCII", "Hitachi 5x7",
// "Hitachi 5x10", "DOS 5x7", in that order.
const std::array<GlyphTable, 7>& builtinTables();

// Whether the dot at (row, col) of `code` is lit in a built-in set. `set` must not be
// CustomFont, `code` must lie in the set's range and (row, col) in its matrix. Hitachi2 takes
// codes up to 193 from the Hitachi 5 × 7 table (rows 7 to 9 unlit) and 194 to 223 from the
// Hitachi 5 × 10 table.
bool builtinDotLit(TDotMatrix set, int code, int row, int col);

} // namespace lcd
