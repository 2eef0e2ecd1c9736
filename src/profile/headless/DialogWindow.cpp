#include "profile/DialogWindow.h"

// Without windows there is no title bar to put a help button in, and the list's first
// visible row is the model's own TopIndex.

namespace profile {

void enableContextHelp(ui::Form&, std::function<void(ui::Control&)>)
{
}

void syncTopIndex(ui::ListBox&)
{
}

} // namespace profile
