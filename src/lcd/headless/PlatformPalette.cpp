#include "lcd/Color.h"

namespace lcd {

const SystemPalette& platformPalette()
{
    static const ClassicPalette palette;
    return palette;
}

} // namespace lcd
