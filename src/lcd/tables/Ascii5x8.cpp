// Printable ASCII in 5 × 8 dots: the 5 × 7 shapes above an unlit eighth row, except for the
// eight characters below, which reach into that row.

#include "lcd/Matrix.h"
#include "lcd/tables/Ascii5x7.h"

namespace lcd::tables {

namespace {

constexpr std::string_view kArt = R"art(
44 , (moved down one row)
.....
.....
.....
.....
.....
.##..
..#..
.#...

92 backslash (over eight rows)
#....
.#...
.#...
..#..
..#..
...#.
...#.
....#

95 _ (moved down one row)
.....
.....
.....
.....
.....
.....
.....
#####

103 g (moved down one row)
.....
.....
.####
#...#
#...#
.####
....#
.###.

106 j
...#.
.....
..##.
...#.
...#.
...#.
#..#.
.##..

113 q
.....
.....
.##.#
#..##
#...#
.####
....#
....#

121 y
.....
.....
#...#
#...#
#...#
.####
....#
.###.

124 vertical bar
..#..
..#..
..#..
..#..
..#..
..#..
..#..
..#..
)art";

} // namespace

constexpr std::array<std::uint8_t, 3800> ascii5x8 =
    GlyphTableBuilder<5, 8, 32, 126>().draw(kArt).fillFrom(kAscii5x7, 7, 32, 32, 126).table();

} // namespace lcd::tables
