#pragma once
// Where a paint of the display puts its frame and its dots, in the pixels of the picture it
// draws. At design size (96 dpi) the grid follows from the layout (TLCDLabel); a window at
// another scale shows the display on its area scaled, drawn anew on a grid of its own so that
// every dot stays square and sharp, every gap in a row the same.

namespace lcd {

struct DotGrid {
    int frame = 1; // how many pixels wide the frame's lines are
    int dotWidth = 0;
    int dotHeight = 0;
    int dotStepX = 0; // from the left edge of a dot to that of the next in its cell
    int dotStepY = 0;
    int cellStepX = 0; // from the left edge of a cell to that of the next
    int cellStepY = 0;
    int originX = 0; // the top-left pixel of the first cell
    int originY = 0;
    friend bool operator==(const DotGrid&, const DotGrid&) = default;
};

// What a display is made of: cells of `cols` x `rows` dots, `chars` cells on each of `lines`
// lines, and its grid at design size.
struct DotLayout {
    int cols = 0;
    int rows = 0;
    int chars = 0;
    int lines = 0;
    DotGrid design;
};

// The grid of the display on an area of width x height pixels of a window at `dpi`:
//   - dots scaled and rounded down at halves (at least 1), so that the gaps keep room at
//     scales between whole steps; gaps between dots scaled likewise (at least 1 if any);
//   - cells spaced as the scaled design spaces them, but never closer than the scaled gap
//     between cells, and closer only as far as the area needs;
//   - the frame as many pixels wide as the scale's whole steps;
//   - the cells centred on the area inside the frame, as the design's margins centre them.
// At 96 dpi on the design's own area this is the design grid. When even the closest
// spacing does not fit, the design grid enlarged by the scale's whole steps is used; what
// does not fit then is cut by the picture's edge.
DotGrid scaledGrid(const DotLayout& layout, int dpi, int width, int height);

} // namespace lcd
