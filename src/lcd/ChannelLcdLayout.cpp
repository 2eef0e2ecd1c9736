#include "lcd/ChannelLcdLayout.h"

#include <charconv>
#include <stdexcept>
#include <string>

namespace lcd {

const std::vector<std::pair<std::string_view, std::string_view>>& channelLcdLayout()
{
    static const std::vector<std::pair<std::string_view, std::string_view>> layout = {
        {"Left", "0"},           {"Top", "0"},
        {"Width", "246"},        {"Height", "28"},
        {"PixelSize", "pix2x2"}, {"PixelSpacing", "1"},
        {"PixelWidth", "2"},     {"PixelHeight", "2"},
        {"CharSpacing", "2"},    {"LineSpacing", "2"},
        {"BorderSpace", "3"},    {"TextLines", "1"},
        {"NoOfChars", "15"},     {"PixelOff", "11184810"},
    };
    return layout;
}

void applyChannelLcdLayout(TLCDLabel& label)
{
    for (const auto& [name, value] : channelLcdLayout()) {
        const ui::PropertyInfo* property = ui::findProperty(label, name);
        ui::SetResult result = ui::SetResult::WrongKind;
        if (property && property->kind() == ui::PropertyKind::Enumeration) {
            result = property->setIdentifier(label, value);
        } else if (property && property->kind() == ui::PropertyKind::Integer) {
            std::int64_t number = 0;
            std::from_chars(value.data(), value.data() + value.size(), number);
            result = property->setInteger(label, number);
        }
        if (result != ui::SetResult::Done)
            throw std::logic_error("the stored layout of ChannelLCD does not fit TLCDLabel: " +
                                   std::string(name));
    }
}

} // namespace lcd
