#include "ui/Menu.h"

#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Text.h"

#include <algorithm>
#include <cctype>
#include <iterator>

namespace ui {

const std::vector<std::string> autoHotkeysIdentifiers = {"maParent", "maAutomatic", "maManual"};

namespace {

// Command numbers: those given back by deleted items are given out again, the last given
// back first; otherwise the next never used. 0 is never given out: the system reports
// "nothing chosen" as 0. The items made first (a form's own) keep small numbers.
struct CommandNumbers {
    std::vector<std::uint32_t> returned;
    std::uint32_t next = 1;
};

CommandNumbers& commandNumbers()
{
    static CommandNumbers numbers;
    return numbers;
}

std::uint32_t takeCommand()
{
    auto& numbers = commandNumbers();
    if (!numbers.returned.empty()) {
        const std::uint32_t command = numbers.returned.back();
        numbers.returned.pop_back();
        return command;
    }
    if (numbers.next == UINT32_MAX) {
        throw Error("Too many menu items");
    }
    return numbers.next++;
}

void returnCommand(std::uint32_t command)
{
    commandNumbers().returned.push_back(command);
}

bool isAccessCandidate(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return u < 0x80 && std::isalnum(u);
}

char upperAscii(char c)
{
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

} // namespace

const ClassInfo& MenuItem::staticClassInfo()
{
    using P = Published<MenuItem>;
    static const ClassInfo info(
        "TMenuItem", &Component::staticClassInfo(),
        {
            P::enumeration("AutoHotkeys", &MenuItem::autoHotkeys, &MenuItem::setAutoHotkeys,
                           autoHotkeysIdentifiers),
            P::text("Caption", &MenuItem::caption, &MenuItem::setCaption),
            P::boolean("Checked", &MenuItem::checked, &MenuItem::setChecked),
            P::boolean("Enabled", &MenuItem::enabled, &MenuItem::setEnabled),
            P::integer("GroupIndex", &MenuItem::groupIndex, &MenuItem::setGroupIndex),
            P::integer("HelpContext", &MenuItem::helpContext, &MenuItem::setHelpContext),
            P::text("Hint", &MenuItem::hint, &MenuItem::setHint),
            P::boolean("RadioItem", &MenuItem::radioItem, &MenuItem::setRadioItem),
            P::boolean("Visible", &MenuItem::visible, &MenuItem::setVisible),
            P::other("OnClick"),
        });
    return info;
}

MenuItem::MenuItem(Component* owner)
    : Component(owner, SiblingNews::Ignored), m_command(takeCommand())
{
}

MenuItem::~MenuItem()
{
    if (m_parent) {
        m_parent->remove(this);
    }
    for (MenuItem* child : m_items) {
        child->m_parent = nullptr;
    }
    returnCommand(m_command);
}

void MenuItem::setCaption(const std::string& caption)
{
    if (caption == m_caption) {
        return;
    }
    m_caption = caption;
    changed();
    if (m_parent) {
        m_parent->rethinkHotkeys();
    }
}

void MenuItem::setChecked(bool checked)
{
    if (checked == m_checked) {
        return;
    }
    m_checked = checked;
    if (checked && m_radioItem && m_parent) {
        for (MenuItem* sibling : m_parent->m_items) {
            if (sibling != this && sibling->m_radioItem && sibling->m_groupIndex == m_groupIndex &&
                sibling->m_checked) {
                sibling->m_checked = false;
            }
        }
    }
    changed();
}

void MenuItem::setRadioItem(bool radio)
{
    if (radio != m_radioItem) {
        m_radioItem = radio;
        changed();
    }
}

void MenuItem::setGroupIndex(std::uint8_t group)
{
    if (group != m_groupIndex) {
        m_groupIndex = group;
        changed();
    }
}

void MenuItem::setEnabled(bool enabled)
{
    if (enabled != m_enabled) {
        m_enabled = enabled;
        changed();
    }
}

void MenuItem::setVisible(bool visible)
{
    if (visible != m_visible) {
        m_visible = visible;
        changed();
    }
}

void MenuItem::setAutoHotkeys(AutoHotkeys value)
{
    if (value != m_autoHotkeys) {
        m_autoHotkeys = value;
        rethinkHotkeys();
    }
}

MenuItem* MenuItem::item(int index) const
{
    if (index < 0 || index >= count()) {
        throw ListIndexError(index);
    }
    return m_items[static_cast<std::size_t>(index)];
}

void MenuItem::add(MenuItem* item)
{
    insert(count(), item);
}

void MenuItem::insert(int index, MenuItem* item)
{
    if (!item || item == this) {
        return;
    }
    if (index < 0 || index > count()) {
        throw ListIndexError(index);
    }
    if (item->m_parent) {
        item->m_parent->remove(item);
        index = std::min(index, count());
    }
    m_items.insert(m_items.begin() + index, item);
    item->m_parent = this;
    changed();
    rethinkHotkeys();
}

void MenuItem::remove(MenuItem* item)
{
    // From the end: submenus are emptied from their end.
    const auto it = std::find(m_items.rbegin(), m_items.rend(), item);
    if (it == m_items.rend()) {
        return;
    }
    m_items.erase(std::next(it).base());
    item->m_parent = nullptr;
    changed();
}

int MenuItem::menuIndex() const
{
    if (!m_parent) {
        return -1;
    }
    const auto& siblings = m_parent->m_items;
    return static_cast<int>(std::find(siblings.begin(), siblings.end(), this) - siblings.begin());
}

Menu* MenuItem::menu() const
{
    const MenuItem* top = this;
    while (top->m_parent) {
        top = top->m_parent;
    }
    return top->m_menu;
}

char MenuItem::accessKey() const
{
    for (std::size_t i = 0; i + 1 < m_caption.size(); ++i) {
        if (m_caption[i] == '&') {
            if (m_caption[i + 1] != '&') {
                return upperAscii(m_caption[i + 1]);
            }
            ++i;
        }
    }
    return 0;
}

MenuItem* MenuItem::findByCommand(std::uint32_t command)
{
    if (m_command == command) {
        return this;
    }
    for (MenuItem* child : m_items) {
        if (MenuItem* found = child->findByCommand(command)) {
            return found;
        }
    }
    return nullptr;
}

void MenuItem::click()
{
    if (OnClick) {
        OnClick(*this);
    }
}

void MenuItem::changed()
{
    if (isDestroying()) {
        return;
    }
    if (Menu* m = menu()) {
        m->itemChanged();
    }
}

bool MenuItem::automaticHotkeys() const
{
    for (const MenuItem* i = this; i; i = i->m_parent) {
        if (i->m_autoHotkeys != AutoHotkeys::Parent) {
            return i->m_autoHotkeys == AutoHotkeys::Automatic;
        }
        if (i->m_menu) {
            return i->m_menu->autoHotkeys() != AutoHotkeys::Manual;
        }
    }
    return false;
}

void MenuItem::rethinkHotkeys()
{
    if (Menu* m = menu(); m && m->updating() && !m->m_givingHotkeys) {
        m->m_hotkeysInUpdate = true; // once, for the whole menu, at the end of the batch
        return;
    }
    if (!automaticHotkeys()) {
        return;
    }
    std::string used;
    for (const MenuItem* child : m_items) {
        if (char key = child->accessKey()) {
            used += key;
        }
    }
    // A copy: setting a caption comes back here and must not disturb the walk.
    const std::vector<MenuItem*> children = m_items;
    for (MenuItem* child : children) {
        if (child->isSeparator() || child->accessKey() != 0) {
            continue;
        }
        const std::string& caption = child->m_caption;
        for (std::size_t i = 0; i < caption.size(); ++i) {
            const char c = caption[i];
            if (isAccessCandidate(c) && used.find(upperAscii(c)) == std::string::npos) {
                used += upperAscii(c);
                std::string marked = caption;
                marked.insert(i, 1, '&');
                child->m_caption = marked; // directly: the siblings are being handled here
                child->changed();
                break;
            }
        }
    }
}

void MenuItem::rethinkAllHotkeys()
{
    rethinkHotkeys();
    for (MenuItem* child : m_items) {
        if (!child->m_items.empty()) {
            child->rethinkAllHotkeys();
        }
    }
}

const ClassInfo& Menu::staticClassInfo()
{
    using P = Published<Menu>;
    static const ClassInfo info("TMenu", &Component::staticClassInfo(),
                                {
                                    P::enumeration("AutoHotkeys", &Menu::autoHotkeys,
                                                   &Menu::setAutoHotkeys, autoHotkeysIdentifiers),
                                });
    return info;
}

Menu::Menu(Component* owner) : Component(owner), m_root(new MenuItem(nullptr))
{
    m_root->m_menu = this;
}

Menu::~Menu()
{
    for (MenuItem* child : m_root->m_items) {
        child->m_parent = nullptr;
    }
    m_root->m_items.clear();
    delete m_root;
}

void Menu::setAutoHotkeys(AutoHotkeys value)
{
    m_autoHotkeys = value == AutoHotkeys::Manual ? AutoHotkeys::Manual : AutoHotkeys::Automatic;
    m_root->rethinkHotkeys();
}

void Menu::beginUpdate()
{
    ++m_updateDepth;
}

void Menu::endUpdate()
{
    if (m_updateDepth == 0) {
        return;
    }
    if (m_updateDepth == 1 && m_hotkeysInUpdate) {
        // Still inside the batch, so that the captions it marks raise no change of their own.
        m_hotkeysInUpdate = false;
        m_givingHotkeys = true;
        m_root->rethinkAllHotkeys();
        m_givingHotkeys = false;
    }
    if (--m_updateDepth > 0) {
        return;
    }
    if (m_changedInUpdate) {
        m_changedInUpdate = false;
        itemChanged();
    }
}

void Menu::itemChanged()
{
    if (m_updateDepth > 0) {
        m_changedInUpdate = true;
        return;
    }
    if (!isDestroying() && OnChange) {
        OnChange(*this);
    }
}

const ClassInfo& MainMenu::staticClassInfo()
{
    static const ClassInfo info("TMainMenu", &Menu::staticClassInfo(), {});
    return info;
}

const ClassInfo& PopupMenu::staticClassInfo()
{
    using P = Published<PopupMenu>;
    static const ClassInfo info("TPopupMenu", &Menu::staticClassInfo(), {P::other("OnPopup")});
    return info;
}

MenuItem* PopupMenu::popup(int x, int y)
{
    if (OnPopup) {
        OnPopup(*this);
    }
    MenuItem* chosen = backend().trackPopupMenu(*this, x, y);
    // Only an item of this menu that the user could choose counts.
    if (chosen && (chosen->menu() != this || !chosen->enabled() || !chosen->visible() ||
                   chosen->isSeparator() || chosen->count() > 0)) {
        chosen = nullptr;
    }
    if (chosen) {
        runUserAction([chosen] { chosen->click(); });
    }
    return chosen;
}

} // namespace ui
