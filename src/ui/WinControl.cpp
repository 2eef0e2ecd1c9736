#include "ui/WinControl.h"

#include "ui/Backend.h"
#include "ui/Form.h"
#include "ui/GraphicControl.h"
#include "ui/Text.h"

#include <algorithm>

namespace ui {

const ClassInfo& WinControl::staticClassInfo()
{
    using P = Published<WinControl>;
    static const ClassInfo info(
        "TWinControl", &Control::staticClassInfo(),
        {
            P::integer("TabOrder", &WinControl::tabOrder, &WinControl::setTabOrder),
            P::boolean("TabStop", &WinControl::tabStop, &WinControl::setTabStop),
        });
    return info;
}

WinControl::WinControl(Component* owner) : Control(owner)
{
}

WinControl::~WinControl()
{
    // Owned components may be children of this control: they go while it is whole.
    destroyComponents();
    while (!m_controls.empty()) {
        Control* child = m_controls.back();
        m_controls.pop_back();
        child->m_parent = nullptr;
        child->changed(ControlChange::Parent);
    }
    m_tabList.clear();
}

Control* WinControl::control(int index) const
{
    if (index < 0 || index >= controlCount()) {
        throw ListIndexError(index);
    }
    return m_controls[static_cast<std::size_t>(index)];
}

Control* WinControl::FindChildControl(std::string_view name) const
{
    if (name.empty()) {
        return nullptr;
    }
    for (Control* c : m_controls) {
        if (sameText(c->name(), name)) {
            return c;
        }
    }
    return nullptr;
}

std::int32_t WinControl::tabOrder() const
{
    if (!parent()) {
        return -1;
    }
    const auto& list = parent()->m_tabList;
    const auto it = std::find(list.begin(), list.end(), this);
    return it == list.end() ? -1 : static_cast<std::int32_t>(it - list.begin());
}

void WinControl::setTabOrder(std::int32_t order)
{
    if (order < 0 || !parent()) {
        return;
    }
    auto& list = parent()->m_tabList;
    const auto it = std::find(list.begin(), list.end(), this);
    if (it == list.end()) {
        return;
    }
    list.erase(it);
    const std::size_t at = std::min(static_cast<std::size_t>(order), list.size());
    list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
    for (WinControl* sibling : list) {
        sibling->changed(ControlChange::TabOrder);
    }
}

void WinControl::setTabStop(bool tabStop)
{
    if (tabStop != m_tabStop) {
        m_tabStop = tabStop;
        changed(ControlChange::TabOrder);
    }
}

Box WinControl::clientRect() const
{
    return {0, 0, width(), height()};
}

void WinControl::realign()
{
    if (m_realigning) {
        return;
    }
    m_realigning = true;
    Box rest = clientRect();
    for (Align pass : {Align::Top, Align::Bottom, Align::Left, Align::Right, Align::Client}) {
        for (Control* c : m_controls) {
            if (c->align() != pass || !c->visible()) {
                continue;
            }
            const int w = std::max(rest.width(), 0);
            const int h = std::max(rest.height(), 0);
            switch (pass) {
            case Align::Top:
                c->setBounds(rest.left, rest.top, w, c->height());
                rest.top += c->height();
                break;
            case Align::Bottom:
                c->setBounds(rest.left, rest.bottom - c->height(), w, c->height());
                rest.bottom -= c->height();
                break;
            case Align::Left:
                c->setBounds(rest.left, rest.top, c->width(), h);
                rest.left += c->width();
                break;
            case Align::Right:
                c->setBounds(rest.right - c->width(), rest.top, c->width(), h);
                rest.right -= c->width();
                break;
            case Align::Client: c->setBounds(rest.left, rest.top, w, h); break;
            case Align::None: break;
            }
        }
    }
    m_realigning = false;
}

void WinControl::createHandle()
{
    if (!peer()) {
        if (Backend* b = currentBackend()) {
            setPeer(b->createPeer(*this));
        }
    }
    if (!peer()) {
        return;
    }
    const std::vector<Control*> children = m_controls;
    for (Control* c : children) {
        if (auto* windowed = dynamic_cast<WinControl*>(c)) {
            windowed->createHandle();
        }
    }
}

bool WinControl::canFocus() const
{
    const Form* form = Form::parentForm(*this);
    if (!form || form == this) {
        return false;
    }
    for (const Control* c = this; c && c != form; c = c->parent()) {
        if (!c->visible() || !c->enabled()) {
            return false;
        }
    }
    return true;
}

void WinControl::setFocus()
{
    if (!canFocus()) {
        return;
    }
    Form::parentForm(*this)->setActiveControl(this);
}

bool WinControl::focused() const
{
    const Form* form = Form::parentForm(*this);
    return form && form->activeControl() == this;
}

bool WinControl::keyDown(std::uint16_t& key, std::uint8_t shift)
{
    if (OnKeyDown) {
        OnKeyDown(*this, key, shift);
    }
    return key == 0;
}

void WinControl::systemColorsChanged()
{
    invalidate();
    for (Control* c : m_controls) {
        if (auto* windowed = dynamic_cast<WinControl*>(c)) {
            windowed->systemColorsChanged();
        } else {
            c->invalidate();
        }
    }
}

void WinControl::paintInvalidatedControls()
{
    // A copy: painting may add or remove children.
    const std::vector<Control*> children = m_controls;
    for (Control* c : children) {
        if (auto* graphic = dynamic_cast<GraphicControl*>(c)) {
            if (graphic->needsRepaint() && graphic->visible()) {
                graphic->Paint();
            }
        } else if (auto* windowed = dynamic_cast<WinControl*>(c)) {
            windowed->paintInvalidatedControls();
        }
    }
    setNeedsRepaint(false);
}

void WinControl::changed(ControlChange what)
{
    Control::changed(what);
    if (what == ControlChange::Bounds) {
        realign();
    } else if (what == ControlChange::Font) {
        for (Control* c : m_controls) {
            c->takeParentFont();
        }
    }
}

void WinControl::insertControl(Control& control)
{
    m_controls.push_back(&control);
    if (auto* windowed = dynamic_cast<WinControl*>(&control)) {
        m_tabList.push_back(windowed);
    }
}

void WinControl::childJoined(Control& control)
{
    if (hasHandle()) {
        if (auto* windowed = dynamic_cast<WinControl*>(&control)) {
            windowed->createHandle();
        }
    }
}

void WinControl::removeControl(Control& control)
{
    if (Form* form = Form::parentForm(*this)) {
        form->controlLeaving(control);
    }
    m_controls.erase(std::remove(m_controls.begin(), m_controls.end(), &control), m_controls.end());
    m_tabList.erase(std::remove(m_tabList.begin(), m_tabList.end(), &control), m_tabList.end());
}

} // namespace ui
