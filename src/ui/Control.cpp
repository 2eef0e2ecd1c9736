#include "ui/Control.h"

#include "ui/Backend.h"
#include "ui/Label.h"
#include "ui/Menu.h"
#include "ui/WinControl.h"

#include <algorithm>
#include <limits>

namespace ui {

const std::vector<std::string> alignIdentifiers = {"alNone", "alTop",   "alBottom",
                                                   "alLeft", "alRight", "alClient"};

namespace {

std::int32_t saturatedSum(std::int32_t a, std::int32_t b)
{
    const std::int64_t sum = static_cast<std::int64_t>(a) + b;
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

} // namespace

const ClassInfo& Control::staticClassInfo()
{
    using P = Published<Control>;
    static const ClassInfo info(
        "TControl", &Component::staticClassInfo(),
        {
            P::integer("Left", &Control::left, &Control::setLeft),
            P::integer("Top", &Control::top, &Control::setTop),
            P::integer("Width", &Control::width, &Control::setWidth),
            P::integer("Height", &Control::height, &Control::setHeight),
            P::enumeration("Align", &Control::align, &Control::setAlign, alignIdentifiers),
            P::boolean("Enabled", &Control::enabled, &Control::setEnabled),
            P::integer("HelpContext", &Control::helpContext, &Control::setHelpContext),
            P::text("Hint", &Control::hint, &Control::setHint),
            P::boolean("ParentFont", &Control::parentFont, &Control::setParentFont),
            P::boolean("ShowHint", &Control::showHint, &Control::setShowHint),
            P::boolean("Visible", &Control::visible, &Control::setVisible),
        });
    return info;
}

Control::Control(Component* owner) : Component(owner)
{
    m_font.OnChange = [this](Persistent&) { fontChanged(); };
}

Control::~Control()
{
    m_peer.reset();
    if (m_parent) {
        m_parent->removeControl(*this);
        m_parent = nullptr;
    }
}

void Control::beforeDestruction()
{
    // The window goes first, while the whole model is still there to answer it.
    m_peer.reset();
    Component::beforeDestruction();
}

Box Control::boundsRect() const
{
    return {m_left, m_top, saturatedSum(m_left, m_width), saturatedSum(m_top, m_height)};
}

void Control::setLeft(std::int32_t left)
{
    setBounds(left, m_top, m_width, m_height);
}

void Control::setTop(std::int32_t top)
{
    setBounds(m_left, top, m_width, m_height);
}

void Control::setWidth(std::int32_t width)
{
    setBounds(m_left, m_top, width, m_height);
}

void Control::setHeight(std::int32_t height)
{
    setBounds(m_left, m_top, m_width, height);
}

void Control::setBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                        std::int32_t height)
{
    width = std::max(width, 0);
    height = std::max(height, 0);
    if (left == m_left && top == m_top && width == m_width && height == m_height) {
        return;
    }
    // The area left behind needs drawing too: the parent repaints it.
    if (m_parent && !m_peer && m_visible) {
        m_parent->invalidate();
    }
    m_left = left;
    m_top = top;
    m_width = width;
    m_height = height;
    invalidate();
    changed(ControlChange::Bounds);
    if (m_parent && m_align != Align::None) {
        m_parent->realign();
    }
}

bool Control::isShowing() const
{
    if (!m_visible) {
        return false;
    }
    return m_parent ? m_parent->isShowing() : true;
}

void Control::setVisible(bool visible)
{
    if (visible == m_visible) {
        return;
    }
    m_visible = visible;
    if (m_parent && !m_peer) {
        m_parent->invalidate();
    }
    invalidate();
    changed(ControlChange::Visible);
    if (m_parent && m_align != Align::None) {
        m_parent->realign();
    }
}

void Control::setEnabled(bool enabled)
{
    if (enabled == m_enabled) {
        return;
    }
    m_enabled = enabled;
    invalidate();
    changed(ControlChange::Enabled);
}

void Control::setHint(const std::string& hint)
{
    if (hint != m_hint) {
        m_hint = hint;
        changed(ControlChange::Hint);
    }
}

void Control::setShowHint(bool showHint)
{
    if (showHint != m_showHint) {
        m_showHint = showHint;
        changed(ControlChange::Hint);
    }
}

void Control::setAlign(Align align)
{
    if (align == m_align) {
        return;
    }
    m_align = align;
    if (m_parent) {
        m_parent->realign();
    }
}

void Control::setParentFont(bool parentFont)
{
    m_parentFont = parentFont;
    if (parentFont) {
        takeParentFont();
    }
}

void Control::takeParentFont()
{
    if (!m_parentFont || !m_parent) {
        return;
    }
    m_takingParentFont = true;
    m_font.assign(m_parent->font());
    m_takingParentFont = false;
}

void Control::fontChanged()
{
    if (!m_takingParentFont) {
        m_parentFont = false;
    }
    invalidate();
    changed(ControlChange::Font);
}

void Control::setText(const std::string& text)
{
    if (text == m_text) {
        return;
    }
    m_text = text;
    textChanged();
    invalidate();
    changed(ControlChange::Text);
}

void Control::setParent(WinControl* parent)
{
    if (parent == m_parent) {
        return;
    }
    WinControl* old = m_parent;
    if (old) {
        old->removeControl(*this);
        if (!m_peer) {
            old->invalidate();
        }
    }
    m_parent = parent;
    if (parent) {
        parent->insertControl(*this);
        takeParentFont();
    }
    if (!parent) {
        m_peer.reset(); // a window cannot live without its parent window
    }
    invalidate();
    changed(ControlChange::Parent);
    if (parent) {
        parent->childJoined(*this);
    }
    if (m_align != Align::None) {
        if (old) {
            old->realign();
        }
        if (parent) {
            parent->realign();
        }
    }
}

void Control::invalidate()
{
    m_needsRepaint = true;
    if (m_peer) {
        m_peer->invalidate({0, 0, m_width, m_height});
    } else if (ControlPeer* window = windowPeer()) {
        const Point at = positionInWindow();
        window->invalidate({at.x, at.y, saturatedSum(at.x, m_width), saturatedSum(at.y, m_height)});
    }
}

void Control::setPopupMenu(PopupMenu* menu)
{
    if (menu == m_popupMenu) {
        return;
    }
    if (m_popupMenu) {
        removeFreeNotification(m_popupMenu);
    }
    m_popupMenu = menu;
    if (menu) {
        freeNotification(menu);
    }
}

bool Control::contextPopup(int screenX, int screenY)
{
    if (!m_popupMenu) {
        return false;
    }
    m_popupMenu->popup(screenX, screenY);
    return true;
}

void Control::notification(Component& component, Operation operation)
{
    if (operation == Operation::Remove && &component == m_popupMenu) {
        m_popupMenu = nullptr;
    }
    Component::notification(component, operation);
}

std::string Control::accessibleName() const
{
    if (m_accessible.hasName()) {
        return m_accessible.name();
    }
    if (m_parent) {
        for (const Control* sibling : m_parent->controls()) {
            if (const auto* label = dynamic_cast<const Label*>(sibling);
                label && label->focusControl() == this) {
                return withoutAccessKey(label->caption());
            }
        }
    }
    return {};
}

void Control::raiseAccessibleEvent(AccessibleEvent event)
{
    if (Backend* installed = currentBackend()) {
        installed->accessibleEvent(*this, event);
    }
}

void Control::announce(const std::string& text)
{
    if (Backend* installed = currentBackend()) {
        installed->announce(*this, text);
    }
}

void Control::click()
{
    if (OnClick) {
        OnClick(*this);
    }
}

void Control::setPeer(std::unique_ptr<ControlPeer> peer)
{
    m_peer = std::move(peer);
}

ControlPeer* Control::windowPeer() const
{
    for (const Control* c = this; c; c = c->m_parent) {
        if (c->m_peer) {
            return c->m_peer.get();
        }
    }
    return nullptr;
}

Point Control::positionInWindow() const
{
    Point at{0, 0};
    for (const Control* c = this; c && !c->m_peer; c = c->m_parent) {
        at.x = saturatedSum(at.x, c->m_left);
        at.y = saturatedSum(at.y, c->m_top);
    }
    return at;
}

void Control::changed(ControlChange what)
{
    if (m_peer) {
        m_peer->changed(what);
    }
}

} // namespace ui
