#pragma once
// Font: the nested object of a control's Font property. Every change through a setter that
// alters a value raises OnChange (the control then passes the font on to its window).

#include "ui/ClassInfo.h"
#include "ui/Color.h"

#include <cstdint>
#include <string>

namespace ui {

class Font : public Persistent {
public:
    enum Style : std::uint8_t { Bold = 1, Italic = 2, Underline = 4, StrikeOut = 8 };

    Font() = default;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& name() const { return m_name; }
    void setName(const std::string& name);
    // Size in points.
    std::int32_t size() const { return m_size; }
    void setSize(std::int32_t size);
    TColor color() const { return m_color; }
    void setColor(TColor color);
    // The character set number, 0..255 (1 is the system's default set).
    std::uint8_t charset() const { return m_charset; }
    void setCharset(std::uint8_t charset);
    // A combination of Style bits.
    std::uint8_t style() const { return m_style; }
    void setStyle(std::uint8_t style);

    // Takes every value of `other`; raises OnChange once if anything changed.
    void assign(const Font& other);

    NotifyEvent OnChange;

    friend bool operator==(const Font& a, const Font& b)
    {
        return a.m_name == b.m_name && a.m_size == b.m_size && a.m_color == b.m_color &&
               a.m_charset == b.m_charset && a.m_style == b.m_style;
    }

private:
    void changed();

    std::string m_name = "MS Sans Serif";
    std::int32_t m_size = 8;
    TColor m_color = clWindowText;
    std::uint8_t m_charset = 1;
    std::uint8_t m_style = 0;
};

} // namespace ui
