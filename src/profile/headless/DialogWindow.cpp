#include "profile/DialogWindow.h"

// Without windows there is no title bar to put a help button in, and the list's first
// visible row is the model's own TopIndex.

namespace profile {

// The Windows one keeps the handler, hence its signature.
void enableContextHelp(
    ui::Form&,
    std::function<void(ui::Control&)>) // NOLINT(performance-unnecessary-value-param)
{
}

void syncTopIndex(ui::ListBox&)
{
}

} // namespace profile
