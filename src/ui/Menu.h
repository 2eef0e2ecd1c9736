#pragma once
// Menus: MenuItem (a caption with an optional "&" access key, a check mark, radio groups,
// Tag, visible and enabled, its own submenu items), MainMenu (a form's menu bar) and
// PopupMenu (shown at a point; OnPopup runs before it opens).
//
// Captions: "&" marks the next character as the access key and "&&" shows one "&". The
// caption "-" makes a separator. With automatic access keys on (per menu, or per item for
// its submenu), every item that has no access key gets one: an "&" is put into its Caption
// before the first letter or digit that no sibling uses yet.
//
// Every item has a command number, unique in the process, by which a backend reports that
// the user chose it; numbers of deleted items are given out again. Items are components: the
// owner deletes them; an item made with an owner and added to a parent item is taken out of
// the parent when deleted. Items hear no sibling news, so that a form may own tens of
// thousands of them.
//
// Changes in bulk: between Menu::beginUpdate and endUpdate a menu raises OnChange once, at the
// end, and gives automatic access keys once, at the end, to every item that has none, in
// menu order. Outside such a batch every change raises OnChange at once.

#include "ui/Component.h"

#include <cstdint>
#include <string>
#include <vector>

namespace ui {

class Menu;
class MenuItem;

// Automatic access keys: follow the parent (items only), on, or off.
enum class AutoHotkeys { Parent, Automatic, Manual };

class MenuItem : public Component {
public:
    explicit MenuItem(Component* owner);
    ~MenuItem() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    const std::string& caption() const { return m_caption; }
    void setCaption(const std::string& caption);
    bool isSeparator() const { return m_caption == "-"; }
    bool checked() const { return m_checked; }
    // Checking a radio item clears the mark of the other radio items of its group among
    // its siblings.
    void setChecked(bool checked);
    bool radioItem() const { return m_radioItem; }
    void setRadioItem(bool radio);
    std::uint8_t groupIndex() const { return m_groupIndex; }
    void setGroupIndex(std::uint8_t group);
    bool enabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool visible() const { return m_visible; }
    void setVisible(bool visible);
    const std::string& hint() const { return m_hint; }
    void setHint(const std::string& hint) { m_hint = hint; }
    AutoHotkeys autoHotkeys() const { return m_autoHotkeys; }
    void setAutoHotkeys(AutoHotkeys value);
    std::int32_t helpContext() const { return m_helpContext; }
    void setHelpContext(std::int32_t context) { m_helpContext = context; }

    // The submenu items, in order.
    int count() const { return static_cast<int>(m_items.size()); }
    // Throws ListIndexError outside 0..count()-1.
    MenuItem* item(int index) const;
    const std::vector<MenuItem*>& items() const { return m_items; }
    // Appends or inserts an item (taking it out of any other parent item).
    void add(MenuItem* item);
    void insert(int index, MenuItem* item);
    // Takes the item out of this submenu; it stays alive (its owner deletes it).
    void remove(MenuItem* item);
    // The place in the parent item, or -1.
    int menuIndex() const;
    MenuItem* parentItem() const { return m_parent; }
    // The menu this item belongs to, through its parents; null when it is in none.
    Menu* menu() const;

    // The access key: the character after the first single "&", upper-cased; 0 when none.
    char accessKey() const;
    // The number by which the backend reports a choice of this item.
    std::uint32_t command() const { return m_command; }
    // The item below this one (itself included) with that command number, or null.
    MenuItem* findByCommand(std::uint32_t command);

    // The user chose the item: raises OnClick.
    virtual void click();

    NotifyEvent OnClick;

private:
    friend class Menu;
    void changed();
    void rethinkHotkeys();
    // rethinkHotkeys for this item's submenu and every submenu below it.
    void rethinkAllHotkeys();
    bool automaticHotkeys() const;

    std::string m_caption;
    bool m_checked = false;
    bool m_radioItem = false;
    std::uint8_t m_groupIndex = 0;
    bool m_enabled = true;
    bool m_visible = true;
    std::string m_hint;
    AutoHotkeys m_autoHotkeys = AutoHotkeys::Parent;
    std::int32_t m_helpContext = 0;
    std::vector<MenuItem*> m_items;
    MenuItem* m_parent = nullptr;
    Menu* m_menu = nullptr; // set on a menu's root item only
    std::uint32_t m_command;
};

class Menu : public Component {
public:
    explicit Menu(Component* owner);
    ~Menu() override;

    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    // The invisible root item whose submenu is the menu.
    MenuItem& items() { return *m_root; }
    const MenuItem& items() const { return *m_root; }
    AutoHotkeys autoHotkeys() const { return m_autoHotkeys; }
    // Automatic or Manual (Parent counts as Automatic).
    void setAutoHotkeys(AutoHotkeys value);

    MenuItem* findByCommand(std::uint32_t command) { return m_root->findByCommand(command); }

    // A batch of changes (see above); batches may nest, the outermost one counts.
    void beginUpdate();
    void endUpdate();
    bool updating() const { return m_updateDepth > 0; }

    // Called after any change of an item of this menu (captions, marks, items added or
    // taken out), once per change or once per batch. A form passes it on to its window.
    NotifyEvent OnChange;

private:
    friend class MenuItem;
    void itemChanged();

    MenuItem* m_root;
    AutoHotkeys m_autoHotkeys = AutoHotkeys::Automatic;
    int m_updateDepth = 0;
    bool m_changedInUpdate = false;
    bool m_hotkeysInUpdate = false;
    bool m_givingHotkeys = false;
};

// Holds a menu in one batch of changes for as long as it lives.
class MenuUpdate {
public:
    explicit MenuUpdate(Menu* menu) : m_menu(menu)
    {
        if (m_menu) {
            m_menu->beginUpdate();
        }
    }
    ~MenuUpdate()
    {
        if (m_menu) {
            m_menu->endUpdate();
        }
    }
    MenuUpdate(const MenuUpdate&) = delete;
    MenuUpdate& operator=(const MenuUpdate&) = delete;

private:
    Menu* m_menu;
};

class MainMenu : public Menu {
public:
    explicit MainMenu(Component* owner) : Menu(owner) {}
    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }
};

class PopupMenu : public Menu {
public:
    explicit PopupMenu(Component* owner) : Menu(owner) {}
    static const ClassInfo& staticClassInfo();
    const ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Shows the menu at (x, y) on the screen and returns when it has closed: OnPopup runs
    // first, then the backend's menu loop (which handles posted messages meanwhile); the
    // chosen item, if any, is clicked as a user action. Returns the chosen item or null.
    MenuItem* popup(int x, int y);

    NotifyEvent OnPopup;
};

extern const std::vector<std::string> autoHotkeysIdentifiers;

} // namespace ui
