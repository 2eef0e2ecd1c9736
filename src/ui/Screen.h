#pragma once
// Geometry of windows on the screen: display scaling and placement.
//
// Forms and controls keep their geometry in design units, the pixels of a screen of 96 dots
// per inch; that is what the forms set, what language files and tests speak in, and what the
// model holds at every scale. A backend lays each window out at the dpi of its monitor: a
// length is scaled to the nearest pixel (halves away from zero, as the system's MulDiv
// rounds), a box by its edges, so that controls that touch at design size touch at every
// scale and none drifts by the sum of its neighbours' rounding.

#include "ui/Raster.h"

namespace ui {

inline constexpr int kDesignDpi = 96;

// A design length at `dpi`. At kDesignDpi every value stays as it is; a dpi of 0 or less
// counts as kDesignDpi.
int scaleLength(int value, int dpi);
// A length of a window at `dpi` in design units (the inverse: for every dpi of at least 96,
// unscaleLength(scaleLength(v, dpi), dpi) == v).
int unscaleLength(int value, int dpi);
Point scalePoint(Point point, int dpi);
Point unscalePoint(Point point, int dpi);
// The box with each edge scaled.
Box scaleBox(const Box& box, int dpi);

// The box of `width` x `height` whose centre is the centre of `over`, to a pixel.
Box centredOver(const Box& over, int width, int height);
// The window moved, never resized, so that it lies inside the work area. A window wider
// (or taller) than the area is put at the area's left (or top) edge, so that its caption
// and its left part stay reachable.
Box keptInside(const Box& window, const Box& workArea);

} // namespace ui
