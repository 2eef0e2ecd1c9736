#include "ui/Form.h"

#include "ui/Application.h"
#include "ui/Button.h"
#include "ui/Menu.h"
#include "ui/Text.h"

#include <algorithm>
#include <set>

namespace ui {

const std::vector<std::string> modalResultIdentifiers = {
    "mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo"};

namespace {
std::set<const Form*>& liveForms()
{
    static std::set<const Form*> forms;
    return forms;
}
} // namespace

const ClassInfo& Form::staticClassInfo()
{
    using P = Published<Form>;
    static const ClassInfo info(
        "TForm", &WinControl::staticClassInfo(),
        {
            P::enumeration(
                "BorderStyle", &Form::borderStyle, &Form::setBorderStyle,
                {"bsNone", "bsSingle", "bsSizeable", "bsDialog", "bsToolWindow", "bsSizeToolWin"}),
            P::text("Caption", &Form::caption, &Form::setCaption),
            P::integer("ClientHeight", &WinControl::clientHeight, &Form::setClientHeight),
            P::integer("ClientWidth", &WinControl::clientWidth, &Form::setClientWidth),
            P::object("Font", &Control::font),
            P::boolean("KeyPreview", &Form::keyPreview, &Form::setKeyPreview),
            P::object("Menu", &Form::menuObject),
            P::enumeration("Position", &Form::position, &Form::setPosition,
                           {"poDesigned", "poDefault", "poDefaultPosOnly", "poDefaultSizeOnly",
                            "poScreenCenter", "poDesktopCenter", "poMainFormCenter",
                            "poOwnerFormCenter"}),
            P::other("OnClose"),
            P::other("OnCreate"),
            P::other("OnDestroy"),
            P::other("OnHide"),
            P::other("OnShow"),
        });
    return info;
}

Form::Form(Component* owner) : WinControl(owner)
{
    // A form starts hidden; showing it is the program's decision.
    setVisible(false);
    liveForms().insert(this);
}

Form::~Form()
{
    destroyComponents();
    liveForms().erase(this);
}

bool Form::exists(const Form* form)
{
    return liveForms().count(form) != 0;
}

Form* Form::parentForm(const Control& control)
{
    const Control* c = &control;
    while (c->parent()) {
        c = c->parent();
    }
    return dynamic_cast<Form*>(const_cast<Control*>(c));
}

void Form::setMenu(MainMenu* menu)
{
    if (menu == m_menu) {
        return;
    }
    if (m_menu) {
        m_menu->OnChange = nullptr;
        removeFreeNotification(m_menu);
    }
    m_menu = menu;
    if (menu) {
        freeNotification(menu);
        menu->OnChange = [this](Persistent&) { changed(ControlChange::State); };
    }
    changed(ControlChange::State);
}

void Form::show()
{
    createHandle();
    setVisible(true);
}

ModalResult Form::showModal()
{
    if (m_modal || visible()) {
        throw Error("Cannot make a visible window modal");
    }
    m_modalResult = ModalResult::None;
    m_modal = true;
    struct EndModal {
        Form& form;
        ~EndModal()
        {
            form.m_modal = false;
            form.setVisible(false);
        }
    } endModal{*this};
    show();
    backend().runModalLoop(*this);
    if (m_modalResult == ModalResult::None) {
        m_modalResult = ModalResult::Cancel;
    }
    return m_modalResult;
}

void Form::close()
{
    if (m_modal) {
        CloseAction action = CloseAction::Hide;
        if (OnClose) {
            OnClose(*this, action);
        }
        if (action != CloseAction::None) {
            m_modalResult = ModalResult::Cancel;
        }
        return;
    }
    Application* app = Application::current();
    const bool isMain = app && app->mainForm() == this;
    CloseAction action = isMain ? CloseAction::Free : CloseAction::Hide;
    if (OnClose) {
        OnClose(*this, action);
    }
    switch (action) {
    case CloseAction::None: break;
    case CloseAction::Hide:
    case CloseAction::Minimize: hide(); break;
    case CloseAction::Free:
        if (isMain) {
            app->terminate();
        } else {
            hide();
        }
        break;
    }
}

void Form::setActiveControl(WinControl* control)
{
    if (control && (control == this || parentForm(*control) != this)) {
        return;
    }
    if (control == m_activeControl) {
        return;
    }
    m_activeControl = control;
    if (control) {
        control->changed(ControlChange::State);
    }
}

void Form::controlLeaving(Control& control)
{
    for (Control* c = m_activeControl; c; c = c->parent()) {
        if (c == &control) {
            m_activeControl = nullptr;
            return;
        }
    }
}

namespace {
// The windowed controls below `parent` in tab order, depth first.
void collectTabOrder(const WinControl& parent, std::vector<WinControl*>& out)
{
    for (WinControl* c : parent.tabList()) {
        out.push_back(c);
        collectTabOrder(*c, out);
    }
}
} // namespace

void Form::selectNext(bool forward)
{
    std::vector<WinControl*> order;
    collectTabOrder(*this, order);
    std::vector<WinControl*> stops;
    for (WinControl* c : order) {
        if (c->tabStop() && c->canFocus()) {
            stops.push_back(c);
        }
    }
    if (stops.empty()) {
        return;
    }
    const auto it = std::find(stops.begin(), stops.end(), m_activeControl);
    std::size_t next = 0;
    if (it == stops.end()) {
        next = forward ? 0 : stops.size() - 1;
    } else {
        const std::size_t at = static_cast<std::size_t>(it - stops.begin());
        next = forward ? (at + 1) % stops.size() : (at + stops.size() - 1) % stops.size();
    }
    setActiveControl(stops[next]);
}

Button* Form::findButton(bool (*wanted)(const Button&)) const
{
    std::vector<WinControl*> order;
    collectTabOrder(*this, order);
    for (WinControl* c : order) {
        auto* b = dynamic_cast<Button*>(c);
        if (b && wanted(*b) && b->canFocus()) {
            return b;
        }
    }
    return nullptr;
}

bool Form::handleKey(std::uint16_t key, std::uint8_t shift)
{
    if ((shift & (ssAlt | ssCtrl)) == 0) {
        if (key == vk::Tab) {
            selectNext((shift & ssShift) == 0);
            return true;
        }
        if (key == vk::Escape) {
            if (Button* cancel = findButton([](const Button& b) { return b.isCancel(); })) {
                cancel->click();
                return true;
            }
        }
        if (key == vk::Return) {
            Button* target = dynamic_cast<Button*>(m_activeControl);
            if (!target) {
                target = findButton([](const Button& b) { return b.isDefault(); });
            }
            if (target) {
                target->click();
                return true;
            }
        }
    }
    if (m_activeControl) {
        return m_activeControl->keyDown(key, shift);
    }
    return false;
}

void Form::setMessageHandler(std::uint32_t id, MessageHandler handler)
{
    if (handler) {
        m_messageHandlers[id] = std::move(handler);
    } else {
        m_messageHandlers.erase(id);
    }
}

bool Form::dispatchMessage(const Message& message)
{
    const auto it = m_messageHandlers.find(message.id);
    if (it == m_messageHandlers.end()) {
        return false;
    }
    const MessageHandler handler = it->second; // the handler may replace itself
    runUserAction([&] { handler(message); });
    return true;
}

void Form::postMessage(std::uint32_t id, std::uintptr_t wParam, std::intptr_t lParam)
{
    backend().postMessage(*this, {id, wParam, lParam});
}

void Form::changed(ControlChange what)
{
    WinControl::changed(what);
    if (what == ControlChange::Visible) {
        if (visible()) {
            if (OnShow) {
                OnShow(*this);
            }
        } else if (OnHide) {
            OnHide(*this);
        }
    }
}

void Form::notification(Component& component, Operation operation)
{
    if (operation == Operation::Remove && &component == m_menu) {
        m_menu = nullptr;
        changed(ControlChange::State);
    }
    WinControl::notification(component, operation);
}

void Form::setClientWidth(std::int32_t width)
{
    setWidth(width + m_frame.left + m_frame.right);
}

void Form::setClientHeight(std::int32_t height)
{
    setHeight(height + m_frame.top + m_frame.bottom);
}

Box Form::clientRect() const
{
    return {0, 0, std::max(width() - m_frame.left - m_frame.right, 0),
            std::max(height() - m_frame.top - m_frame.bottom, 0)};
}

void Form::setFrameInsets(const Box& insets)
{
    // The client area keeps its size; the outer size changes.
    const std::int32_t cw = clientWidth();
    const std::int32_t ch = clientHeight();
    m_frame = insets;
    setBounds(left(), top(), cw + insets.left + insets.right, ch + insets.top + insets.bottom);
}

void Form::setBorderStyle(FormBorderStyle style)
{
    if (style != m_borderStyle) {
        m_borderStyle = style;
        changed(ControlChange::State);
    }
}

void Form::setPosition(FormPosition position)
{
    m_position = position;
}

void Form::finishCreation()
{
    // A copy: a component's loaded() may make or remove components.
    const std::vector<Component*> owned = components();
    for (Component* c : owned) {
        c->loaded();
    }
    loaded();
    if (OnCreate) {
        OnCreate(*this);
    }
}

void Form::beforeDestruction()
{
    if (!m_destroyRaised) {
        m_destroyRaised = true;
        if (OnDestroy) {
            OnDestroy(*this);
        }
    }
    WinControl::beforeDestruction();
}

} // namespace ui
