#include "ui/Collection.h"

#include "ui/Text.h"

namespace ui {

const ClassInfo& CollectionItem::staticClassInfo()
{
    static const ClassInfo info("TCollectionItem", &Persistent::staticClassInfo(), {});
    return info;
}

int CollectionItem::index() const
{
    const auto& items = m_collection->m_items;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].get() == this) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

const ClassInfo& Collection::staticClassInfo()
{
    static const ClassInfo info("TCollection", &Persistent::staticClassInfo(), {});
    return info;
}

CollectionItem& Collection::item(int index) const
{
    if (index < 0 || index >= count()) {
        throw ListIndexError(index);
    }
    return *m_items[static_cast<std::size_t>(index)];
}

CollectionItem& Collection::add()
{
    m_items.push_back(m_makeItem(*this));
    changed();
    return *m_items.back();
}

void Collection::remove(int index)
{
    if (index < 0 || index >= count()) {
        throw ListIndexError(index);
    }
    m_items.erase(m_items.begin() + index);
    changed();
}

void Collection::clear()
{
    if (!m_items.empty()) {
        m_items.clear();
        changed();
    }
}

void Collection::changed()
{
    if (OnChange) {
        OnChange(*this);
    }
}

} // namespace ui
