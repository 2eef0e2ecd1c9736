#pragma once
// Custom LCD font files and the glyph store they are loaded into.
//
// A font file has no signature: four 32-bit signed little-endian integers — cols, rows,
// first, last — then the glyphs of codes first..last, each cols × rows bytes, row by row
// from the top, each row from its leftmost dot; 0 is a lit dot, 1 an unlit one. Bytes after
// the last glyph are ignored.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace lcd {

// The dot values of the file (and of the glyph store).
inline constexpr std::uint8_t kFontDotLit = 0;
inline constexpr std::uint8_t kFontDotUnlit = 1;

// The most dots a font may have across or down. Larger headers are refused: a real
// dot-matrix font is far smaller, and the limit keeps a whole store under 1 MiB.
inline constexpr int kMaxFontDots = 64;

struct FontHeader {
    int cols = 0;
    int rows = 0;
    int first = 0;
    int last = 0;
};

// Whether a header can be loaded: 1 ≤ cols, rows ≤ kMaxFontDots, first ≥ 0, last ≤ 255.
// A last code below the first is accepted (the file then holds no glyph).
bool fontHeaderUsable(const FontHeader& header);

// One glyph buffer per character code 0..255, each empty or cols × rows bytes in the file's
// encoding. Owns its buffers.
class GlyphStore {
public:
    static constexpr int kCodes = 256;

    // Marks every entry empty, then gives each code in turn a new buffer of `glyphSize` bytes
    // set to unlit. Returns false if an allocation fails; allocating stops there and the
    // codes after it stay empty.
    bool AllocGlyphs(std::size_t glyphSize);
    // Releases every buffer and marks every entry empty.
    void FreeGlyphs();

    // The buffer of `code`, or nullptr when the entry is empty or `code` is outside 0..255.
    const std::uint8_t* glyph(int code) const;
    std::uint8_t* glyph(int code);
    std::size_t glyphSize() const { return m_glyphSize; }
    // Whether every entry holds a buffer.
    bool complete() const;

private:
    std::array<std::unique_ptr<std::uint8_t[]>, kCodes> m_glyphs;
    std::size_t m_glyphSize = 0;
};

// Reads the font file at `path` (opened for reading only) into `store` and its header into
// `header`. On success every entry of the store holds a glyph: codes first..last the file's,
// every other code an all-unlit one. Fails — returning false, leaving `header` unchanged and
// the store empty — when the file cannot be opened or read, when its header is not usable,
// when a buffer cannot be allocated, or when the file ends before its header or its last
// glyph is complete. The file is closed on every path.
bool LoadFontFile(const std::string& path, GlyphStore& store, FontHeader& header);

} // namespace lcd
