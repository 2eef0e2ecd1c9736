#pragma once
// The main window's stored layout of its display, ChannelLCD: the values it applies to a new
// TLCDLabel, property by property in declared order, each through the property's setter.

#include "lcd/LCDLabel.h"

#include <string_view>
#include <utility>
#include <vector>

namespace lcd {

// Name and value (as a stored layout writes it) of every stored property of ChannelLCD, in
// the order they are applied: 246 × 28 at (0, 0), 15 cells of 5 × 7 dots of 2 × 2 pixels one
// pixel apart, PixelOff 11184810; everything else keeps its initial value.
const std::vector<std::pair<std::string_view, std::string_view>>& channelLcdLayout();

// Applies channelLcdLayout() to `label` through its class information.
void applyChannelLcdLayout(TLCDLabel& label);

} // namespace lcd
