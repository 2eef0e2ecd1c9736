#include "profile/SettingsDlg.h"

#include "profile/ClientArguments.h"
#include "profile/DialogWindow.h"
#include "profile/SoundsDlg.h"

#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsPolyglotTranslator.h"
#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Keys.h"
#include "ui/Text.h"

#include <charconv>
#include <initializer_list>
#include <optional>
#include <utility>

namespace profile {

namespace {

// The sound value of the built-in sound, and the name "+" gives a channel when the name
// field is empty.
constexpr const char* kDefaultSound = "DEFAULT";
constexpr const char* kNewChannelName = "NewChannel";

// The tag that marks a text field as a key field.
constexpr std::int32_t kKeyFieldTag = 1;

template <class T>
T* make(ui::Form* form, const char* name, ui::WinControl* parent = nullptr)
{
    T* component = new T(form);
    component->setName(name);
    if constexpr (std::is_base_of_v<ui::Control, T>) {
        component->setParent(parent ? parent : form);
    }
    return component;
}

ui::MenuItem* addItem(ui::Form* form, ui::PopupMenu& menu, const char* name, const char* caption)
{
    auto* item = make<ui::MenuItem>(form, name);
    item->setCaption(caption);
    menu.items().add(item);
    return item;
}

// One row of the hotkey panel: the label's caption and the field's place.
struct KeyField {
    const char* caption;
    std::int32_t left;
    std::int32_t top;
};

// Edit1..Edit18 in number order: the left column holds positions 0 to 4, the right column
// positions 5 to 9, then the eight actions in pairs.
constexpr std::array<KeyField, kHotkeyCount> kKeyFields = {{
    {"Channel0", 72, 28},
    {"Channel1", 72, 52},
    {"Channel2", 72, 76},
    {"Channel3", 72, 100},
    {"Channel4", 72, 124},
    {"Channel5", 188, 28},
    {"Channel6", 188, 52},
    {"Channel7", 188, 76},
    {"Channel8", 188, 100},
    {"Channel9", 188, 124},
    {"Tune Up", 72, 160},
    {"Tune Down", 188, 160},
    {"Disconnect", 72, 184},
    {"Traypop", 188, 184},
    {"Vol Up", 72, 208},
    {"Vol Down", 188, 208},
    {"Mic Up", 72, 232},
    {"Mic Down", 188, 232},
}};

// A key field's text as the number it shows; 0 for anything else (a field only ever shows
// a number, read from the profile or captured).
std::int32_t keyCode(const std::string& text)
{
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size() ? value : 0;
}

// What a screen reader reads as a key field's value: its code and the key's name ("116 (F5)",
// "0 (no key)").
std::string keyFieldValue(const std::string& text)
{
    const std::int32_t code = keyCode(text);
    if (code == 0) {
        return "0 (" + i18n::LoadResourceString(i18n::msg::SAccNoKey) + ")";
    }
    const ui::Backend* installed = ui::currentBackend();
    const auto key = static_cast<std::uint16_t>(code);
    const std::string name =
        code <= 0xFFFF ? (installed ? installed->keyName(key) : ui::standardKeyName(key)) : "";
    return name.empty() ? text : text + " (" + name + ")";
}

// Names a control after a message text of the current language.
void nameAfter(ui::Control& control, const i18n::ResStringRec& message)
{
    control.accessible().setName([&message] { return i18n::LoadResourceString(message); });
}

} // namespace

const std::array<HotkeyAction, kHotkeyCount> TSettingsDlg::KeyFieldActions = {
    HotkeyAction::Channel0,       HotkeyAction::Channel1,     HotkeyAction::Channel2,
    HotkeyAction::Channel3,       HotkeyAction::Channel4,     HotkeyAction::Channel5,
    HotkeyAction::Channel6,       HotkeyAction::Channel7,     HotkeyAction::Channel8,
    HotkeyAction::Channel9,       HotkeyAction::ChannelUp,    HotkeyAction::ChannelDown,
    HotkeyAction::Disconnect,     HotkeyAction::TrayPop,      HotkeyAction::IncreaseVolume,
    HotkeyAction::DecreaseVolume, HotkeyAction::IncreaseGain, HotkeyAction::DecreaseGain,
};

const ui::ClassInfo& TSettingsDlg::staticClassInfo()
{
    static const ui::ClassInfo info("TSettingsDlg", &ui::Form::staticClassInfo(), {});
    return info;
}

TSettingsDlg::TSettingsDlg(ui::Component* owner, const SettingsDlgLinks& links)
    : ui::Form(owner), m_links(links)
{
    buildComponents();
    bsPolyglotTranslator1->setManager(links.manager);
    finishCreation();
}

ui::ModalResult TSettingsDlg::Execute(const SettingsDlgLinks& links)
{
    // Owned by the application while it is open, so that it takes part in the program's
    // modal state (the sound dialog disables it while it is shown), and freed at once after.
    ui::ComponentPtr<TSettingsDlg> dialog(new TSettingsDlg(ui::Application::current(), links));
    return dialog->showModal();
}

void TSettingsDlg::buildComponents()
{
    setName("SettingsDlg");
    setCaption("Channel Settings");
    setBorderStyle(ui::FormBorderStyle::Dialog);
    setPosition(ui::FormPosition::MainFormCenter);
    setClientWidth(443);
    setClientHeight(365);
    setHelpContext(kSettingsDlgHelp);
    OnShow = [this](ui::Persistent& s) { FormShow(s); };

    ListBox1 = make<ui::ListBox>(this, "ListBox1");
    ListBox1->setBounds(4, 4, 173, 301);
    ListBox1->setHint("Right Click to set channel sounds and adjust channel order.");
    ListBox1->setShowHint(true);
    ListBox1->OnClick = [this](ui::Persistent& s) { TreeView1Click(s); };

    Bevel1 = make<ui::Bevel>(this, "Bevel1");
    Bevel1->setBounds(0, 0, 185, 329);
    Bevel1->setShape(ui::BevelShape::RightLine);

    ChannelNameEdit = make<ui::Edit>(this, "ChannelNameEdit");
    ChannelNameEdit->setBounds(4, 308, 125, 21);
    ChannelNameEdit->setText("Channel Name");
    ChannelNameEdit->OnChange = [this](ui::Persistent& s) { EditChange(s); };

    Button3 = make<ui::Button>(this, "Button3");
    Button3->setBounds(132, 308, 21, 21);
    Button3->setCaption("+");
    Button3->setHint("Add new channel.");
    Button3->OnClick = [this](ui::Persistent& s) { Button3Click(s); };

    Button4 = make<ui::Button>(this, "Button4");
    Button4->setBounds(156, 308, 21, 21);
    Button4->setCaption("-");
    Button4->setHint("Remove Selected Channel.");
    Button4->OnClick = [this](ui::Persistent& s) { Button4Click(s); };

    Label1 = make<ui::Label>(this, "Label1");
    Label1->setBounds(200, 12, 100, 13);
    Label1->setCaption("Basestation Address:");

    AddressEdit = make<ui::Edit>(this, "AddressEdit");
    AddressEdit->setBounds(304, 8, 121, 21);
    AddressEdit->setText("Address");
    AddressEdit->OnChange = [this](ui::Persistent& s) { EditChange(s); };

    Label2 = make<ui::Label>(this, "Label2");
    Label2->setBounds(248, 40, 52, 13);
    Label2->setCaption("Password");

    PasswordEdit = make<ui::Edit>(this, "PasswordEdit");
    PasswordEdit->setBounds(304, 36, 121, 21);
    PasswordEdit->setPasswordChar('*');
    PasswordEdit->setText("Password");
    PasswordEdit->OnChange = [this](ui::Persistent& s) { EditChange(s); };

    Panel1 = make<ui::Panel>(this, "Panel1");
    Panel1->setBounds(196, 72, 237, 257);
    Panel1->setBevelOuter(ui::PanelBevel::Lowered);

    CheckBox1 = make<ui::CheckBox>(this, "CheckBox1", Panel1);
    CheckBox1->setBounds(12, 8, 105, 17);
    CheckBox1->setCaption("Require Alt Key");
    CheckBox1->setHelpContext(kRequireAltHelp);

    CheckBox2 = make<ui::CheckBox>(this, "CheckBox2", Panel1);
    CheckBox2->setBounds(128, 8, 97, 17);
    CheckBox2->setCaption("Require Ctrl Key");
    CheckBox2->setHelpContext(kRequireCtrlHelp);

    for (std::size_t i = 0; i < kHotkeyCount; ++i) {
        const KeyField& field = kKeyFields[i];
        const std::string labelName = "Label" + std::to_string(i + 3);
        const std::string editName = "Edit" + std::to_string(i + 1);
        ui::Label* label = make<ui::Label>(this, labelName.c_str(), Panel1);
        // A label stands 60 pixels left of its field, its text level with the field's.
        label->setBounds(field.left - 60, field.top + 4, 57, 13);
        label->setCaption(field.caption);
        KeyLabels[i] = label;

        ui::Edit* edit = make<ui::Edit>(this, editName.c_str(), Panel1);
        edit->setBounds(field.left, field.top, 37, 21);
        edit->setReadOnly(true);
        edit->setTag(kKeyFieldTag);
        edit->OnKeyDown = [this](ui::Persistent& s, std::uint16_t& key, std::uint8_t shift) {
            EditKeyDown(s, key, shift);
        };
        edit->accessible().setValue([edit] { return keyFieldValue(edit->text()); });
        edit->accessible().setDescription(
            [] { return i18n::LoadResourceString(i18n::msg::SAccKeyField); });
        label->setFocusControl(edit);
        KeyEdits[i] = edit;
    }

    OkBtn = make<ui::Button>(this, "OkBtn");
    OkBtn->setBounds(204, 336, 75, 25);
    OkBtn->setCaption("OK");
    OkBtn->setModalResult(ui::ModalResult::Ok);
    OkBtn->OnClick = [this](ui::Persistent& s) { OkBtnClick(s); };

    CancelBtn = make<ui::Button>(this, "CancelBtn");
    CancelBtn->setBounds(284, 336, 75, 25);
    CancelBtn->setCaption("Cancel");
    CancelBtn->setCancel(true);
    CancelBtn->setModalResult(ui::ModalResult::Cancel);

    ApplyBtn = make<ui::Button>(this, "ApplyBtn");
    ApplyBtn->setBounds(364, 336, 75, 25);
    ApplyBtn->setCaption("Apply");
    ApplyBtn->OnClick = [this](ui::Persistent& s) { ApplyBtnClick(s); };

    PopupMenu1 = make<ui::PopupMenu>(this, "PopupMenu1");
    PopupMenu1->setAutoHotkeys(ui::AutoHotkeys::Manual);
    PopupMenu1->OnPopup = [this](ui::Persistent& s) { PopupMenu1Popup(s); };
    Delete1 = addItem(this, *PopupMenu1, "Delete1", "Delete");
    Delete1->OnClick = [this](ui::Persistent& s) { Button4Click(s); };
    N1 = addItem(this, *PopupMenu1, "N1", "-");
    CustomLobbySound1 = addItem(this, *PopupMenu1, "CustomLobbySound1", "Custom Lobby Sound...");
    CustomLobbySound1->OnClick = [this](ui::Persistent& s) { CustomLobbySound1Click(s); };
    CustomErrorSound1 = addItem(this, *PopupMenu1, "CustomErrorSound1", "Custom Error Sound...");
    CustomErrorSound1->OnClick = [this](ui::Persistent& s) { CustomErrorSound1Click(s); };
    N2 = addItem(this, *PopupMenu1, "N2", "-");
    CustomSound1 = addItem(this, *PopupMenu1, "CustomSound1", "Custom Sound...");
    CustomSound1->OnClick = [this](ui::Persistent& s) { CustomSound1Click(s); };
    N3 = addItem(this, *PopupMenu1, "N3", "-");
    MoveUp1 = addItem(this, *PopupMenu1, "MoveUp1", "Move Up");
    MoveUp1->OnClick = [this](ui::Persistent& s) { MoveUp1Click(s); };
    MoveDown1 = addItem(this, *PopupMenu1, "MoveDown1", "Move Down");
    MoveDown1->OnClick = [this](ui::Persistent& s) { MoveDown1Click(s); };
    ListBox1->setPopupMenu(PopupMenu1);

    // What a screen reader calls the fields: after their labels, or after a text of their own
    // where no label stands.
    Label1->setFocusControl(AddressEdit);
    Label2->setFocusControl(PasswordEdit);
    nameAfter(*ListBox1, i18n::msg::SAccChannelList);
    nameAfter(*ChannelNameEdit, i18n::msg::SAccChannelName);
    nameAfter(*Button3, i18n::msg::SAccAddChannel);
    nameAfter(*Button4, i18n::msg::SAccRemoveChannel);

    bsPolyglotTranslator1 = make<i18n::TbsPolyglotTranslator>(this, "bsPolyglotTranslator1");

    // F1 asks for help on the control that has the focus, and goes no further; in a key field
    // it is a key like any other (EditKeyDown).
    const ui::KeyEvent helpKey = [this](ui::Persistent& sender, std::uint16_t& key,
                                        std::uint8_t shift) {
        if (key == ui::vk::F1 && shift == ui::ssNone) {
            key = 0;
            HelpRequested(static_cast<ui::Control&>(sender));
        }
    };
    for (ui::WinControl* control : std::initializer_list<ui::WinControl*>{
             ListBox1, ChannelNameEdit, Button3, Button4, AddressEdit, PasswordEdit, CheckBox1,
             CheckBox2, OkBtn, CancelBtn, ApplyBtn}) {
        control->OnKeyDown = helpKey;
    }

    // Focus order: each control is put at its place in turn, so the listed ones come first
    // in this order and the labels (which take no focus) after them.
    ui::WinControl* const formOrder[] = {ChannelNameEdit, OkBtn,   CancelBtn, ApplyBtn, AddressEdit,
                                         PasswordEdit,    Button3, Button4,   ListBox1, Panel1};
    std::int32_t place = 0;
    for (ui::WinControl* control : formOrder) {
        control->setTabOrder(place++);
    }
    place = 0;
    KeyEdits[0]->setTabOrder(place++);
    CheckBox1->setTabOrder(place++);
    CheckBox2->setTabOrder(place++);
    for (std::size_t i = 1; i < kHotkeyCount; ++i) {
        KeyEdits[i]->setTabOrder(place++);
    }
}

Hotkeys TSettingsDlg::shownHotkeys() const
{
    Hotkeys keys;
    keys.requireAlt = CheckBox1->checked();
    keys.requireCtrl = CheckBox2->checked();
    for (std::size_t i = 0; i < kHotkeyCount; ++i) {
        keys[KeyFieldActions[i]] = keyCode(KeyEdits[i]->text());
    }
    return keys;
}

void TSettingsDlg::FormShow(ui::Persistent&)
{
    const ProfileData& data = m_links.profile;
    ListBox1->items().assign(data.ChannelNames);

    const Hotkeys keys = readHotkeys(data.ProfilePath);
    for (std::size_t i = 0; i < kHotkeyCount; ++i) {
        KeyEdits[i]->setText(std::to_string(keys[KeyFieldActions[i]]));
    }
    CheckBox1->setChecked(keys.requireAlt);
    CheckBox2->setChecked(keys.requireCtrl);

    // One sound per position, the lobby first, whatever the data hold: every list entry must
    // have its sound for removing and moving to keep them paired.
    m_workingSounds = data.ChannelSounds;
    m_workingSounds.resize(data.ChannelNames.size() + 1, kDefaultSound);
    m_workingErrorSound = data.ErrorSoundSetting;

    if (ListBox1->items().count() > 0) {
        ListBox1->setItemIndex(ListBox1->topIndex());
        TreeView1Click(*ListBox1);
        ChannelNameEdit->setText(ListBox1->items().at(0));
    }
    AddressEdit->setText(data.HostAddress);
    PasswordEdit->setText(data.HostPassword);

    enableContextHelp(*this, [this](ui::Control& control) { HelpRequested(control); });
    if (!activeControl()) {
        selectNext(true);
    }
}

void TSettingsDlg::TreeView1Click(ui::Persistent&)
{
    const std::int32_t index = ListBox1->itemIndex();
    if (index < 0) {
        m_currentChannel = -1;
        return;
    }
    m_currentChannel = index;
    m_links.soundsDlg.prime(m_workingSounds.at(static_cast<std::size_t>(index) + 1));
    ChannelNameEdit->setText(ListBox1->items().at(index));
}

void TSettingsDlg::Button3Click(ui::Persistent&)
{
    const std::string name =
        ChannelNameEdit->text().empty() ? std::string(kNewChannelName) : ChannelNameEdit->text();
    syncTopIndex(*ListBox1);
    const int index = ListBox1->items().add(name);
    m_workingSounds.emplace_back(kDefaultSound);
    ListBox1->setItemIndex(index);
    m_currentChannel = index;
    ChannelNameEdit->setText(name);
    ApplyBtn->setEnabled(true);
}

void TSettingsDlg::Button4Click(ui::Persistent&)
{
    ui::StringList& items = ListBox1->items();
    if (m_currentChannel < 0 || m_currentChannel >= items.count()) {
        return;
    }
    syncTopIndex(*ListBox1);
    const std::int32_t removed = m_currentChannel;
    items.remove(removed);
    m_workingSounds.erase(m_workingSounds.begin() + removed + 1);
    ListBox1->setItemIndex(-1);
    // A list scrolled to its end shifts up as it loses an entry; the entry it shows at the
    // top now is the one the user sees there.
    syncTopIndex(*ListBox1);
    if (items.count() > 0) {
        m_currentChannel = ListBox1->topIndex();
        ChannelNameEdit->setText(items.at(m_currentChannel));
    } else {
        m_currentChannel = -1;
    }
    ApplyBtn->setEnabled(true);
}

void TSettingsDlg::PopupMenu1Popup(ui::Persistent&)
{
    const std::int32_t selected = ListBox1->itemIndex();
    const std::int32_t count = ListBox1->items().count();
    Delete1->setEnabled(selected >= 0);
    MoveUp1->setEnabled(selected > 0);
    MoveDown1->setEnabled(selected < count - 1);
    CustomLobbySound1->setEnabled(true);
    CustomErrorSound1->setEnabled(true);
    CustomSound1->setEnabled(true);
}

void TSettingsDlg::moveSelected(int step)
{
    ui::StringList& items = ListBox1->items();
    const std::int32_t selected = ListBox1->itemIndex();
    const std::int32_t neighbour = selected + step;
    if (items.count() < 2 || selected < 0 || neighbour < 0 || neighbour >= items.count()) {
        return;
    }
    syncTopIndex(*ListBox1);
    items.exchange(selected, neighbour);
    std::swap(m_workingSounds.at(static_cast<std::size_t>(selected) + 1),
              m_workingSounds.at(static_cast<std::size_t>(neighbour) + 1));
    ListBox1->setItemIndex(-1);
}

void TSettingsDlg::MoveUp1Click(ui::Persistent&)
{
    moveSelected(-1);
}

void TSettingsDlg::MoveDown1Click(ui::Persistent&)
{
    moveSelected(+1);
}

void TSettingsDlg::chooseSound(std::string& sound)
{
    if (m_links.soundsDlg.showModal() == ui::ModalResult::Ok) {
        sound = m_links.soundsDlg.chosenSound();
    }
}

void TSettingsDlg::CustomSound1Click(ui::Persistent&)
{
    if (m_currentChannel < 0 || m_currentChannel >= ListBox1->items().count()) {
        return;
    }
    chooseSound(m_workingSounds.at(static_cast<std::size_t>(m_currentChannel) + 1));
}

void TSettingsDlg::CustomLobbySound1Click(ui::Persistent&)
{
    m_links.soundsDlg.prime(m_workingSounds.at(0));
    chooseSound(m_workingSounds.at(0));
}

void TSettingsDlg::CustomErrorSound1Click(ui::Persistent&)
{
    m_links.soundsDlg.prime(m_workingErrorSound);
    chooseSound(m_workingErrorSound);
}

void TSettingsDlg::EditKeyDown(ui::Persistent& sender, std::uint16_t& key, std::uint8_t)
{
    if (key == ui::vk::Shift || key == ui::vk::Control || key == ui::vk::Menu) {
        key = 0;
        return;
    }
    auto& field = static_cast<ui::Edit&>(sender);
    if (field.tag() == kKeyFieldTag) {
        field.setText(std::string());
        field.setText(std::to_string(key));
        key = 0;
        field.raiseAccessibleEvent(ui::AccessibleEvent::ValueChange);
    }
    ApplyBtn->setEnabled(true);
}

void TSettingsDlg::EditChange(ui::Persistent&)
{
    ApplyBtn->setEnabled(true);
}

void TSettingsDlg::ApplyBtnClick(ui::Persistent&)
{
    Apply();
}

void TSettingsDlg::OkBtnClick(ui::Persistent&)
{
    Apply();
}

void TSettingsDlg::refuseValuesThatBreakClientCommands()
{
    const std::int32_t selected = ListBox1->itemIndex();
    std::optional<std::string> refusal;
    ui::WinControl* field = nullptr;
    if (!fitsClientCommand(AddressEdit->text(), ClientField::Address)) {
        refusal = i18n::LoadResourceString(i18n::msg::SUnsafeAddress);
        field = AddressEdit;
    } else if (!fitsClientCommand(PasswordEdit->text(), ClientField::Password)) {
        refusal = i18n::LoadResourceString(i18n::msg::SUnsafePassword);
        field = PasswordEdit;
    } else if (selected >= 0 &&
               !fitsClientCommand(ChannelNameEdit->text(), ClientField::ChannelName)) {
        refusal = i18n::formatMessage(i18n::msg::SUnsafeChannelName, {ChannelNameEdit->text()});
        field = ChannelNameEdit;
    } else {
        const std::vector<std::string> names = ListBox1->items().lines();
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (static_cast<std::int32_t>(i) != selected &&
                !fitsClientCommand(names[i], ClientField::ChannelName)) {
                refusal = i18n::formatMessage(i18n::msg::SUnsafeChannelName, {names[i]});
                field = ListBox1;
                break;
            }
        }
    }
    if (!refusal)
        return;
    // OK must not close the dialog over a value the user still has to mend.
    setModalResult(ui::ModalResult::None);
    if (field->visible() && field->enabled())
        field->setFocus();
    throw ui::Error(*refusal);
}

void TSettingsDlg::Apply()
{
    refuseValuesThatBreakClientCommands();
    ProfileData& data = m_links.profile;
    const std::int32_t selected = ListBox1->itemIndex();
    if (selected >= 0) {
        syncTopIndex(*ListBox1);
        ListBox1->items().set(selected, ChannelNameEdit->text());
    }
    data.HostAddress = AddressEdit->text();
    data.HostPassword = PasswordEdit->text();
    data.ChannelNames = ListBox1->items().lines();
    data.ChannelSounds = m_workingSounds;
    data.ErrorSoundSetting = m_workingErrorSound;
    data.ChannelCount = static_cast<std::int32_t>(data.ChannelNames.size());

    if (ApplyBtn->focused()) {
        // A disabled button cannot keep the focus; the keyboard goes on with the next control.
        selectNext(true);
    }
    ApplyBtn->setEnabled(false);

    // The reload replaces the data, path included: keep the path it was saved to.
    const std::string path = data.ProfilePath;
    saveChannelSettings(path, data, shownHotkeys());
    if (m_links.loadProfile) {
        m_links.loadProfile(path);
    }
}

void TSettingsDlg::HelpRequested(ui::Control& control)
{
    const ui::Control* c = &control;
    while (c && c->helpContext() == 0) {
        c = c->parent();
    }
    if (c && m_links.showHelp) {
        m_links.showHelp(c->helpContext());
    }
}

} // namespace profile
