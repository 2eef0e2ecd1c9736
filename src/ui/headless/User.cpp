#include "ui/headless/User.h"

#include "ui/Application.h"

namespace ui::headless {

namespace {

bool reachable(const Control& control)
{
    for (const Control* c = &control; c; c = c->parent()) {
        if (!c->visible() || !c->enabled()) {
            return false;
        }
    }
    return true;
}

} // namespace

bool click(Control& control)
{
    if (!reachable(control)) {
        return false;
    }
    if (auto* windowed = dynamic_cast<WinControl*>(&control); windowed && windowed->tabStop()) {
        windowed->setFocus();
    }
    runUserAction([&] { control.click(); });
    return true;
}

bool chooseMenuItem(MenuItem& item)
{
    for (const MenuItem* i = &item; i && i->parentItem(); i = i->parentItem()) {
        if (!i->enabled() || !i->visible()) {
            return false;
        }
    }
    if (item.isSeparator() || item.count() > 0 || !item.menu()) {
        return false;
    }
    runUserAction([&] { item.click(); });
    return true;
}

bool scroll(TrackBar& bar, std::int32_t position)
{
    if (!reachable(bar)) {
        return false;
    }
    runUserAction([&] { bar.scrolledByUser(position); });
    return true;
}

bool selectItem(ListBox& list, std::int32_t index)
{
    if (!reachable(list) || index < 0 || index >= list.items().count()) {
        return false;
    }
    list.setFocus();
    runUserAction([&] { list.selectedByUser(index); });
    return true;
}

bool rightClick(Control& control, int screenX, int screenY)
{
    if (!reachable(control)) {
        return false;
    }
    bool opened = false;
    runUserAction([&] { opened = control.contextPopup(screenX, screenY); });
    return opened;
}

bool typeText(Edit& edit, const std::string& text)
{
    if (!reachable(edit)) {
        return false;
    }
    edit.setFocus();
    runUserAction([&] { edit.textEdited(edit.text() + text); });
    return !edit.readOnly();
}

bool pressKey(Form& form, std::uint16_t key, std::uint8_t shift)
{
    if (!form.visible() || !form.enabled()) {
        return false;
    }
    runUserAction([&] { form.handleKey(key, shift); });
    return true;
}

bool closeForm(Form& form)
{
    if (!form.visible()) {
        return false;
    }
    runUserAction([&] { form.close(); });
    return true;
}

} // namespace ui::headless
