#pragma once
// What the settings dialog needs of its window beyond the framework's model: the help button
// in the title bar, and the list's true first visible row. One implementation per platform:
// win32/DialogWindow.cpp works on the real windows, headless/DialogWindow.cpp has no window
// to work on. Both are safe to call on a form or list that has no window (yet, or at all).

#include <cstdint>
#include <functional>

namespace ui {
class Control;
class Form;
class ListBox;
} // namespace ui

namespace profile {

// Gives the form's window the help button in its title bar. When the user asks for help on a
// control with it (the help button, then a click on the control), `onHelp` runs with the
// model's control, as a user action. The help request the system makes of the F1 key is
// dropped: the form handles that key itself, as a key. Nothing when the form has no window;
// once per window (later calls are ignored).
void enableContextHelp(ui::Form& form, std::function<void(ui::Control&)> onHelp);

// Brings the list's TopIndex in step with the row the user scrolled to (the model does not
// hear of scrolling). Nothing when the list has no window.
void syncTopIndex(ui::ListBox& list);

} // namespace profile
