#include "lcd/LCDLabel.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lcd {

namespace {

// The fixed texts of rejected values. They are not message resources: language files do not
// translate them.
constexpr const char* kPixelSpacingMessage = "Pixel spacing can't be less than zero!";
constexpr const char* kPixelWidthMessage = "Display pixel width must be 1 or greater!";
constexpr const char* kPixelHeightMessage = "Display pixel height must be 1 or greate!";
constexpr const char* kCharSpacingMessage = "Character spacing can't be less than zero!";
constexpr const char* kLineSpacingMessage = "Line spacing can't be less than zero!";
constexpr const char* kBorderSpaceMessage = "Border spacing can't be less than zero!";
constexpr const char* kTextLinesMessage = "Display needs at least on line!";
constexpr const char* kNoOfCharsMessage = "Display needs at least one character!";

int clampToInt(std::int64_t value)
{
    return int(std::clamp<std::int64_t>(value, std::numeric_limits<int>::min(),
                                        std::numeric_limits<int>::max()));
}

// The extent of `count` cells of `cell` pixels, `spacing` apart, inside a margin of `border`
// and a one-pixel frame on both sides.
std::int64_t extent(std::int64_t count, std::int64_t cell, std::int64_t spacing,
                    std::int64_t border)
{
    return 2 * border + (count - 1) * spacing + count * cell + 2;
}

std::int64_t cellSize(std::int64_t dots, std::int64_t dot, std::int64_t spacing)
{
    return dots * dot + (dots - 1) * spacing;
}

} // namespace

TLCDLabel::TLCDLabel() : m_errorBox(platformErrorBox()), m_palette(&platformPalette())
{
    UpdatePixelOnDim();
    LayoutFromCounts();
}

TLCDLabel::~TLCDLabel()
{
    FreeGlyphs();
}

// ---- Text ----

std::string TLCDLabel::Caption()
{
    std::size_t length = std::min(m_text.size(), std::size_t(kTextBufferSize - 1));
    m_textBuffer.fill(0);
    std::memcpy(m_textBuffer.data(), m_text.data(), length);
    return std::string(m_textBuffer.data(), length);
}

void TLCDLabel::setCaption(const std::string& text)
{
    // The control keeps what its text buffer can show: the text up to its first zero byte,
    // at most 255 characters.
    std::string kept = text.substr(0, std::min(text.find('\0'), std::size_t(kTextBufferSize - 1)));
    if (kept == Caption())
        return;
    m_text = kept;
    Caption(); // copies the new text into TextBuffer
    Paint();
}

int TLCDLabel::cellCode(int cell) const
{
    int code = 0;
    if (cell >= 0 && cell < kTextBufferSize) {
        std::size_t length = strnlen(m_textBuffer.data(), kTextBufferSize);
        if (std::size_t(cell) < length)
            code = static_cast<unsigned char>(m_textBuffer[cell]);
    }
    return std::clamp(code, m_firstChar, std::max(m_firstChar, m_lastChar));
}

// ---- Property setters ----

void TLCDLabel::reject(const char* message)
{
    if (m_errorBox)
        m_errorBox(message);
}

TLCDLabel::LayoutValues TLCDLabel::layoutValues() const
{
    LayoutValues v{m_pixelSize,   m_pixelWidth,  m_pixelHeight, m_pixelSpacing,
                   m_charSpacing, m_lineSpacing, m_borderSpace, m_noOfChars,
                   m_textLines,   m_matrixCols,  m_matrixRows};
    if (m_dotMatrix != TDotMatrix::CustomFont) {
        CharSetShape shape = charSetShape(m_dotMatrix);
        v.matrixCols = shape.cols;
        v.matrixRows = shape.rows;
    }
    return v;
}

bool TLCDLabel::fits(const LayoutValues& v)
{
    std::int64_t dotWidth = v.pixelWidth;
    std::int64_t dotHeight = v.pixelHeight;
    if (v.pixelSize != TPixelSize::pixCustom)
        dotWidth = dotHeight = int(v.pixelSize) + 1;
    std::int64_t charWidth = cellSize(v.matrixCols, dotWidth, v.pixelSpacing);
    std::int64_t charHeight = cellSize(v.matrixRows, dotHeight, v.pixelSpacing);
    return extent(v.noOfChars, charWidth, v.charSpacing, v.borderSpace) <= kMaxSize &&
           extent(v.textLines, charHeight, v.lineSpacing, v.borderSpace) <= kMaxSize;
}

void TLCDLabel::setDotMatrix(TDotMatrix value)
{
    if (value != TDotMatrix::CustomFont) {
        LayoutValues v = layoutValues();
        CharSetShape shape = charSetShape(value);
        v.matrixCols = shape.cols;
        v.matrixRows = shape.rows;
        if (!fits(v)) {
            reject(kTooLargeMessage);
            return;
        }
    }
    // After a custom font the fallback is always mat5x7.
    TDotMatrix fallback = m_dotMatrix == TDotMatrix::CustomFont ? TDotMatrix::mat5x7 : m_dotMatrix;
    m_dotMatrix = value;
    if (value == TDotMatrix::CustomFont) {
        if (m_filename.empty()) {
            m_dotMatrix = fallback;
        } else {
            FreeGlyphs();
            if (!LoadFontFile(m_filename))
                m_dotMatrix = fallback;
        }
    }
    Paint();
}

bool TLCDLabel::LoadFontFile(const std::string& path)
{
    FontHeader header;
    if (!lcd::LoadFontFile(path, m_customGlyphs, header))
        return false;
    LayoutValues v = layoutValues();
    v.matrixCols = header.cols;
    v.matrixRows = header.rows;
    if (!fits(v)) {
        // A font whose cells would not fit on any screen is refused like a broken one.
        FreeGlyphs();
        return false;
    }
    m_matrixCols = header.cols;
    m_matrixRows = header.rows;
    m_firstChar = header.first;
    m_lastChar = header.last;
    return true;
}

void TLCDLabel::setfilename(const std::string& path)
{
    m_filename = path;
    setDotMatrix(TDotMatrix::CustomFont);
    Paint();
}

void TLCDLabel::setPixelSize(TPixelSize value)
{
    if (value == m_pixelSize)
        return;
    LayoutValues v = layoutValues();
    v.pixelSize = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_pixelSize = value;
    Paint();
}

void TLCDLabel::setPixelShape(TPixelShape value)
{
    if (value == m_pixelShape)
        return;
    m_pixelShape = value;
    Paint();
}

void TLCDLabel::setPixelSpacing(int value)
{
    if (value < 0) {
        reject(kPixelSpacingMessage);
        return;
    }
    if (value == m_pixelSpacing)
        return;
    LayoutValues v = layoutValues();
    v.pixelSpacing = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_pixelSpacing = value;
    Paint();
}

void TLCDLabel::setPixelWidth(int value)
{
    if (m_pixelSize != TPixelSize::pixCustom || value == m_pixelWidth)
        return;
    if (value < 1) {
        reject(kPixelWidthMessage);
        return;
    }
    LayoutValues v = layoutValues();
    v.pixelWidth = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_pixelWidth = value;
    Paint();
}

void TLCDLabel::setPixelHeight(int value)
{
    if (m_pixelSize != TPixelSize::pixCustom || value == m_pixelHeight)
        return;
    if (value < 1) {
        reject(kPixelHeightMessage);
        return;
    }
    LayoutValues v = layoutValues();
    v.pixelHeight = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_pixelHeight = value;
    Paint();
}

void TLCDLabel::setCharSpacing(int value)
{
    if (value < 0) {
        reject(kCharSpacingMessage);
        return;
    }
    if (value == m_charSpacing)
        return;
    LayoutValues v = layoutValues();
    v.charSpacing = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_charSpacing = value;
    Paint();
}

void TLCDLabel::setLineSpacing(int value)
{
    if (value < 0) {
        reject(kLineSpacingMessage);
        return;
    }
    if (value == m_lineSpacing)
        return;
    LayoutValues v = layoutValues();
    v.lineSpacing = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_lineSpacing = value;
    Paint();
}

void TLCDLabel::setBorderSpace(int value)
{
    if (value < 0) {
        reject(kBorderSpaceMessage);
        return;
    }
    if (value == m_borderSpace)
        return;
    LayoutValues v = layoutValues();
    v.borderSpace = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_borderSpace = value;
    Paint();
}

void TLCDLabel::setTextLines(int value)
{
    if (value < 1) {
        reject(kTextLinesMessage);
        return;
    }
    if (value == m_textLines)
        return;
    LayoutValues v = layoutValues();
    v.textLines = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_textLines = value;
    Paint();
}

void TLCDLabel::setNoOfChars(int value)
{
    if (value < 1) {
        reject(kNoOfCharsMessage);
        return;
    }
    if (value == m_noOfChars)
        return;
    LayoutValues v = layoutValues();
    v.noOfChars = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    m_noOfChars = value;
    Paint();
}

void TLCDLabel::setBackGround(TColor value)
{
    if (value == m_backGround)
        return;
    m_backGround = value;
    Paint();
}

void TLCDLabel::setBorderStyle(TMyBorder value)
{
    if (value == m_borderStyle)
        return;
    m_borderStyle = value;
    Paint();
}

void TLCDLabel::setBorderColor(TColor value)
{
    if (value == m_borderColor)
        return;
    m_borderColor = value;
    Paint();
}

void TLCDLabel::setPixelOn(TColor value)
{
    if (value == m_pixelOn)
        return;
    m_pixelOn = value;
    UpdatePixelOnDim();
    Paint();
}

void TLCDLabel::setPixelOff(TColor value)
{
    if (value == m_pixelOff)
        return;
    m_pixelOff = value;
    Paint();
}

void TLCDLabel::UpdatePixelOnDim()
{
    m_pixelOnDim = dimColor(m_pixelOn);
}

// ---- Base control ----

void TLCDLabel::SetBounds(int left, int top, int width, int height)
{
    m_left = left;
    m_top = top;
    setSize(width, height);
}

void TLCDLabel::setSize(int width, int height)
{
    if (width == m_width && height == m_height)
        return;
    m_width = width;
    m_height = height;
    m_paintPending = true;
}

void TLCDLabel::setEnabled(bool enabled)
{
    if (enabled == m_enabled)
        return;
    m_enabled = enabled;
    m_paintPending = true;
}

void TLCDLabel::setVisible(bool visible)
{
    if (visible == m_visible)
        return;
    m_visible = visible;
    m_paintPending = true;
}

// ---- Layout ----

void TLCDLabel::UpdateCharRange()
{
    if (m_dotMatrix == TDotMatrix::CustomFont)
        return;
    CharSetShape shape = charSetShape(m_dotMatrix);
    m_firstChar = shape.first;
    m_lastChar = shape.last;
}

void TLCDLabel::LayoutFromCounts()
{
    layout(false);
}

void TLCDLabel::LayoutFromSize()
{
    layout(true);
}

void TLCDLabel::layout(bool fromSize)
{
    if (m_pixelSize == TPixelSize::pixCustom) {
        m_dotWidth = m_pixelWidth;
        m_dotHeight = m_pixelHeight;
    } else {
        m_dotWidth = m_dotHeight = int(m_pixelSize) + 1;
        m_pixelWidth = m_pixelHeight = m_dotWidth;
    }
    if (m_dotMatrix != TDotMatrix::CustomFont) {
        CharSetShape shape = charSetShape(m_dotMatrix);
        m_matrixCols = shape.cols;
        m_matrixRows = shape.rows;
    }
    m_charWidth = clampToInt(cellSize(m_matrixCols, m_dotWidth, m_pixelSpacing));
    m_charHeight = clampToInt(cellSize(m_matrixRows, m_dotHeight, m_pixelSpacing));

    if (fromSize) {
        // Truncating division, as the counts are defined; below 1 becomes 1.
        std::int64_t chars = (std::int64_t(m_width) - 2 * std::int64_t(m_borderSpace) +
                              m_charSpacing) /
                             (std::int64_t(m_charWidth) + m_charSpacing);
        std::int64_t lines = (std::int64_t(m_height) - 2 * std::int64_t(m_borderSpace) +
                              m_lineSpacing) /
                             (std::int64_t(m_charHeight) + m_lineSpacing);
        m_noOfChars = clampToInt(std::max<std::int64_t>(chars, 1));
        m_textLines = clampToInt(std::max<std::int64_t>(lines, 1));
    }

    setSize(clampToInt(extent(m_noOfChars, m_charWidth, m_charSpacing, m_borderSpace)),
            clampToInt(extent(m_textLines, m_charHeight, m_lineSpacing, m_borderSpace)));
    m_lastWidth = m_width;
    m_lastHeight = m_height;
}

// ---- Paint ----

void TLCDLabel::Paint()
{
    m_paintPending = false;
    bool sizeChanged = m_width != m_lastWidth || m_height != m_lastHeight;
    m_lastWidth = m_width;
    m_lastHeight = m_height;
    UpdateCharRange();
    if (sizeChanged)
        LayoutFromSize();
    else
        LayoutFromCounts();

    const int width = m_width;
    const int height = m_height;
    PixelImage image(width + 2, height + 2);
    if (m_visible) {
        image.fillRect(0, 0, width, height, screen(m_backGround));
        if (m_borderStyle != TMyBorder::frNone) {
            TColor frame = m_borderColor;
            TColor topLeft = m_borderColor;
            if (m_borderStyle == TMyBorder::frRaised) {
                frame = clBtnShadow;
                topLeft = clBtnHighlight;
            } else if (m_borderStyle == TMyBorder::frLowered) {
                frame = clBtnHighlight;
                topLeft = clBtnShadow;
            }
            image.frameRect(0, 0, width, height, screen(frame));
            if (m_borderStyle != TMyBorder::frSingle) {
                const Point corner[] = {{width, 0}, {0, 0}, {0, height}};
                image.polyline(corner, screen(topLeft));
            }
        }
        if (m_enabled)
            DrawCells(image);
    } else {
        image.fillRect(0, 0, image.width(), image.height(), screen(clBtnFace));
    }
    if (m_surface)
        m_surface->copyFrom(image, width, height);
}

void TLCDLabel::DrawCells(PixelImage& image) const
{
    const DotColors colors{screen(m_pixelOn), screen(m_pixelOff), screen(m_pixelOnDim)};
    for (int line = 0; line < m_textLines; ++line) {
        std::int64_t y0 = std::int64_t(m_borderSpace) + 1 +
                          std::int64_t(line) * (std::int64_t(m_charHeight) + m_lineSpacing);
        if (y0 >= image.height())
            break;
        for (int column = 0; column < m_noOfChars; ++column) {
            std::int64_t x0 = std::int64_t(m_borderSpace) + 1 +
                              std::int64_t(column) * (std::int64_t(m_charWidth) + m_charSpacing);
            if (x0 >= image.width())
                break;
            std::int64_t cell = std::int64_t(line) * m_noOfChars + column;
            int code = cellCode(int(std::min<std::int64_t>(cell, kTextBufferSize)));
            drawChar(image, int(x0), int(y0), code, colors);
        }
    }
}

bool TLCDLabel::dotLit(int code, int row, int col) const
{
    if (m_dotMatrix != TDotMatrix::CustomFont)
        return builtinDotLit(m_dotMatrix, code, row, col);
    const std::uint8_t* glyph = m_customGlyphs.glyph(code);
    std::size_t index = std::size_t(row) * m_matrixCols + col;
    if (!glyph || index >= m_customGlyphs.glyphSize())
        return false;
    // 0 is lit in a font file; 1, and any other value a damaged file may hold, is unlit.
    return glyph[index] == kFontDotLit;
}

void TLCDLabel::DrawChar(PixelImage& image, int x0, int y0, int code) const
{
    drawChar(image, x0, y0, code,
             {screen(m_pixelOn), screen(m_pixelOff), screen(m_pixelOnDim)});
}

void TLCDLabel::drawChar(PixelImage& image, int x0, int y0, int code,
                         const DotColors& colors) const
{
    // The dots of the glyph, one byte each, when the set keeps them in one block: a built-in
    // table (1 = lit) or the custom store (0 = lit). Hitachi2 joins two tables and goes
    // through the general lookup.
    const std::uint8_t* glyph = nullptr;
    std::uint8_t litByte = 1;
    if (m_dotMatrix == TDotMatrix::CustomFont) {
        glyph = m_customGlyphs.glyph(code);
        litByte = kFontDotLit;
        if (m_customGlyphs.glyphSize() < std::size_t(m_matrixCols) * std::size_t(m_matrixRows))
            glyph = nullptr; // never drawn past a buffer: such a glyph shows unlit
    } else if (m_dotMatrix != TDotMatrix::Hitachi2) {
        // Every other built-in set has the table of its own ordinal.
        const GlyphTable& table = builtinTables()[std::size_t(m_dotMatrix)];
        glyph = table.dots.data() + std::size_t(code - table.first) * table.cols * table.rows;
    }
    const bool custom = m_dotMatrix == TDotMatrix::CustomFont;
    const int stepX = m_dotWidth + m_pixelSpacing;
    const int stepY = m_dotHeight + m_pixelSpacing;
    for (int row = 0; row < m_matrixRows; ++row) {
        const int y = y0 + row * stepY;
        for (int col = 0; col < m_matrixCols; ++col) {
            const int x = x0 + col * stepX;
            bool lit;
            if (glyph)
                lit = glyph[std::size_t(row) * m_matrixCols + col] == litByte;
            else
                lit = !custom && dotLit(code, row, col);
            // spShaped tells lit dots by their colour, so with PixelOn equal to PixelOff every
            // dot is drawn as a lit one.
            const bool drawnLit = lit || m_pixelOff == m_pixelOn;
            const TColor color = lit ? colors.on : colors.off;
            if (m_pixelSize == TPixelSize::pix1x1) {
                image.setPixel(x, y, color);
                continue;
            }
            const int x2 = x + m_dotWidth;
            const int y2 = y + m_dotHeight;
            switch (m_pixelShape) {
            case TPixelShape::spSquare: image.fillRect(x, y, x2, y2, color); break;
            case TPixelShape::spShaped:
                if (drawnLit) {
                    image.fillRect(x, y, x2, y2, colors.dim);
                    image.ellipse(x, y, x2, y2, colors.on);
                } else {
                    image.fillRect(x, y, x2, y2, color);
                }
                break;
            case TPixelShape::spRound: image.ellipse(x, y, x2, y2, color); break;
            }
        }
    }
}

} // namespace lcd
