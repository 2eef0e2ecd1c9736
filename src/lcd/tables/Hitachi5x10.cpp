// The 5 × 10 forms of the LCD controller's codes 194 to 223, drawn by the Hitachi2 set. The
// letters with descenders (beta, mu, rho, g, j, p, q, y) are redrawn to reach below the
// line, and 223 is a full block of ten rows; every other code keeps its 5 × 7 shape above
// three unlit rows.

#include "lcd/Matrix.h"
#include "lcd/tables/Hitachi5x7.h"

namespace lcd::tables {

namespace {

constexpr std::string_view kArt = R"art(
194 beta
.###.
#...#
#...#
####.
#...#
#...#
####.
#....
#....
#....

196 mu
.....
.....
#...#
#...#
#...#
#..##
###.#
#....
#....
#....

198 rho
.....
.....
.###.
#...#
#...#
#...#
####.
#....
#....
#....

199 g
.....
.....
.####
#...#
#...#
#...#
.####
....#
#...#
.###.

202 j
...#.
.....
..##.
...#.
...#.
...#.
...#.
...#.
#..#.
.##..

208 p
.....
.....
####.
#...#
#...#
#...#
####.
#....
#....
#....

209 q
.....
.....
.####
#...#
#...#
#...#
.####
....#
....#
....#

217 y
.....
.....
#...#
#...#
#...#
#...#
.####
....#
#...#
.###.

223 full block
#####
#####
#####
#####
#####
#####
#####
#####
#####
#####
)art";

} // namespace

constexpr std::array<std::uint8_t, 1500> hitachi5x10 =
    GlyphTableBuilder<5, 10, 194, 223>().draw(kArt).fillFrom(kHitachi5x7, 7, 32, 194, 223).table();

} // namespace lcd::tables
