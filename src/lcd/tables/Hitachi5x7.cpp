#include "lcd/tables/Hitachi5x7.h"
#include "lcd/Matrix.h"

namespace lcd::tables {

constexpr std::array<std::uint8_t, 6720> hitachi5x7 = kHitachi5x7;

} // namespace lcd::tables
