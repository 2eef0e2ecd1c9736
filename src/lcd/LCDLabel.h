#pragma once
// TLCDLabel: a windowless control that imitates a dot-matrix liquid-crystal display. A framed
// panel holds NoOfChars character cells on each of TextLines lines; every cell is a matrix of
// dots, lit (PixelOn) or unlit (PixelOff), taken from the current character set (Matrix.h) or
// from a custom font file (FontFile.h).
//
// Setters check their value. A bad value is reported in a modal message box (error icon,
// title "Error", OK) with a fixed English text that language files do not translate; the
// property keeps its old value, nothing is repainted and no exception leaves the setter. An
// accepted change is stored and painted at once, synchronously (Paint, then present).
//
// Every paint starts with the layout: the control's size follows from its numbers of cells
// and lines, unless it was resized from outside since the last layout; then the numbers
// follow from the size and the size is trimmed to fit them. A value whose layout would not
// fit in the largest image the framework can draw is refused with kTooLargeMessage.
//
// A paint draws the whole control into a ui::Raster of (Width + 2) × (Height + 2) pixels and
// presents it in one copy. A paint that cannot be drawn (a size given from outside beyond
// ui::Raster's limits) throws ui::Error to whoever asked for it.
//
// The model and its layout are in design units. A window laid out at another scale shows
// the display drawn anew for its area there (screenPicture): the same panel, frame and cells
// on a grid of square dots of whole pixels (DotGrid.h), never a smoothed enlargement.

#include "lcd/DotGrid.h"
#include "lcd/FontFile.h"
#include "lcd/Matrix.h"
#include "ui/GraphicControl.h"

#include <array>
#include <cstdint>
#include <string>
#include <utility>

namespace lcd {

using ui::TColor;

enum class TPixelSize {
    pix1x1,
    pix2x2,
    pix3x3,
    pix4x4,
    pix5x5,
    pix6x6,
    pix7x7,
    pix8x8,
    pix9x9,
    pix10x10,
    pix11x11,
    pix12x12,
    pix13x13,
    pix14x14,
    pix15x15,
    pix16x16,
    pixCustom
};
enum class TPixelShape { spSquare, spShaped, spRound };
enum class TMyBorder { frRaised, frLowered, frSingle, frNone };

// The shade that frames lit spShaped dots: each of the three low bytes halved (rounded down),
// the high byte kept. A system colour is not turned into RGB first: clBtnFace gives
// 0x80000007.
constexpr TColor dimColor(TColor color)
{
    return (color & 0xFF000000u) | ((color >> 1) & 0x007F7F7Fu);
}

class TLCDLabel : public ui::GraphicControl {
public:
    static constexpr int kTextBufferSize = 256;
    static constexpr const char* kTooLargeMessage = "Display would be too large!";

    // A new control with the initial values, laid out once: 166 × 28 pixels.
    explicit TLCDLabel(ui::Component* owner);
    ~TLCDLabel() override;

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Published properties, in declared order.
    std::string Caption() const;
    void setCaption(const std::string& text);
    TDotMatrix DotMatrix() const { return m_dotMatrix; }
    void setDotMatrix(TDotMatrix value);
    TPixelSize PixelSize() const { return m_pixelSize; }
    void setPixelSize(TPixelSize value);
    std::int32_t PixelSpacing() const { return m_pixelSpacing; }
    void setPixelSpacing(std::int32_t value);
    TPixelShape PixelShape() const { return m_pixelShape; }
    void setPixelShape(TPixelShape value);
    std::int32_t PixelWidth() const { return m_pixelWidth; }
    void setPixelWidth(std::int32_t value);
    std::int32_t PixelHeight() const { return m_pixelHeight; }
    void setPixelHeight(std::int32_t value);
    std::int32_t CharSpacing() const { return m_charSpacing; }
    void setCharSpacing(std::int32_t value);
    std::int32_t LineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(std::int32_t value);
    std::int32_t BorderSpace() const { return m_borderSpace; }
    void setBorderSpace(std::int32_t value);
    std::int32_t TextLines() const { return m_textLines; }
    void setTextLines(std::int32_t value);
    std::int32_t NoOfChars() const { return m_noOfChars; }
    void setNoOfChars(std::int32_t value);
    TColor BackGround() const { return m_backGround; }
    void setBackGround(TColor value);
    TMyBorder BorderStyle() const { return m_borderStyle; }
    void setBorderStyle(TMyBorder value);
    TColor BorderColor() const { return m_borderColor; }
    void setBorderColor(TColor value);
    TColor PixelOn() const { return m_pixelOn; }
    void setPixelOn(TColor value);
    TColor PixelOff() const { return m_pixelOff; }
    void setPixelOff(TColor value);
    const std::string& filename() const { return m_filename; }
    void setFilename(const std::string& path);

    // The paint: layout, the whole picture into a new off-screen image, one present.
    void Paint() override;
    // The picture as a window at `dpi` shows it on the control's area of width x height of
    // its pixels, from the state the last layout left.
    ui::Raster screenPicture(const ui::Raster& picture, int dpi, int width,
                             int height) const override;
    // The cells and the design grid they are drawn on at 96 dpi.
    DotLayout dotLayout() const;

    // Internal state, readable for tests.
    int MatrixCols() const { return m_matrixCols; }
    int MatrixRows() const { return m_matrixRows; }
    int FirstChar() const { return m_firstChar; }
    int LastChar() const { return m_lastChar; }
    int DotWidth() const { return m_dotWidth; }
    int DotHeight() const { return m_dotHeight; }
    int CharWidth() const { return m_charWidth; }
    int CharHeight() const { return m_charHeight; }
    int LastWidth() const { return m_lastWidth; }
    int LastHeight() const { return m_lastHeight; }
    TColor PixelOnDim() const { return m_pixelOnDim; }
    const std::array<char, kTextBufferSize>& TextBuffer() const { return m_textBuffer; }
    const GlyphStore& CustomGlyphs() const { return m_customGlyphs; }

    // The codes the cells show, from the first cell on: the text of TextBuffer (up to its first
    // zero byte) with each character turned into the code the current set draws for it
    // (CharacterMap.h), at most kTextBufferSize - 1 codes. TextBuffer itself keeps the text
    // as it was set.
    std::string cellCodes() const;
    // The code shown in cell `cell` (numbered line by line from the top-left): code `cell` of
    // cellCodes, code 0 past its end, clamped into FirstChar..LastChar.
    int cellCode(int cell) const;
    // Whether the dot at (row, col) of `code` (already clamped) is lit in the current set.
    // For a custom font the byte 0 is lit and 1 unlit; any other value repeats the dot before
    // it in the glyph, row by row, and the glyph's first dot is then unlit.
    bool dotLit(int code, int row, int col) const;

    // The steps of a paint.
    void UpdateCharRange();
    void LayoutFromCounts();
    void LayoutFromSize();
    void UpdatePixelOnDim();
    void DrawCells(ui::Raster& image) const;
    void DrawChar(ui::Raster& image, int x0, int y0, int code) const;

    // The custom font store (FontFile.h). LoadFontFile sets MatrixCols, MatrixRows,
    // FirstChar and LastChar from the file on success; on failure it leaves them and the
    // store empty. A font whose cells would make the control too large is refused.
    bool LoadFontFile(const std::string& path);
    bool AllocGlyphs(std::size_t glyphSize) { return m_customGlyphs.AllocGlyphs(glyphSize); }
    void FreeGlyphs() { m_customGlyphs.FreeGlyphs(); }

private:
    // The values the layout from the counts depends on.
    struct LayoutValues {
        TPixelSize pixelSize;
        std::int64_t pixelWidth;
        std::int64_t pixelHeight;
        std::int64_t pixelSpacing;
        std::int64_t charSpacing;
        std::int64_t lineSpacing;
        std::int64_t borderSpace;
        std::int64_t noOfChars;
        std::int64_t textLines;
        std::int64_t matrixCols;
        std::int64_t matrixRows;
    };
    LayoutValues layoutValues() const;
    // Whether the control laid out from its counts with `values` can be drawn: its image
    // within ui::Raster's limits. Computed in 64 bits, so no value can overflow it.
    static bool fits(const LayoutValues& values);
    // Shows the message of a refused value.
    static void reject(const char* message);
    // Stores an integer property after the common checks: below `lowest` refused with
    // `message`, equal ignored, a layout that would not fit refused; otherwise stored and
    // painted.
    void setLayoutInteger(std::int32_t& member, std::int32_t value, std::int32_t lowest,
                          const char* message, std::int64_t LayoutValues::*field);
    template <class T>
    void setLook(T& member, T value);

    struct DotColors {
        std::uint32_t on;
        std::uint32_t off;
        std::uint32_t dim;
        // spShaped tells lit dots by their colour, so with PixelOn equal to PixelOff every
        // dot is drawn as a lit one.
        bool allLookLit;
    };
    // While the system's high-contrast setting is on, the panel takes the window colour, the
    // lit dots (and a plain frame) the window-text colour, and unlit dots the shade a third of
    // the way from the first to the second; the published colours wait for the setting to
    // go off.
    DotColors dotColors() const;
    TColor panelColor() const;
    // The frame's colour and that of its top row and left column, by BorderStyle.
    std::pair<TColor, TColor> frameColors() const;
    void drawCells(ui::Raster& image, const DotGrid& grid) const;
    void drawChar(ui::Raster& image, int x0, int y0, int code, const DotColors& colors,
                  const DotGrid& grid) const;
    void layout(bool fromSize);
    // Code `cell` of `codes` (cellCodes), code 0 past its end, clamped into the set's range.
    int codeOfCell(const std::string& codes, std::int64_t cell) const;

    // Published values.
    TDotMatrix m_dotMatrix = TDotMatrix::mat5x7;
    TPixelSize m_pixelSize = TPixelSize::pix2x2;
    std::int32_t m_pixelSpacing = 1;
    TPixelShape m_pixelShape = TPixelShape::spSquare;
    std::int32_t m_pixelWidth = 2;
    std::int32_t m_pixelHeight = 2;
    std::int32_t m_charSpacing = 2;
    std::int32_t m_lineSpacing = 2;
    std::int32_t m_borderSpace = 3;
    std::int32_t m_textLines = 1;
    std::int32_t m_noOfChars = 10;
    TColor m_backGround = ui::clSilver;
    TMyBorder m_borderStyle = TMyBorder::frLowered;
    TColor m_borderColor = ui::clBlack;
    TColor m_pixelOn = ui::clBlack;
    TColor m_pixelOff = 0xAAAAAA;
    std::string m_filename;

    // Internal state.
    int m_matrixCols = 0;
    int m_matrixRows = 0;
    int m_firstChar = 0;
    int m_lastChar = 0;
    int m_dotWidth = 0;
    int m_dotHeight = 0;
    int m_charWidth = 0;
    int m_charHeight = 0;
    int m_lastWidth = 0;
    int m_lastHeight = 0;
    TColor m_pixelOnDim = 0;
    mutable std::array<char, kTextBufferSize> m_textBuffer{};
    GlyphStore m_customGlyphs;
};

// The identifiers of the enumerations, by ordinal, as stored layouts name them.
extern const std::vector<std::string> dotMatrixIdentifiers;
extern const std::vector<std::string> pixelSizeIdentifiers;
extern const std::vector<std::string> pixelShapeIdentifiers;
extern const std::vector<std::string> borderIdentifiers;

} // namespace lcd
