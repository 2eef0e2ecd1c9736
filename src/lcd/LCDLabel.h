#pragma once
// TLCDLabel: a windowless control that imitates a dot-matrix liquid-crystal display. A framed
// panel holds NoOfChars character cells on each of TextLines lines; every cell is a matrix of
// dots, lit (PixelOn) or unlit (PixelOff), taken from the current character set (Matrix.h) or
// from a custom font file (FontFile.h).
//
// Setters check their value. A bad value is reported in a modal error box titled "Error" with
// a fixed English text, the property keeps its old value, nothing is repainted and no
// exception leaves the setter. An accepted change is stored and painted at once,
// synchronously. Every paint starts with the layout: the control's size follows from its
// numbers of cells and lines, unless it was resized from outside since the last layout; then
// the numbers follow from the size and the size is trimmed to fit them.
//
// The control paints into a PixelImage of (Width + 2) × (Height + 2) pixels and hands the
// finished picture, once, to its surface. A paint that cannot be drawn (a size beyond
// PixelImage::kMaxExtent) throws std::length_error to whoever asked for it.

#include "lcd/Color.h"
#include "lcd/FontFile.h"
#include "lcd/Matrix.h"
#include "lcd/PixelImage.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace lcd {

enum class TPixelSize {
    pix1x1, pix2x2, pix3x3, pix4x4, pix5x5, pix6x6, pix7x7, pix8x8,
    pix9x9, pix10x10, pix11x11, pix12x12, pix13x13, pix14x14, pix15x15, pix16x16,
    pixCustom
};
enum class TPixelShape { spSquare, spShaped, spRound };
enum class TMyBorder { frRaised, frLowered, frSingle, frNone };

// Where a finished picture goes: the control's area on its parent. `image` is the whole
// off-screen image; the control's picture is its top-left width × height pixels.
class LcdSurface {
public:
    virtual ~LcdSurface() = default;
    virtual void copyFrom(const PixelImage& image, int width, int height) = 0;
};

// Shows a rejected value's message in a modal error box (error icon, title "Error", one OK
// button). The Windows build shows a real message box; elsewhere the message is dropped
// unless a handler is installed with TLCDLabel::setErrorBox.
using ErrorBox = std::function<void(const std::string& message)>;
ErrorBox platformErrorBox();

class TLCDLabel {
public:
    // The largest width or height the control takes from its own layout; a setter whose
    // value would need more is rejected with kTooLargeMessage.
    static constexpr int kMaxSize = PixelImage::kMaxExtent - 2;
    static constexpr int kTextBufferSize = 256;

    static constexpr const char* kTooLargeMessage = "Display would be too large!";

    // A new control with the initial values, laid out once: 166 × 28 pixels.
    TLCDLabel();
    ~TLCDLabel();
    TLCDLabel(const TLCDLabel&) = delete;
    TLCDLabel& operator=(const TLCDLabel&) = delete;

    // Where pictures go and how rejections are shown. Neither is owned; a control without a
    // surface still paints, and drops the picture.
    void setSurface(LcdSurface* surface) { m_surface = surface; }
    void setErrorBox(ErrorBox errorBox) { m_errorBox = std::move(errorBox); }
    void setPalette(const SystemPalette& palette) { m_palette = &palette; }

    // Published properties, in declared order.
    std::string Caption();
    void setCaption(const std::string& text);
    TDotMatrix DotMatrix() const { return m_dotMatrix; }
    void setDotMatrix(TDotMatrix value);
    TPixelSize PixelSize() const { return m_pixelSize; }
    void setPixelSize(TPixelSize value);
    int PixelSpacing() const { return m_pixelSpacing; }
    void setPixelSpacing(int value);
    TPixelShape PixelShape() const { return m_pixelShape; }
    void setPixelShape(TPixelShape value);
    int PixelWidth() const { return m_pixelWidth; }
    void setPixelWidth(int value);
    int PixelHeight() const { return m_pixelHeight; }
    void setPixelHeight(int value);
    int CharSpacing() const { return m_charSpacing; }
    void setCharSpacing(int value);
    int LineSpacing() const { return m_lineSpacing; }
    void setLineSpacing(int value);
    int BorderSpace() const { return m_borderSpace; }
    void setBorderSpace(int value);
    int TextLines() const { return m_textLines; }
    void setTextLines(int value);
    int NoOfChars() const { return m_noOfChars; }
    void setNoOfChars(int value);
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
    void setfilename(const std::string& path);

    // The base control's part: bounds, hint, enabled and visible state. Changing the size,
    // Enabled or Visible from outside marks the control for a later paint, as the window
    // framework does; it does not paint at once.
    int Left() const { return m_left; }
    int Top() const { return m_top; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetBounds(int left, int top, int width, int height);
    const std::string& Hint() const { return m_hint; }
    void setHint(const std::string& hint) { m_hint = hint; }
    bool ShowHint() const { return m_showHint; }
    void setShowHint(bool show) { m_showHint = show; }
    bool Enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool Visible() const { return m_visible; }
    void setVisible(bool visible);
    // Whether the framework owes the control a paint (after a change of size or state).
    bool paintPending() const { return m_paintPending; }

    // The paint: layout, then the whole picture into a new off-screen image, then one copy
    // to the surface.
    void Paint();

    // Internal state, readable for the paint and for tests.
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

    // The code shown in cell `cell` (numbered line by line from the top-left): character
    // `cell` of TextBuffer up to its first zero byte, code 0 after it, clamped into
    // FirstChar..LastChar.
    int cellCode(int cell) const;
    // Whether the dot at (row, col) of `code` (already clamped) is lit in the current set.
    bool dotLit(int code, int row, int col) const;

    // Layout steps (run by Paint).
    void UpdateCharRange();
    void LayoutFromCounts();
    void LayoutFromSize();
    void UpdatePixelOnDim();

    void DrawCells(PixelImage& image) const;
    void DrawChar(PixelImage& image, int x0, int y0, int code) const;

    // The custom font store: see FontFile.h. LoadFontFile fills MatrixCols, MatrixRows,
    // FirstChar and LastChar from the file's header on success.
    bool LoadFontFile(const std::string& path);
    bool AllocGlyphs(std::size_t glyphSize) { return m_customGlyphs.AllocGlyphs(glyphSize); }
    void FreeGlyphs() { m_customGlyphs.FreeGlyphs(); }

private:
    // The values the layout from the counts depends on.
    struct LayoutValues {
        TPixelSize pixelSize;
        int pixelWidth;
        int pixelHeight;
        int pixelSpacing;
        int charSpacing;
        int lineSpacing;
        int borderSpace;
        int noOfChars;
        int textLines;
        int matrixCols;
        int matrixRows;
    };
    LayoutValues layoutValues() const;
    // Whether the size that LayoutFromCounts gives for `values` stays within kMaxSize; the
    // arithmetic is done in 64 bits, so no value can overflow it.
    static bool fits(const LayoutValues& values);
    struct DotColors {
        TColor on;
        TColor off;
        TColor dim;
    };
    void drawChar(PixelImage& image, int x0, int y0, int code, const DotColors& colors) const;
    void layout(bool fromSize);
    void reject(const char* message);
    void setSize(int width, int height);
    TColor screen(TColor color) const { return m_palette->resolve(color); }

    // Published values.
    TDotMatrix m_dotMatrix = TDotMatrix::mat5x7;
    TPixelSize m_pixelSize = TPixelSize::pix2x2;
    int m_pixelSpacing = 1;
    TPixelShape m_pixelShape = TPixelShape::spSquare;
    int m_pixelWidth = 2;
    int m_pixelHeight = 2;
    int m_charSpacing = 2;
    int m_lineSpacing = 2;
    int m_borderSpace = 3;
    int m_textLines = 1;
    int m_noOfChars = 10;
    TColor m_backGround = clSilver;
    TMyBorder m_borderStyle = TMyBorder::frLowered;
    TColor m_borderColor = clBlack;
    TColor m_pixelOn = clBlack;
    TColor m_pixelOff = 0xAAAAAA;
    std::string m_filename;

    // Base control.
    int m_left = 0;
    int m_top = 0;
    int m_width = 0;
    int m_height = 0;
    std::string m_text;
    std::string m_hint;
    bool m_showHint = false;
    bool m_enabled = true;
    bool m_visible = true;
    bool m_paintPending = false;

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
    std::array<char, kTextBufferSize> m_textBuffer{};
    GlyphStore m_customGlyphs;

    LcdSurface* m_surface = nullptr;
    ErrorBox m_errorBox;
    const SystemPalette* m_palette;
};

} // namespace lcd
