#include "ui/ListBox.h"

#include <algorithm>

namespace ui {

const ClassInfo& ListBox::staticClassInfo()
{
    using P = Published<ListBox>;
    static const ClassInfo info(
        "TListBox", &WinControl::staticClassInfo(),
        {
            P::object("Font", &Control::font),
            P::integer("ItemIndex", &ListBox::itemIndex, &ListBox::setItemIndex),
            P::object("Items", &ListBox::items),
            P::integer("TopIndex", &ListBox::topIndex, &ListBox::setTopIndex),
            P::other("OnClick"),
            P::other("OnKeyDown"),
        });
    return info;
}

ListBox::ListBox(Component* owner) : WinControl(owner)
{
    setTabStop(true);
}

void ListBox::setItemIndex(std::int32_t index)
{
    if (index < 0 || index >= m_items.count()) {
        index = -1;
    }
    if (index != m_itemIndex) {
        m_itemIndex = index;
        changed(ControlChange::State);
    }
}

void ListBox::setTopIndex(std::int32_t index)
{
    index = std::clamp(index, 0, std::max(m_items.count() - 1, 0));
    if (index != m_topIndex) {
        m_topIndex = index;
        changed(ControlChange::State);
    }
}

void ListBox::selectedByUser(std::int32_t index)
{
    setItemIndex(index);
    click();
}

void ListBox::scrolledByUser(std::int32_t index)
{
    setTopIndex(index);
}

void ListBox::itemsChanged()
{
    // The lines are new: the window shows them, and positions past the end are gone.
    if (m_itemIndex >= m_items.count()) {
        m_itemIndex = -1;
    }
    m_topIndex = std::clamp(m_topIndex, 0, std::max(m_items.count() - 1, 0));
    changed(ControlChange::Text);
}

void ListBox::Items::changed()
{
    m_owner.itemsChanged();
    StringList::changed();
}

} // namespace ui
