#include "ui/Component.h"

#include "ui/Text.h"

#include <algorithm>
#include <iterator>

namespace ui {

namespace {

bool isIdentifier(std::string_view name)
{
    if (name.empty()) {
        return false;
    }
    auto letter = [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    };
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    if (!letter(name.front())) {
        return false;
    }
    return std::all_of(name.begin(), name.end(), [&](char c) { return letter(c) || digit(c); });
}

// Searched from the end: the component made last is the one most often removed (an owner
// deletes its components last made first, and lists are emptied from their end).
void eraseOne(std::vector<Component*>& list, const Component* item)
{
    auto it = std::find(list.rbegin(), list.rend(), item);
    if (it != list.rend()) {
        list.erase(std::next(it).base());
    }
}

} // namespace

const ClassInfo& Component::staticClassInfo()
{
    using P = Published<Component>;
    static const ClassInfo info("TComponent", &Persistent::staticClassInfo(),
                                {
                                    P::text("Name", &Component::name, &Component::setName),
                                    P::integer("Tag", &Component::tag, &Component::setTag),
                                });
    return info;
}

Component::Component(Component* owner) : Component(owner, SiblingNews::Heard)
{
}

Component::Component(Component* owner, SiblingNews news)
    : m_hearsSiblings(news == SiblingNews::Heard)
{
    if (owner) {
        owner->insertComponent(*this);
    }
}

Component::~Component()
{
    markDestroying();
    announceGoing(); // already done when deleted through destroy()
    destroyComponents();
}

void Component::announceGoing()
{
    // Tell everyone who asked that this component is going, and forget the other direction.
    while (!m_freeNotifies.empty()) {
        Component* other = m_freeNotifies.back();
        m_freeNotifies.pop_back();
        eraseOne(other->m_freeNotifies, this);
        other->notification(*this, Operation::Remove);
    }
    if (m_owner) {
        m_owner->removeComponent(*this);
    }
}

void Component::setName(const std::string& name)
{
    if (name == m_name) {
        return;
    }
    if (!name.empty() && !isIdentifier(name)) {
        throw Error(formatText(frameworkText(SInvalidComponentName), name));
    }
    if (!name.empty() && m_owner) {
        Component* same = m_owner->findComponent(name);
        if (same && same != this) {
            throw Error(formatText(frameworkText(SDuplicateComponentName), name));
        }
    }
    m_name = name;
}

Component* Component::component(int index) const
{
    if (index < 0 || index >= componentCount()) {
        throw ListIndexError(index);
    }
    return m_components[static_cast<std::size_t>(index)];
}

Component* Component::findComponent(std::string_view name) const
{
    if (name.empty()) {
        return nullptr;
    }
    for (Component* c : m_components) {
        if (sameText(c->m_name, name)) {
            return c;
        }
    }
    return nullptr;
}

void Component::freeNotification(Component* other)
{
    if (!other || other == this) {
        return;
    }
    if (std::find(m_freeNotifies.begin(), m_freeNotifies.end(), other) == m_freeNotifies.end()) {
        m_freeNotifies.push_back(other);
        other->m_freeNotifies.push_back(this);
    }
}

void Component::removeFreeNotification(Component* other)
{
    if (!other) {
        return;
    }
    eraseOne(m_freeNotifies, other);
    eraseOne(other->m_freeNotifies, this);
}

void Component::beforeDestruction()
{
    markDestroying();
    announceGoing();
}

void Component::markDestroying()
{
    if (m_destroying) {
        return;
    }
    m_destroying = true;
    for (Component* c : m_components) {
        c->markDestroying();
    }
}

void Component::notification(Component& component, Operation operation)
{
    // An owner passes news about one of its components on to all the others.
    if (component.m_owner == this) {
        for (Component* c : m_listeners) {
            if (c != &component) {
                c->notification(component, operation);
            }
        }
    }
}

void Component::destroyComponents()
{
    while (!m_components.empty()) {
        destroy(m_components.back());
    }
}

void Component::insertComponent(Component& component)
{
    component.m_owner = this;
    m_components.push_back(&component);
    if (component.m_hearsSiblings) {
        m_listeners.push_back(&component);
    }
    notification(component, Operation::Insert);
}

void Component::removeComponent(Component& component)
{
    notification(component, Operation::Remove);
    eraseOne(m_components, &component);
    if (component.m_hearsSiblings) {
        eraseOne(m_listeners, &component);
    }
    component.m_owner = nullptr;
}

void destroy(Component* component)
{
    if (!component) {
        return;
    }
    component->beforeDestruction();
    delete component;
}

} // namespace ui
