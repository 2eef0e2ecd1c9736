#pragma once
// Collection: an indexed list of items that have published properties of their own, the
// value of object properties such as a status bar's Panels. The language-file walk reaches
// an item by its index ("Panels.Items(0).Text") and sets the item's properties by name.
//
// The collection owns its items. Declare an item class like any other class with published
// properties (see ClassInfo.h), with a constructor taking the Collection, and hold the
// items in a TypedCollection<ItemClass>.

#include "ui/ClassInfo.h"

#include <functional>
#include <memory>
#include <vector>

namespace ui {

class Collection;

class CollectionItem : public Persistent {
public:
    explicit CollectionItem(Collection& collection) : m_collection(&collection) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    Collection& collection() const { return *m_collection; }
    // The item's place in its collection.
    int index() const;

private:
    Collection* m_collection;
};

class Collection : public Persistent {
public:
    using ItemFactory = std::function<std::unique_ptr<CollectionItem>(Collection&)>;
    explicit Collection(ItemFactory makeItem) : m_makeItem(std::move(makeItem)) {}

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    int count() const { return static_cast<int>(m_items.size()); }
    // Throws ListIndexError outside 0..count()-1.
    CollectionItem& item(int index) const;
    // Appends a new item and returns it.
    CollectionItem& add();
    // Throws ListIndexError outside 0..count()-1.
    void remove(int index);
    void clear();

    NotifyEvent OnChange;

private:
    friend class CollectionItem;
    void changed();

    ItemFactory m_makeItem;
    std::vector<std::unique_ptr<CollectionItem>> m_items;
};

// A collection of items of one class T (derived from CollectionItem).
template <class T>
class TypedCollection : public Collection {
public:
    TypedCollection()
        : Collection([](Collection& c) -> std::unique_ptr<CollectionItem> {
              return std::make_unique<T>(c);
          })
    {
    }
    T& item(int index) const { return static_cast<T&>(Collection::item(index)); }
    T& add() { return static_cast<T&>(Collection::add()); }
};

} // namespace ui
