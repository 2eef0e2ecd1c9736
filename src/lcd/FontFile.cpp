#include "lcd/FontFile.h"

#include "platform/LocalPath.h"

#include <cstring>
#include <fstream>
#include <new>

namespace lcd {

bool fontHeaderUsable(const FontHeader& header)
{
    return header.cols >= 1 && header.cols <= kMaxFontDots && header.rows >= 1 &&
           header.rows <= kMaxFontDots && header.first >= 0 && header.last <= 255;
}

bool GlyphStore::AllocGlyphs(std::size_t glyphSize)
{
    FreeGlyphs();
    m_glyphSize = glyphSize;
    for (auto& entry : m_glyphs) {
        entry.reset(new (std::nothrow) std::uint8_t[glyphSize]);
        if (!entry)
            return false;
        std::memset(entry.get(), kFontDotUnlit, glyphSize);
    }
    return true;
}

void GlyphStore::FreeGlyphs()
{
    for (auto& entry : m_glyphs)
        entry.reset();
    m_glyphSize = 0;
}

const std::uint8_t* GlyphStore::glyph(int code) const
{
    if (code < 0 || code >= kCodes)
        return nullptr;
    return m_glyphs[code].get();
}

std::uint8_t* GlyphStore::glyph(int code)
{
    if (code < 0 || code >= kCodes)
        return nullptr;
    return m_glyphs[code].get();
}

bool GlyphStore::complete() const
{
    for (const auto& entry : m_glyphs)
        if (!entry)
            return false;
    return true;
}

namespace {

bool readInt32(std::istream& in, int& value)
{
    unsigned char bytes[4];
    if (!in.read(reinterpret_cast<char*>(bytes), 4))
        return false;
    std::uint32_t u = std::uint32_t(bytes[0]) | std::uint32_t(bytes[1]) << 8 |
                      std::uint32_t(bytes[2]) << 16 | std::uint32_t(bytes[3]) << 24;
    value = static_cast<std::int32_t>(u);
    return true;
}

} // namespace

bool LoadFontFile(const std::string& path, GlyphStore& store, FontHeader& header)
{
    store.FreeGlyphs();
    // The path may come from a language file someone else wrote: a font on another computer
    // is refused before the file system is asked anything about it.
    if (!platform::isLocalFilePath(path))
        return false;
    // Reading needs no write access: a font on a read-only medium or in a protected folder
    // loads as well as any other.
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;

    FontHeader read;
    if (!readInt32(in, read.cols) || !readInt32(in, read.rows) || !readInt32(in, read.first) ||
        !readInt32(in, read.last) || !fontHeaderUsable(read))
        return false;

    const std::size_t glyphSize = std::size_t(read.cols) * std::size_t(read.rows);
    if (!store.AllocGlyphs(glyphSize)) {
        store.FreeGlyphs();
        return false;
    }
    for (int code = read.first; code <= read.last; ++code) {
        if (!in.read(reinterpret_cast<char*>(store.glyph(code)), std::streamsize(glyphSize))) {
            // A file that ends early is refused whole: no half-read glyph is ever shown.
            store.FreeGlyphs();
            return false;
        }
    }
    header = read;
    return true;
}

} // namespace lcd
