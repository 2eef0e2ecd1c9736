#include "ui/Font.h"

namespace ui {

const ClassInfo& Font::staticClassInfo()
{
    using P = Published<Font>;
    static const ClassInfo info("TFont", &Persistent::staticClassInfo(),
                                {
                                    P::integer("Charset", &Font::charset, &Font::setCharset),
                                    P::color("Color", &Font::color, &Font::setColor),
                                    P::text("Name", &Font::name, &Font::setName),
                                    P::integer("Size", &Font::size, &Font::setSize),
                                    P::other("Style"),
                                });
    return info;
}

void Font::setName(const std::string& name)
{
    if (name != m_name) {
        m_name = name;
        changed();
    }
}

void Font::setSize(std::int32_t size)
{
    if (size != m_size) {
        m_size = size;
        changed();
    }
}

void Font::setColor(TColor color)
{
    if (color != m_color) {
        m_color = color;
        changed();
    }
}

void Font::setCharset(std::uint8_t charset)
{
    if (charset != m_charset) {
        m_charset = charset;
        changed();
    }
}

void Font::setStyle(std::uint8_t style)
{
    if (style != m_style) {
        m_style = style;
        changed();
    }
}

void Font::assign(const Font& other)
{
    if (*this == other) {
        return;
    }
    m_name = other.m_name;
    m_size = other.m_size;
    m_color = other.m_color;
    m_charset = other.m_charset;
    m_style = other.m_style;
    changed();
}

void Font::changed()
{
    if (OnChange) {
        OnChange(*this);
    }
}

} // namespace ui
