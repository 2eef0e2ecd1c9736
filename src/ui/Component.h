#pragma once
// Component: the base of everything a form is built from. A component has a Name, a Tag
// and an Owner, and owns the components made with it as their owner.
//
// Ownership: a component made with an owner belongs to it. The owner deletes its components
// when it is destroyed itself, the last made first, each through ui::destroy (so that
// beforeDestruction runs while the whole object is still alive). Deleting a component
// earlier removes it from its owner. A component made without an owner belongs to whoever
// made it; hold it in a ui::ComponentPtr.
//
// Names: a component may be unnamed (the empty name). A name is an identifier (a letter or
// "_", then letters, digits or "_"), unique among the components of one owner without regard
// to letter case. findComponent matches names without regard to letter case; the empty name
// matches nothing.
//
// News: when a component is added to or removed from its owner, the owner hears it and passes
// it on to the other components it owns that hear sibling news (all but those made with
// SiblingNews::Ignored). A component that refers to nothing beside it, such as a menu item of
// a list that may hold tens of thousands, is made so, and adding or removing one then costs
// the same however many there are. Removing the component made last is quick whatever the
// count.

#include "ui/ClassInfo.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ui {

class Component : public Persistent {
public:
    explicit Component(Component* owner);
    ~Component() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& name() const { return m_name; }
    // Throws ui::Error ("'%s' is not a valid component name", "A component named %s already
    // exists") and keeps the old name when the new one is refused.
    void setName(const std::string& name);
    std::int32_t tag() const { return m_tag; }
    void setTag(std::int32_t tag) { m_tag = tag; }

    Component* owner() const { return m_owner; }
    int componentCount() const { return static_cast<int>(m_components.size()); }
    // Throws ListIndexError outside 0..componentCount()-1.
    Component* component(int index) const;
    // The owned components, in the order they were made.
    const std::vector<Component*>& components() const { return m_components; }
    // The owned component of that name (letter case ignored); null when none.
    Component* findComponent(std::string_view name) const;

    // Asks to be told, through notification(), when `other` is destroyed. Used by components
    // that refer to components of another owner. Cancelled automatically when either goes.
    void freeNotification(Component* other);
    void removeFreeNotification(Component* other);

    // Tells the component that its owner has finished making it and setting its stored
    // properties (Form::finishCreation calls it on every component the form owns).
    virtual void loaded() {}

    // Runs once before the component is deleted, while it is still whole: marks this
    // component and everything it owns as destroying, tells the components that asked for
    // it (and, through the owner, its siblings) that it goes, and leaves its owner. Forms
    // raise OnDestroy here first. Overrides call the base last.
    virtual void beforeDestruction();
    bool isDestroying() const { return m_destroying; }

    enum class Operation { Insert, Remove };

protected:
    enum class SiblingNews { Heard, Ignored };
    // A component that never needs to hear of its siblings (see News above).
    Component(Component* owner, SiblingNews news);

    // Tells this component that `component` was added to or removed from its owner (the
    // owner passes it on to all it owns), or that a component it asked about is going.
    // Overrides drop their references to a removed component and call the base.
    virtual void notification(Component& component, Operation operation);

    // Deletes the owned components, last made first. A derived class whose owned
    // components use its own members calls this at the start of its destructor.
    void destroyComponents();

private:
    friend void destroy(Component* component);
    void markDestroying();
    void announceGoing();
    void insertComponent(Component& component);
    void removeComponent(Component& component);

    std::string m_name;
    std::int32_t m_tag = 0;
    Component* m_owner = nullptr;
    std::vector<Component*> m_components;
    std::vector<Component*> m_listeners;    // the owned components that hear sibling news
    std::vector<Component*> m_freeNotifies; // both directions: who wants to know, and whom
    bool m_destroying = false;
    bool m_hearsSiblings = true;
};

// Deletes a component: beforeDestruction, then delete. Null is allowed.
void destroy(Component* component);

struct ComponentDeleter {
    void operator()(Component* component) const { destroy(component); }
};

// Holds a component that has no owner.
template <class T>
using ComponentPtr = std::unique_ptr<T, ComponentDeleter>;

template <class T, class... Args>
ComponentPtr<T> makeComponent(Args&&... args)
{
    return ComponentPtr<T>(new T(std::forward<Args>(args)...));
}

} // namespace ui
