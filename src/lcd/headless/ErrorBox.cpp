#include "lcd/LCDLabel.h"

namespace lcd {

// Without a window system there is no one to show a message to; a caller that wants the
// rejections installs its own handler.
ErrorBox platformErrorBox()
{
    return {};
}

} // namespace lcd
