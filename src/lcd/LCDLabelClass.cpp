#include "lcd/LCDLabelClass.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <limits>
#include <optional>

namespace lcd {

namespace {

constexpr std::array<std::string_view, 17> kPixelSizeNames = {
    "pix1x1",   "pix2x2",   "pix3x3",   "pix4x4",   "pix5x5",   "pix6x6",
    "pix7x7",   "pix8x8",   "pix9x9",   "pix10x10", "pix11x11", "pix12x12",
    "pix13x13", "pix14x14", "pix15x15", "pix16x16", "pixCustom"};
constexpr std::array<std::string_view, 3> kPixelShapeNames = {"spSquare", "spShaped", "spRound"};
constexpr std::array<std::string_view, 4> kBorderNames = {"frRaised", "frLowered", "frSingle",
                                                          "frNone"};
constexpr std::array<std::string_view, 2> kBooleanNames = {"False", "True"};

struct NamedColor {
    std::string_view name;
    TColor value;
};
constexpr std::array<NamedColor, 5> kColorNames = {{{"clBlack", clBlack},
                                                    {"clSilver", clSilver},
                                                    {"clBtnFace", clBtnFace},
                                                    {"clBtnShadow", clBtnShadow},
                                                    {"clBtnHighlight", clBtnHighlight}}};

bool sameText(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        return lower(x) == lower(y);
    });
}

using L = TLCDLabel;

PropertyInfo number(std::string_view name, std::int64_t (*get)(L&), void (*set)(L&, std::int64_t),
                    PropertyKind kind = PropertyKind::Integer)
{
    return {name, kind, {}, get, set, nullptr, nullptr};
}

template <std::size_t N>
PropertyInfo enumeration(std::string_view name, const std::array<std::string_view, N>& ids,
                         std::int64_t (*get)(L&), void (*set)(L&, std::int64_t))
{
    return {name, PropertyKind::Enumeration, ids, get, set, nullptr, nullptr};
}

PropertyInfo boolean(std::string_view name, std::int64_t (*get)(L&), void (*set)(L&, std::int64_t))
{
    return {name, PropertyKind::Boolean, kBooleanNames, get, set, nullptr, nullptr};
}

PropertyInfo text(std::string_view name, std::string (*get)(L&),
                  void (*set)(L&, const std::string&))
{
    return {name, PropertyKind::Text, {}, nullptr, nullptr, get, set};
}

std::optional<std::int64_t> parseInteger(std::string_view text)
{
    bool negative = !text.empty() && text.front() == '-';
    if (negative)
        text.remove_prefix(1);
    int base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
    if (text.empty() || ec != std::errc() || end != text.data() + text.size() ||
        magnitude > (std::uint64_t(1) << 33))
        return std::nullopt;
    return negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
}

} // namespace

const std::vector<PropertyInfo>& lcdLabelProperties()
{
    static const std::vector<PropertyInfo> properties = {
        number("Left", [](L& l) -> std::int64_t { return l.Left(); },
               [](L& l, std::int64_t v) { l.SetBounds(int(v), l.Top(), l.Width(), l.Height()); }),
        number("Top", [](L& l) -> std::int64_t { return l.Top(); },
               [](L& l, std::int64_t v) { l.SetBounds(l.Left(), int(v), l.Width(), l.Height()); }),
        number("Width", [](L& l) -> std::int64_t { return l.Width(); },
               [](L& l, std::int64_t v) { l.SetBounds(l.Left(), l.Top(), int(v), l.Height()); }),
        number("Height", [](L& l) -> std::int64_t { return l.Height(); },
               [](L& l, std::int64_t v) { l.SetBounds(l.Left(), l.Top(), l.Width(), int(v)); }),
        text("Caption", [](L& l) { return l.Caption(); },
             [](L& l, const std::string& v) { l.setCaption(v); }),
        enumeration("DotMatrix", kDotMatrixNames,
                    [](L& l) -> std::int64_t { return int(l.DotMatrix()); },
                    [](L& l, std::int64_t v) { l.setDotMatrix(TDotMatrix(v)); }),
        enumeration("PixelSize", kPixelSizeNames,
                    [](L& l) -> std::int64_t { return int(l.PixelSize()); },
                    [](L& l, std::int64_t v) { l.setPixelSize(TPixelSize(v)); }),
        number("PixelSpacing", [](L& l) -> std::int64_t { return l.PixelSpacing(); },
               [](L& l, std::int64_t v) { l.setPixelSpacing(int(v)); }),
        enumeration("PixelShape", kPixelShapeNames,
                    [](L& l) -> std::int64_t { return int(l.PixelShape()); },
                    [](L& l, std::int64_t v) { l.setPixelShape(TPixelShape(v)); }),
        number("PixelWidth", [](L& l) -> std::int64_t { return l.PixelWidth(); },
               [](L& l, std::int64_t v) { l.setPixelWidth(int(v)); }),
        number("PixelHeight", [](L& l) -> std::int64_t { return l.PixelHeight(); },
               [](L& l, std::int64_t v) { l.setPixelHeight(int(v)); }),
        number("CharSpacing", [](L& l) -> std::int64_t { return l.CharSpacing(); },
               [](L& l, std::int64_t v) { l.setCharSpacing(int(v)); }),
        number("LineSpacing", [](L& l) -> std::int64_t { return l.LineSpacing(); },
               [](L& l, std::int64_t v) { l.setLineSpacing(int(v)); }),
        number("BorderSpace", [](L& l) -> std::int64_t { return l.BorderSpace(); },
               [](L& l, std::int64_t v) { l.setBorderSpace(int(v)); }),
        number("TextLines", [](L& l) -> std::int64_t { return l.TextLines(); },
               [](L& l, std::int64_t v) { l.setTextLines(int(v)); }),
        number("NoOfChars", [](L& l) -> std::int64_t { return l.NoOfChars(); },
               [](L& l, std::int64_t v) { l.setNoOfChars(int(v)); }),
        number("BackGround", [](L& l) -> std::int64_t { return l.BackGround(); },
               [](L& l, std::int64_t v) { l.setBackGround(TColor(v)); }, PropertyKind::Color),
        enumeration("BorderStyle", kBorderNames,
                    [](L& l) -> std::int64_t { return int(l.BorderStyle()); },
                    [](L& l, std::int64_t v) { l.setBorderStyle(TMyBorder(v)); }),
        number("BorderColor", [](L& l) -> std::int64_t { return l.BorderColor(); },
               [](L& l, std::int64_t v) { l.setBorderColor(TColor(v)); }, PropertyKind::Color),
        number("PixelOn", [](L& l) -> std::int64_t { return l.PixelOn(); },
               [](L& l, std::int64_t v) { l.setPixelOn(TColor(v)); }, PropertyKind::Color),
        number("PixelOff", [](L& l) -> std::int64_t { return l.PixelOff(); },
               [](L& l, std::int64_t v) { l.setPixelOff(TColor(v)); }, PropertyKind::Color),
        text("filename", [](L& l) { return l.filename(); },
             [](L& l, const std::string& v) { l.setfilename(v); }),
        text("Hint", [](L& l) { return l.Hint(); },
             [](L& l, const std::string& v) { l.setHint(v); }),
        boolean("ShowHint", [](L& l) -> std::int64_t { return l.ShowHint(); },
                [](L& l, std::int64_t v) { l.setShowHint(v != 0); }),
        boolean("Enabled", [](L& l) -> std::int64_t { return l.Enabled(); },
                [](L& l, std::int64_t v) { l.setEnabled(v != 0); }),
        boolean("Visible", [](L& l) -> std::int64_t { return l.Visible(); },
                [](L& l, std::int64_t v) { l.setVisible(v != 0); }),
    };
    return properties;
}

const PropertyInfo* findLcdLabelProperty(std::string_view name)
{
    for (const auto& property : lcdLabelProperties())
        if (sameText(property.name, name))
            return &property;
    return nullptr;
}

void setLcdLabelProperty(TLCDLabel& label, std::string_view name, const std::string& value)
{
    const PropertyInfo* property = findLcdLabelProperty(name);
    if (!property)
        throw PropertyError("TLCDLabel has no property \"" + std::string(name) + "\"");
    auto bad = [&](const char* expected) {
        return PropertyError("invalid value \"" + value + "\" for " + std::string(property->name) +
                             ": expected " + expected);
    };
    switch (property->kind) {
    case PropertyKind::Text: property->setText(label, value); return;
    case PropertyKind::Enumeration:
    case PropertyKind::Boolean:
        for (std::size_t i = 0; i < property->identifiers.size(); ++i) {
            if (sameText(property->identifiers[i], value)) {
                property->setNumber(label, std::int64_t(i));
                return;
            }
        }
        throw bad(property->kind == PropertyKind::Boolean ? "False or True" : "an identifier");
    case PropertyKind::Color:
        for (const auto& color : kColorNames) {
            if (sameText(color.name, value)) {
                property->setNumber(label, color.value);
                return;
            }
        }
        if (auto n = parseInteger(value);
            n && *n >= std::numeric_limits<std::int32_t>::min() && *n <= 0xFFFFFFFFll) {
            property->setNumber(label, std::int64_t(std::uint32_t(*n)));
            return;
        }
        throw bad("a colour: a 32-bit number or a colour identifier");
    case PropertyKind::Integer:
        if (auto n = parseInteger(value); n && *n >= std::numeric_limits<std::int32_t>::min() &&
                                          *n <= std::numeric_limits<std::int32_t>::max()) {
            property->setNumber(label, *n);
            return;
        }
        throw bad("a 32-bit integer");
    }
}

void applyChannelLcdLayout(TLCDLabel& label)
{
    label.SetBounds(0, 0, 246, 28);
    label.setPixelSize(TPixelSize::pix2x2);
    label.setPixelSpacing(1);
    label.setPixelWidth(2);
    label.setPixelHeight(2);
    label.setCharSpacing(2);
    label.setLineSpacing(2);
    label.setBorderSpace(3);
    label.setTextLines(1);
    label.setNoOfChars(15);
    label.setPixelOff(11184810);
}

} // namespace lcd
