#pragma once
// ListBox: a list of lines (Items) with at most one selected (ItemIndex, -1 for none) and
// the index of the first visible line (TopIndex). A selection by the user, with the mouse
// or the keys, raises OnClick; a selection by the program does not. A right-click opens
// the PopupMenu and leaves the selection alone. Changing the lines keeps the selected index
// while it is inside the list, and clears it otherwise.

#include "ui/StringList.h"
#include "ui/WinControl.h"

namespace ui {

class ListBox : public WinControl {
public:
    explicit ListBox(Component* owner);

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    StringList& items() { return m_items; }
    const StringList& items() const { return m_items; }

    std::int32_t itemIndex() const { return m_itemIndex; }
    // -1, or an index outside the list, clears the selection.
    void setItemIndex(std::int32_t index);
    std::int32_t topIndex() const { return m_topIndex; }
    // Brought into 0..count-1 (0 for an empty list).
    void setTopIndex(std::int32_t index);

    // The user selected a line (the backend reports it, or a test acts as the user).
    void selectedByUser(std::int32_t index);
    // The user scrolled the list so that `index` is the first visible line.
    void scrolledByUser(std::int32_t index);

private:
    class Items : public StringList {
    public:
        explicit Items(ListBox& owner) : m_owner(owner) {}

    protected:
        void changed() override;

    private:
        ListBox& m_owner;
    };

    void itemsChanged();

    Items m_items{*this};
    std::int32_t m_itemIndex = -1;
    std::int32_t m_topIndex = 0;
};

} // namespace ui
