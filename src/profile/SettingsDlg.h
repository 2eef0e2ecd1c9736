#pragma once
// TSettingsDlg ("Channel Settings"): where the user edits the channel list, the server address
// and password, the sound of every channel position, the error sound and the hotkeys.
//
// It edits working copies. Apply and OK carry them into the main window's profile data, save
// the channel settings to the current profile file in one replacement of the file, and have
// the main window load that file again. Cancel (Escape, the close button) writes nothing; what
// an earlier Apply saved stays.
//
// What the creator passes (SettingsDlgLinks):
//   profile    the main window's profile data. Read when the dialog opens (ChannelNames,
//              ChannelSounds, ErrorSoundSetting, HostAddress, HostPassword, ProfilePath);
//              written by Apply and OK (ChannelNames, ChannelSounds, ErrorSoundSetting,
//              HostAddress, HostPassword, ChannelCount). InitialChannel is only read, and
//              saved as it stands. Must outlive the dialog.
//   loadProfile the main window's reload: runs after a successful save with ProfilePath. Not
//              run when the save failed. May be empty.
//   soundsDlg  the program's single channel sound dialog. Must outlive the dialog.
//   manager    the main window's localization manager (bsPolyglotManager1), or null.
//   showHelp   opens the application's help at a help context (always non-zero): the
//              dialog's own (kSettingsDlgHelp) or that of one of its two check boxes. May be
//              empty.
//
// The dialog is made for each use and freed after it closes, so every opening starts from
// the main window's present data and the present profile file; Execute does exactly that.
// The hotkeys are not part of the profile data: the dialog reads them from the file when it
// opens, and the hook library takes them from the file after a save.
//
// Values that would give the voice client a command of its own (a channel name, the password
// or the address with a double quote, a control character or a "/" that starts a switch; an
// address with a blank: profile::fitsClientCommand) are refused: Apply and OK then store
// nothing, say which value it is, give its field the focus, and the dialog stays open.
//
// Failures: a save that cannot write the file ends Apply with ProfileWriteError ("Unable to
// write to %s", shown in the application's error box). The profile data then already hold the
// dialog's contents, the file is exactly as it was, and the main window does not reload. With
// OK the dialog closes after the message.

#include "profile/Hotkeys.h"
#include "profile/ProfileData.h"

#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/Edit.h"
#include "ui/Form.h"
#include "ui/Label.h"
#include "ui/ListBox.h"
#include "ui/Menu.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace i18n {
class TbsPolyglotManager;
class TbsPolyglotTranslator;
} // namespace i18n

namespace profile {

class TSoundsDlg;

// The help contexts of the dialog (its help button, F1) and of its two check boxes.
inline constexpr std::int32_t kSettingsDlgHelp = 5;
inline constexpr std::int32_t kRequireAltHelp = 6;
inline constexpr std::int32_t kRequireCtrlHelp = 7;

struct SettingsDlgLinks {
    ProfileData& profile;
    std::function<void(const std::string& path)> loadProfile;
    TSoundsDlg& soundsDlg;
    i18n::TbsPolyglotManager* manager = nullptr;
    std::function<void(std::int32_t helpContext)> showHelp;
};

class TSettingsDlg : public ui::Form {
public:
    // Builds the dialog and translates it with the manager's current language (an error of
    // that translation propagates, and the dialog is not made).
    TSettingsDlg(ui::Component* owner, const SettingsDlgLinks& links);

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Makes the dialog, shows it modally over the main window and frees it once it closed.
    // Returns how it closed (Ok or Cancel).
    static ui::ModalResult Execute(const SettingsDlgLinks& links);

    // Components, in their stored order.
    ui::ListBox* ListBox1 = nullptr;
    ui::Bevel* Bevel1 = nullptr;
    ui::Edit* ChannelNameEdit = nullptr;
    ui::Button* Button3 = nullptr; // "+"
    ui::Button* Button4 = nullptr; // "-"
    ui::Label* Label1 = nullptr;
    ui::Edit* AddressEdit = nullptr;
    ui::Label* Label2 = nullptr;
    ui::Edit* PasswordEdit = nullptr;
    ui::Panel* Panel1 = nullptr;
    ui::CheckBox* CheckBox1 = nullptr; // "Require Alt Key"
    ui::CheckBox* CheckBox2 = nullptr; // "Require Ctrl Key"
    // The key fields Edit1..Edit18 at [0]..[17], and their labels Label3..Label20.
    std::array<ui::Edit*, kHotkeyCount> KeyEdits{};
    std::array<ui::Label*, kHotkeyCount> KeyLabels{};
    ui::Button* OkBtn = nullptr;
    ui::Button* CancelBtn = nullptr;
    ui::Button* ApplyBtn = nullptr;
    ui::PopupMenu* PopupMenu1 = nullptr;
    ui::MenuItem* Delete1 = nullptr;
    ui::MenuItem* N1 = nullptr;
    ui::MenuItem* CustomLobbySound1 = nullptr;
    ui::MenuItem* CustomErrorSound1 = nullptr;
    ui::MenuItem* N2 = nullptr;
    ui::MenuItem* CustomSound1 = nullptr;
    ui::MenuItem* N3 = nullptr;
    ui::MenuItem* MoveUp1 = nullptr;
    ui::MenuItem* MoveDown1 = nullptr;
    i18n::TbsPolyglotTranslator* bsPolyglotTranslator1 = nullptr;

    // The profile key held by each key field, Edit1 first.
    static const std::array<HotkeyAction, kHotkeyCount> KeyFieldActions;

    // Working state.
    // The sound of the lobby at [0], of list entry i at [i + 1].
    const std::vector<std::string>& workingSounds() const { return m_workingSounds; }
    const std::string& workingErrorSound() const { return m_workingErrorSound; }
    // The list index that "Custom Sound...", "-" and "Delete" act on; -1 for none. It can
    // differ from the highlighted entry (after a move or a removal none is highlighted).
    std::int32_t currentChannel() const { return m_currentChannel; }
    // The hotkeys as the key fields and check boxes show them.
    Hotkeys shownHotkeys() const;

    // Event handlers, named after component and event.
    void FormShow(ui::Persistent& sender);
    void TreeView1Click(ui::Persistent& sender);
    void Button3Click(ui::Persistent& sender);
    void Button4Click(ui::Persistent& sender);
    void PopupMenu1Popup(ui::Persistent& sender);
    void MoveUp1Click(ui::Persistent& sender);
    void MoveDown1Click(ui::Persistent& sender);
    void CustomSound1Click(ui::Persistent& sender);
    void CustomLobbySound1Click(ui::Persistent& sender);
    void CustomErrorSound1Click(ui::Persistent& sender);
    void EditKeyDown(ui::Persistent& sender, std::uint16_t& key, std::uint8_t shift);
    void EditChange(ui::Persistent& sender);
    void ApplyBtnClick(ui::Persistent& sender);
    void OkBtnClick(ui::Persistent& sender);

    // The user asked for help on a control (F1, or the help button and a click on it): the
    // help context of the control, or of the nearest control around it that has one (the
    // dialog itself, at the latest), goes to the help.
    void HelpRequested(ui::Control& control);

private:
    void buildComponents();
    void Apply();
    // Throws the refusal of the first value that does not fit into a client command, with the
    // dialog kept open and that value's field focused; returns when every value fits.
    void refuseValuesThatBreakClientCommands();
    // Moves the selected entry one place up (-1) or down (+1), with its sound.
    void moveSelected(int step);
    // Shows the sound dialog; on OK stores its choice in `sound`.
    void chooseSound(std::string& sound);

    SettingsDlgLinks m_links;
    std::vector<std::string> m_workingSounds;
    std::string m_workingErrorSound;
    std::int32_t m_currentChannel = -1;
};

} // namespace profile
