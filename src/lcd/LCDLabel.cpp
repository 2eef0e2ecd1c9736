#include "lcd/LCDLabel.h"

#include "lcd/CharacterMap.h"

#include "ui/Backend.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace lcd {

namespace {

// The fixed texts of refused values. They are not message resources: language files do not
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

// The size of a cell of `dots` dots of `dot` pixels, `spacing` apart.
std::int64_t cellSize(std::int64_t dots, std::int64_t dot, std::int64_t spacing)
{
    return dots * dot + (dots - 1) * spacing;
}

std::vector<std::string> identifiers(std::span<const std::string_view> names)
{
    return {names.begin(), names.end()};
}

} // namespace

const std::vector<std::string> dotMatrixIdentifiers = identifiers(kDotMatrixNames);
const std::vector<std::string> pixelSizeIdentifiers = {
    "pix1x1",   "pix2x2",   "pix3x3",   "pix4x4",   "pix5x5",   "pix6x6",
    "pix7x7",   "pix8x8",   "pix9x9",   "pix10x10", "pix11x11", "pix12x12",
    "pix13x13", "pix14x14", "pix15x15", "pix16x16", "pixCustom"};
const std::vector<std::string> pixelShapeIdentifiers = {"spSquare", "spShaped", "spRound"};
const std::vector<std::string> borderIdentifiers = {"frRaised", "frLowered", "frSingle", "frNone"};

const ui::ClassInfo& TLCDLabel::staticClassInfo()
{
    using P = ui::Published<TLCDLabel>;
    using L = TLCDLabel;
    static const ui::ClassInfo info(
        "TLCDLabel", &ui::GraphicControl::staticClassInfo(),
        {
            P::text("Caption", &L::Caption, &L::setCaption),
            P::enumeration("DotMatrix", &L::DotMatrix, &L::setDotMatrix, dotMatrixIdentifiers),
            P::enumeration("PixelSize", &L::PixelSize, &L::setPixelSize, pixelSizeIdentifiers),
            P::integer("PixelSpacing", &L::PixelSpacing, &L::setPixelSpacing),
            P::enumeration("PixelShape", &L::PixelShape, &L::setPixelShape, pixelShapeIdentifiers),
            P::integer("PixelWidth", &L::PixelWidth, &L::setPixelWidth),
            P::integer("PixelHeight", &L::PixelHeight, &L::setPixelHeight),
            P::integer("CharSpacing", &L::CharSpacing, &L::setCharSpacing),
            P::integer("LineSpacing", &L::LineSpacing, &L::setLineSpacing),
            P::integer("BorderSpace", &L::BorderSpace, &L::setBorderSpace),
            P::integer("TextLines", &L::TextLines, &L::setTextLines),
            P::integer("NoOfChars", &L::NoOfChars, &L::setNoOfChars),
            P::color("BackGround", &L::BackGround, &L::setBackGround),
            P::enumeration("BorderStyle", &L::BorderStyle, &L::setBorderStyle, borderIdentifiers),
            P::color("BorderColor", &L::BorderColor, &L::setBorderColor),
            P::color("PixelOn", &L::PixelOn, &L::setPixelOn),
            P::color("PixelOff", &L::PixelOff, &L::setPixelOff),
            P::text("filename", &L::filename, &L::setFilename),
            P::other("OnClick"),
            P::other("OnDblClick"),
            P::other("OnDragDrop"),
            P::other("OnDragOver"),
            P::other("OnEndDrag"),
            P::other("OnMouseDown"),
            P::other("OnMouseMove"),
            P::other("OnMouseUp"),
        });
    return info;
}

TLCDLabel::TLCDLabel(ui::Component* owner) : ui::GraphicControl(owner)
{
    // A screen reader reads the display as a line of text: the text it shows.
    accessible().setRole(ui::AccessibleRole::StaticText);
    accessible().setName([this] { return text(); });
    UpdatePixelOnDim();
    LayoutFromCounts();
}

TLCDLabel::~TLCDLabel()
{
    FreeGlyphs();
}

// ---- Text ----

std::string TLCDLabel::Caption() const
{
    const std::string& text = this->text();
    std::size_t length = std::min(text.size(), std::size_t(kTextBufferSize - 1));
    m_textBuffer.fill(0);
    std::memcpy(m_textBuffer.data(), text.data(), length);
    return std::string(m_textBuffer.data(), strnlen(m_textBuffer.data(), length));
}

void TLCDLabel::setCaption(const std::string& text)
{
    // The control keeps what its text buffer can show: the text up to its first zero byte,
    // at most 255 characters.
    std::string kept = text.substr(0, std::min(text.find('\0'), std::size_t(kTextBufferSize - 1)));
    if (kept == Caption())
        return;
    setText(kept);
    Caption(); // copies the new text into TextBuffer
    Paint();
    raiseAccessibleEvent(ui::AccessibleEvent::NameChange);
}

std::string TLCDLabel::cellCodes() const
{
    const std::string_view text(m_textBuffer.data(),
                                strnlen(m_textBuffer.data(), std::size_t(kTextBufferSize)));
    return displayCodes(m_dotMatrix, text, std::size_t(kTextBufferSize - 1));
}

int TLCDLabel::cellCode(int cell) const
{
    return codeOfCell(cellCodes(), cell);
}

int TLCDLabel::codeOfCell(const std::string& codes, std::int64_t cell) const
{
    int code = 0;
    if (cell >= 0 && std::uint64_t(cell) < codes.size())
        code = static_cast<unsigned char>(codes[std::size_t(cell)]);
    return std::clamp(code, m_firstChar, std::max(m_firstChar, m_lastChar));
}

// ---- Property setters ----

void TLCDLabel::reject(const char* message)
{
    ui::showMessageBox({message, "Error", ui::MessageIcon::Error, ui::MessageButtons::Ok});
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
    const std::int64_t charWidth = cellSize(v.matrixCols, dotWidth, v.pixelSpacing);
    const std::int64_t charHeight = cellSize(v.matrixRows, dotHeight, v.pixelSpacing);
    // Each factor stays below 2^34, so the products cannot overflow 64 bits.
    const std::int64_t imageWidth =
        extent(v.noOfChars, charWidth, v.charSpacing, v.borderSpace) + 2;
    const std::int64_t imageHeight =
        extent(v.textLines, charHeight, v.lineSpacing, v.borderSpace) + 2;
    return imageWidth <= ui::Raster::maxSide && imageHeight <= ui::Raster::maxSide &&
           imageWidth * imageHeight <= ui::Raster::maxPixels;
}

void TLCDLabel::setLayoutInteger(std::int32_t& member, std::int32_t value, std::int32_t lowest,
                                 const char* message, std::int64_t LayoutValues::*field)
{
    if (value < lowest) {
        reject(message);
        return;
    }
    if (value == member)
        return;
    LayoutValues v = layoutValues();
    v.*field = value;
    if (!fits(v)) {
        reject(kTooLargeMessage);
        return;
    }
    member = value;
    Paint();
}

template <class T>
void TLCDLabel::setLook(T& member, T value)
{
    if (value == member)
        return;
    member = value;
    Paint();
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
    const TDotMatrix fallback =
        m_dotMatrix == TDotMatrix::CustomFont ? TDotMatrix::mat5x7 : m_dotMatrix;
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
        FreeGlyphs();
        return false;
    }
    m_matrixCols = header.cols;
    m_matrixRows = header.rows;
    m_firstChar = header.first;
    m_lastChar = header.last;
    return true;
}

void TLCDLabel::setFilename(const std::string& path)
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
    setLook(m_pixelShape, value);
}

void TLCDLabel::setPixelSpacing(std::int32_t value)
{
    setLayoutInteger(m_pixelSpacing, value, 0, kPixelSpacingMessage, &LayoutValues::pixelSpacing);
}

void TLCDLabel::setPixelWidth(std::int32_t value)
{
    // Only custom dots take their width from here; any other dot size ignores the value.
    if (m_pixelSize != TPixelSize::pixCustom || value == m_pixelWidth)
        return;
    setLayoutInteger(m_pixelWidth, value, 1, kPixelWidthMessage, &LayoutValues::pixelWidth);
}

void TLCDLabel::setPixelHeight(std::int32_t value)
{
    if (m_pixelSize != TPixelSize::pixCustom || value == m_pixelHeight)
        return;
    setLayoutInteger(m_pixelHeight, value, 1, kPixelHeightMessage, &LayoutValues::pixelHeight);
}

void TLCDLabel::setCharSpacing(std::int32_t value)
{
    setLayoutInteger(m_charSpacing, value, 0, kCharSpacingMessage, &LayoutValues::charSpacing);
}

void TLCDLabel::setLineSpacing(std::int32_t value)
{
    setLayoutInteger(m_lineSpacing, value, 0, kLineSpacingMessage, &LayoutValues::lineSpacing);
}

void TLCDLabel::setBorderSpace(std::int32_t value)
{
    setLayoutInteger(m_borderSpace, value, 0, kBorderSpaceMessage, &LayoutValues::borderSpace);
}

void TLCDLabel::setTextLines(std::int32_t value)
{
    setLayoutInteger(m_textLines, value, 1, kTextLinesMessage, &LayoutValues::textLines);
}

void TLCDLabel::setNoOfChars(std::int32_t value)
{
    setLayoutInteger(m_noOfChars, value, 1, kNoOfCharsMessage, &LayoutValues::noOfChars);
}

void TLCDLabel::setBackGround(TColor value)
{
    setLook(m_backGround, value);
}

void TLCDLabel::setBorderStyle(TMyBorder value)
{
    setLook(m_borderStyle, value);
}

void TLCDLabel::setBorderColor(TColor value)
{
    setLook(m_borderColor, value);
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
    setLook(m_pixelOff, value);
}

void TLCDLabel::UpdatePixelOnDim()
{
    m_pixelOnDim = dimColor(m_pixelOn);
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
        // Truncating division, as the counts are defined; below 1 becomes 1. The counts are
        // set directly: no message, no further paint.
        const std::int64_t chars =
            (std::int64_t(width()) - 2 * std::int64_t(m_borderSpace) + m_charSpacing) /
            (std::int64_t(m_charWidth) + m_charSpacing);
        const std::int64_t lines =
            (std::int64_t(height()) - 2 * std::int64_t(m_borderSpace) + m_lineSpacing) /
            (std::int64_t(m_charHeight) + m_lineSpacing);
        m_noOfChars = clampToInt(std::max<std::int64_t>(chars, 1));
        m_textLines = clampToInt(std::max<std::int64_t>(lines, 1));
    }

    // Through the ordinary size operations: a change of size asks the framework for a
    // repaint, as any resize does.
    setBounds(left(), top(),
              clampToInt(extent(m_noOfChars, m_charWidth, m_charSpacing, m_borderSpace)),
              clampToInt(extent(m_textLines, m_charHeight, m_lineSpacing, m_borderSpace)));
    m_lastWidth = width();
    m_lastHeight = height();
}

// ---- Paint ----

void TLCDLabel::Paint()
{
    const bool sizeChanged = width() != m_lastWidth || height() != m_lastHeight;
    m_lastWidth = width();
    m_lastHeight = height();
    UpdateCharRange();
    if (sizeChanged)
        LayoutFromSize();
    else
        LayoutFromCounts();

    const int w = width();
    const int h = height();
    ui::Raster image(w + 2, h + 2);
    if (visible()) {
        image.fillRect({0, 0, w, h}, panelColor());
        if (m_borderStyle != TMyBorder::frNone) {
            const auto [frame, topLeft] = frameColors();
            image.frameRect({0, 0, w, h}, frame);
            if (m_borderStyle != TMyBorder::frSingle)
                image.polyline({{w, 0}, {0, 0}, {0, h}}, topLeft);
        }
        if (enabled())
            DrawCells(image);
    } else {
        image.fillRect(image.bounds(), ui::clBtnFace);
    }
    present(image);
}

std::pair<TColor, TColor> TLCDLabel::frameColors() const
{
    switch (m_borderStyle) {
    case TMyBorder::frRaised: return {ui::clBtnShadow, ui::clBtnHighlight};
    case TMyBorder::frLowered: return {ui::clBtnHighlight, ui::clBtnShadow};
    default: {
        const TColor border = ui::highContrast() ? ui::clWindowText : m_borderColor;
        return {border, border};
    }
    }
}

TColor TLCDLabel::panelColor() const
{
    return ui::highContrast() ? ui::clWindow : m_backGround;
}

ui::Raster TLCDLabel::screenPicture(const ui::Raster&, int dpi, int width, int height) const
{
    ui::Raster image(width, height);
    if (!visible()) {
        image.fillRect(image.bounds(), ui::clBtnFace);
        return image;
    }
    const DotGrid grid = scaledGrid(dotLayout(), dpi, width, height);
    image.fillRect(image.bounds(), panelColor());
    if (m_borderStyle != TMyBorder::frNone) {
        const int t = grid.frame;
        const auto [frame, topLeft] = frameColors();
        // The frame of the design picture, each line t pixels wide: the bottom and right
        // lines in the frame colour, then the top and left ones over their corners.
        image.fillRect({0, height - t, width, height}, frame);
        image.fillRect({width - t, 0, width, height}, frame);
        image.fillRect({0, 0, width, t}, topLeft);
        image.fillRect({0, 0, t, height}, topLeft);
    }
    if (enabled())
        drawCells(image, grid);
    return image;
}

DotLayout TLCDLabel::dotLayout() const
{
    DotGrid design;
    design.dotWidth = m_dotWidth;
    design.dotHeight = m_dotHeight;
    design.dotStepX = m_dotWidth + m_pixelSpacing;
    design.dotStepY = m_dotHeight + m_pixelSpacing;
    design.cellStepX = clampToInt(std::int64_t(m_charWidth) + m_charSpacing);
    design.cellStepY = clampToInt(std::int64_t(m_charHeight) + m_lineSpacing);
    design.originX = design.originY = clampToInt(std::int64_t(m_borderSpace) + 1);
    return {m_matrixCols, m_matrixRows, m_noOfChars, m_textLines, design};
}

TLCDLabel::DotColors TLCDLabel::dotColors() const
{
    if (ui::highContrast()) {
        const std::uint32_t window = ui::colorToRgb(ui::clWindow);
        const std::uint32_t text = ui::colorToRgb(ui::clWindowText);
        return {text, ui::blendRgb(window, text, 1.0 / 3.0), ui::blendRgb(window, text, 2.0 / 3.0),
                false};
    }
    return {ui::colorToRgb(m_pixelOn), ui::colorToRgb(m_pixelOff), ui::colorToRgb(m_pixelOnDim),
            m_pixelOff == m_pixelOn};
}

void TLCDLabel::DrawCells(ui::Raster& image) const
{
    drawCells(image, dotLayout().design);
}

void TLCDLabel::drawCells(ui::Raster& image, const DotGrid& grid) const
{
    const DotColors colors = dotColors();
    const std::string codes = cellCodes();
    for (int line = 0; line < m_textLines; ++line) {
        const std::int64_t y0 = grid.originY + std::int64_t(line) * grid.cellStepY;
        if (y0 >= image.height())
            break;
        for (int column = 0; column < m_noOfChars; ++column) {
            const std::int64_t x0 = grid.originX + std::int64_t(column) * grid.cellStepX;
            if (x0 >= image.width())
                break;
            const std::int64_t cell = std::int64_t(line) * m_noOfChars + column;
            drawChar(image, int(x0), int(y0), codeOfCell(codes, cell), colors, grid);
        }
    }
}

bool TLCDLabel::dotLit(int code, int row, int col) const
{
    if (m_dotMatrix != TDotMatrix::CustomFont)
        return builtinDotLit(m_dotMatrix, code, row, col);
    const std::uint8_t* glyph = m_customGlyphs.glyph(code);
    std::size_t index = std::size_t(row) * std::size_t(m_matrixCols) + std::size_t(col);
    if (!glyph || index >= m_customGlyphs.glyphSize())
        return false;
    // A byte other than lit or unlit repeats the dot drawn before it in the cell; before the
    // cell's first dot there is none, and such a dot is unlit.
    for (;;) {
        if (glyph[index] == kFontDotLit)
            return true;
        if (glyph[index] == kFontDotUnlit || index == 0)
            return false;
        --index;
    }
}

void TLCDLabel::DrawChar(ui::Raster& image, int x0, int y0, int code) const
{
    drawChar(image, x0, y0, code, dotColors(), dotLayout().design);
}

void TLCDLabel::drawChar(ui::Raster& image, int x0, int y0, int code, const DotColors& colors,
                         const DotGrid& grid) const
{
    // The glyph's dots, one byte each, where the set keeps them in one block: a built-in
    // table (1 = lit) or the custom store (0 = lit). Hitachi2 joins two tables and goes
    // through the general lookup.
    const std::uint8_t* glyph = nullptr;
    std::uint8_t litByte = 1;
    const bool custom = m_dotMatrix == TDotMatrix::CustomFont;
    if (custom) {
        litByte = kFontDotLit;
        if (m_customGlyphs.glyphSize() >= std::size_t(m_matrixCols) * std::size_t(m_matrixRows))
            glyph = m_customGlyphs.glyph(code); // else never read past a buffer: unlit
    } else if (m_dotMatrix != TDotMatrix::Hitachi2) {
        // The other built-in sets draw from the table of their own ordinal.
        const GlyphTable& table = builtinTables()[std::size_t(m_dotMatrix)];
        glyph = table.dots.data() + std::size_t(code - table.first) * table.cols * table.rows;
    }
    const int stepX = grid.dotStepX;
    const int stepY = grid.dotStepY;
    const bool allLookLit = colors.allLookLit;
    // A custom font's byte other than lit or unlit keeps the colour of the dot drawn before it
    // in the cell, row by row; the cell's first dot has none before it and is then unlit.
    bool lit = false;
    for (int row = 0; row < m_matrixRows; ++row) {
        const int y = y0 + row * stepY;
        for (int col = 0; col < m_matrixCols; ++col) {
            const int x = x0 + col * stepX;
            if (glyph) {
                const std::uint8_t dot =
                    glyph[std::size_t(row) * std::size_t(m_matrixCols) + std::size_t(col)];
                if (dot == litByte)
                    lit = true;
                else if (!custom || dot == kFontDotUnlit)
                    lit = false;
            } else {
                lit = !custom && dotLit(code, row, col);
            }
            const std::uint32_t color = lit ? colors.on : colors.off;
            const ui::Box box{x, y, x + grid.dotWidth, y + grid.dotHeight};
            if (m_pixelSize == TPixelSize::pix1x1) {
                // A single pixel at design size; at a larger scale the square it becomes.
                image.fillRect(box, color);
                continue;
            }
            switch (m_pixelShape) {
            case TPixelShape::spSquare: image.fillRect(box, color); break;
            case TPixelShape::spShaped:
                if (lit || allLookLit) {
                    image.fillRect(box, colors.dim);
                    image.ellipse(box, colors.on, colors.on);
                } else {
                    image.fillRect(box, color);
                }
                break;
            case TPixelShape::spRound: image.ellipse(box, color, color); break;
            }
        }
    }
}

} // namespace lcd
