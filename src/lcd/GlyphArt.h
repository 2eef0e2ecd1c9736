#pragma once
// Compile-time glyph tables from dot art.
//
// The built-in character sets are written in the source as pictures, one glyph after the
// other:
//
//     65 A            <- a line that starts with the decimal character code; the rest of the
//     .###.              line names the character for the reader and is ignored
//     #...#           <- then exactly `rows` lines of `cols` dots each, top row first:
//     ...                '#' is a lit dot, '.' an unlit one
//
// Blank lines between glyphs are ignored. `GlyphTableBuilder` turns such pictures into the
// byte table the control draws from (one byte per dot, 1 = lit, 0 = unlit, glyph after glyph
// in code order, each glyph row by row). Everything happens during constant evaluation: a
// malformed picture (a row of the wrong width, a character other than '#' or '.', a code
// outside the table, a code drawn twice, a glyph left undrawn) stops the compilation.
// A table may also take the glyphs it shares with another one (`fillFrom`).

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace lcd {

template <int Cols, int Rows, int First, int Last>
class GlyphTableBuilder {
public:
    static_assert(Cols >= 1 && Rows >= 1 && First >= 0 && Last >= First && Last <= 255);
    static constexpr int kGlyphs = Last - First + 1;
    static constexpr std::size_t kGlyphBytes = std::size_t(Cols) * Rows;
    static constexpr std::size_t kBytes = kGlyphs * kGlyphBytes;
    using Table = std::array<std::uint8_t, kBytes>;

    // Draws every glyph of `art` (format above). A glyph may be drawn only once.
    constexpr GlyphTableBuilder& draw(std::string_view art)
    {
        std::size_t pos = 0;
        while (true) {
            std::string_view line = nextNonBlankLine(art, pos);
            if (line.empty())
                break;
            int code = parseCode(line);
            if (code < First || code > Last)
                fail("glyph art: character code outside the table");
            if (m_drawn[code - First])
                fail("glyph art: character code drawn twice");
            m_drawn[code - First] = true;
            std::size_t base = (code - First) * kGlyphBytes;
            for (int r = 0; r < Rows; ++r) {
                std::string_view row = nextLine(art, pos);
                if (row.size() != std::size_t(Cols))
                    fail("glyph art: row of the wrong width");
                for (int c = 0; c < Cols; ++c) {
                    char dot = row[c];
                    if (dot != '#' && dot != '.')
                        fail("glyph art: a dot must be '#' or '.'");
                    m_dots[base + std::size_t(r) * std::size_t(Cols) + std::size_t(c)] =
                        dot == '#' ? 1 : 0;
                }
            }
        }
        return *this;
    }

    // Gives every code of `from`..`to` that has not been drawn yet the glyph of the same code
    // in another table with as many dots across. A source with fewer rows is placed at the
    // top, its missing rows left unlit.
    template <std::size_t N>
    constexpr GlyphTableBuilder& fillFrom(const std::array<std::uint8_t, N>& source, int sourceRows,
                                          int sourceFirst, int from, int to)
    {
        std::size_t sourceGlyph = std::size_t(Cols) * sourceRows;
        if (sourceRows > Rows || from < First || to > Last || from < sourceFirst ||
            (to - sourceFirst + 1) * sourceGlyph > N)
            fail("glyph fill: range outside the table or the source");
        for (int code = from; code <= to; ++code) {
            if (m_drawn[code - First])
                continue;
            m_drawn[code - First] = true;
            std::size_t src = (code - sourceFirst) * sourceGlyph;
            std::size_t dst = (code - First) * kGlyphBytes;
            for (std::size_t i = 0; i < sourceGlyph; ++i)
                m_dots[dst + i] = source[src + i];
        }
        return *this;
    }

    // The finished table; every code of the range must have been drawn or copied.
    constexpr Table table() const
    {
        for (bool drawn : m_drawn)
            if (!drawn)
                fail("glyph art: a glyph of the table is missing");
        return m_dots;
    }

private:
    // Reached only during constant evaluation, where it makes the evaluation fail; the
    // compiler then reports the call with its message.
    static void fail(const char* /*why*/) { throw "invalid glyph art"; }

    static constexpr std::string_view nextLine(std::string_view text, std::size_t& pos)
    {
        if (pos >= text.size())
            return {};
        std::size_t end = text.find('\n', pos);
        if (end == std::string_view::npos)
            end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        pos = end + 1;
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
            line.remove_suffix(1);
        return line;
    }

    static constexpr std::string_view nextNonBlankLine(std::string_view text, std::size_t& pos)
    {
        while (pos < text.size()) {
            std::string_view line = nextLine(text, pos);
            if (!line.empty())
                return line;
        }
        return {};
    }

    static constexpr int parseCode(std::string_view line)
    {
        int code = 0;
        std::size_t i = 0;
        while (i < line.size() && line[i] >= '0' && line[i] <= '9' && code <= 255)
            code = code * 10 + (line[i++] - '0');
        if (i == 0 || (i < line.size() && line[i] != ' '))
            fail("glyph art: expected a character code");
        return code;
    }

    Table m_dots{};
    std::array<bool, kGlyphs> m_drawn{};
};

} // namespace lcd
