#pragma once
// Acting as the user on a headless form. Each function does what the Windows backend does
// when the system reports the same input: it refuses input that a real user could not give
// (a hidden or disabled control, a disabled menu item), and runs the model's reaction as a
// user action, so an exception ends up in the standard error box. Each returns whether the
// input reached the model.

#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"
#include "ui/TrackBar.h"

#include <cstdint>
#include <string>

namespace ui::headless {

// A mouse click on a control (a button press, a check box toggle, a label click).
bool click(Control& control);
// A menu item chosen from a form's menu bar (every item above it must be enabled too).
bool chooseMenuItem(MenuItem& item);
// The thumb dragged or moved with the keys to `position` (one scroll notification).
bool scroll(TrackBar& bar, std::int32_t position);
// A line of a list box selected with the mouse or the keys.
bool selectItem(ListBox& list, std::int32_t index);
// A right-click on a control at a screen point (opens its pop-up menu, if any).
bool rightClick(Control& control, int screenX, int screenY);
// Characters typed at the end of an edit's text (focusing it first).
bool typeText(Edit& edit, const std::string& text);
// A key pressed on a form (the focused control gets it after the dialog keys).
bool pressKey(Form& form, std::uint16_t key, std::uint8_t shift = ssNone);
// The close button of the form's title bar.
bool closeForm(Form& form);

} // namespace ui::headless
