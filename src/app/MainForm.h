#pragma once
// TMainForm: the program's main window. It owns the state of the running program (the
// profile data it loaded, the channel shown on the LCD and the bar, the client's volumes),
// builds its menus and the tray icon, installs the keyboard hook, starts the voice client,
// and turns hotkey messages, tray clicks, bar moves and menu commands into client commands
// and sounds.
//
// The window is a small tool window; closing it only hides it. It is built like every form:
// the constructor makes the components in their stored order, then finishCreation() runs
// the translator and FormCreate, which starts everything (see FormCreate below).
//
// Everything outside the process goes through MainFormServices, so that tests run the whole
// window headlessly over fakes and the program wires the real services in WinMain.

#include "app/MainFormServices.h"
#include "profile/ProfileData.h"
#include "ui/Form.h"

#include "platform/TrayIcon.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace ui {
class MainMenu;
class MenuItem;
class OpenDialog;
class PopupMenu;
class TrackBar;
} // namespace ui

namespace lcd {
class TLCDLabel;
}

namespace profile {
class TSoundsDlg;
}

namespace i18n {
class TbsPolyglotManager;
class TbsPolyglotTranslator;
} // namespace i18n

namespace app {

// The messages of the main window: the hook library's hotkeys (0x401..0x412) and the tray
// icon's callback, which is also the "traypop" hotkey.
enum HotkeyMessage : std::uint32_t {
    WM_CHANNEL_UP = 0x401,
    WM_CHANNEL_DOWN = 0x402,
    WM_CHANNEL1 = 0x403, // .. WM_CHANNEL1 + 8 for channel 9
    WM_CHANNEL0 = 0x40C,
    WM_DISCONNECT = 0x40D,
    WM_TRAY = 0x40E,
    WM_VOLUME_UP = 0x40F,
    WM_VOLUME_DOWN = 0x410,
    WM_GAIN_UP = 0x411,
    WM_GAIN_DOWN = 0x412,
};

// The values of the tray message's second parameter that the window acts on.
inline constexpr std::intptr_t kTrayDoubleClick = 0x203;     // WM_LBUTTONDBLCLK
inline constexpr std::intptr_t kTrayRightButtonDown = 0x204; // WM_RBUTTONDOWN
inline constexpr std::intptr_t kTrayPopHotkey = 0x40E;

class TMainForm : public ui::Form {
public:
    // `services` must outlive the window.
    TMainForm(ui::Component* owner, MainFormServices& services);
    ~TMainForm() override;

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Components, in their stored order.
    lcd::TLCDLabel* ChannelLCD = nullptr;
    ui::TrackBar* ChannelBar = nullptr;
    ui::MainMenu* MainMenu1 = nullptr;
    ui::MenuItem* File1 = nullptr;
    ui::MenuItem* Open1 = nullptr;
    ui::MenuItem* N1 = nullptr;
    ui::MenuItem* Exit1 = nullptr;
    ui::MenuItem* ExitandShutdownRW1 = nullptr;
    ui::MenuItem* Options1 = nullptr;
    ui::MenuItem* DisableSounds1 = nullptr;
    ui::MenuItem* HideonStart1 = nullptr;
    ui::MenuItem* InitialChannel1 = nullptr;
    ui::MenuItem* None1 = nullptr;
    ui::MenuItem* N2 = nullptr;
    ui::MenuItem* Default1 = nullptr;
    ui::MenuItem* N3 = nullptr;
    ui::MenuItem* Language1 = nullptr;
    ui::MenuItem* SetChannels1 = nullptr;
    ui::MenuItem* Help1 = nullptr;
    ui::MenuItem* Help2 = nullptr;
    ui::MenuItem* N4 = nullptr;
    ui::MenuItem* KestrionWebsite1 = nullptr;
    ui::MenuItem* EmailQuorbit1 = nullptr;
    ui::MenuItem* N5 = nullptr;
    ui::MenuItem* About1 = nullptr;
    ui::PopupMenu* TrayMenu = nullptr;
    ui::MenuItem* Restore1 = nullptr;
    ui::MenuItem* N6 = nullptr;
    ui::MenuItem* Open2 = nullptr;
    ui::MenuItem* N7 = nullptr;
    ui::MenuItem* Exit2 = nullptr;
    ui::MenuItem* ExitShutdownRW1 = nullptr;
    ui::OpenDialog* OpenDialog1 = nullptr;
    i18n::TbsPolyglotManager* bsPolyglotManager1 = nullptr;
    i18n::TbsPolyglotTranslator* bsPolyglotTranslator1 = nullptr;

    // The profile data of the current profile (ChannelNames, ChannelSounds, ProfilePath and
    // the rest); the settings dialog reads and writes it directly.
    profile::ProfileData Profile;
    // The client configuration file from "use_rwc" of the home profile, read once at start.
    std::string RwcFile;
    // The channel last switched to; -1 when none.
    std::int32_t LastChannel = -1;
    // The client's playback volume and microphone gain as last sent.
    std::int32_t PlayVolume = 128;
    std::int32_t RecordVolume = 128;
    // The last SetTheHook succeeded, so the hook must be removed.
    bool Hooked = false;
    // The program's single channel sound dialog, made at start-up after this window; the
    // settings dialog uses it. Null until then.
    profile::TSoundsDlg* SoundsDlg = nullptr;
    // The tray icon's record as added at the end of a successful start.
    platform::TrayIconData TrayIconData;

    // The window's caption (it names the profile) and the display's text (a channel, or a
    // numbered message text) are set as the program runs.
    std::vector<std::string> runtimeTexts() const override;

    // Profile operations.
    bool LoadProfile(const std::string& path);
    void ResetChannelBar();
    std::string ChooseProfilePath() const;
    void RememberProfilePath(const std::string& path);
    std::string ReadRwcSetting() const;
    const std::string& HomeProfile() const { return m_homeProfile; }

    // Languages.
    void BuildLanguageMenu();
    void SelectLanguage(const std::string& name);

    // Help at a help context: the application's Windows help file when it is there and the
    // system can show it, otherwise the page of the HTML help beside the program for that
    // context, in the user's browser. A relative help file is taken from the program's folder.
    // When the browser cannot be started either, the user is told where the help belongs.
    void ShowHelp(std::uint32_t context);

    // Channel switching.
    void SwitchToChannel(std::int32_t position);
    // Shows `text` on the display; a change is told to screen readers (the display's name, the
    // bar's value) and announced, so that a switch is heard while a game has the focus.
    void ShowOnDisplay(const std::string& text);

    // Sounds; each returns at once.
    void PlaySoundFile(const std::string& path);
    void PlayChannelSound(const std::string& setting);
    void PlayErrorSound(const std::string& setting);

    // The settings dialog saved the profile: load it again and keep the bar and the display
    // consistent with the channel the client is in (the list may have been reordered,
    // shortened or renamed).
    void ChannelSettingsSaved();

    // Event handlers, named after component and event.
    void FormCreate(ui::Persistent& sender);
    void FormClose(ui::Persistent& sender, ui::CloseAction& action);
    void FormDestroy(ui::Persistent& sender);
    void ChannelBarChange(ui::Persistent& sender);
    void Open1Click(ui::Persistent& sender);
    void Exit1Click(ui::Persistent& sender);
    void ExitandShutdownRW1Click(ui::Persistent& sender);
    void OptionsClick(ui::Persistent& sender);
    void DefaultClick(ui::Persistent& sender);
    void LanguageClick(ui::Persistent& sender);
    void SetChannels1Click(ui::Persistent& sender);
    void Help2Click(ui::Persistent& sender);
    void KestrionWebsite1Click(ui::Persistent& sender);
    void EmailQuorbit1Click(ui::Persistent& sender);
    void About1Click(ui::Persistent& sender);
    void TrayMenuPopup(ui::Persistent& sender);
    void Restore1Click(ui::Persistent& sender);
    void bsPolyglotManager1AfterAllTranslate(ui::Persistent& sender);

    // The handlers of the window messages 0x401..0x412.
    void handleHotkey(const ui::Message& message);

    // Whether the window is shown (not hidden to the tray).
    bool shownOnScreen() const;

private:
    void buildComponents();
    ui::MenuItem* addItem(ui::MenuItem& parent, const char* name, const char* caption,
                          void (TMainForm::*handler)(ui::Persistent&));
    void attachBarHandler();
    void detachBarHandler();
    void installHook();
    void moveBarAndSwitch(std::int32_t position);
    void stepVolume(std::int32_t& value, int step, const char* command);
    void showOrHide(bool show);
    void trayNotification(std::intptr_t lParam);
    void addTrayIcon();
    void updateCaption(const std::string& path);
    void useProgramLanguages();
    bool languageListed(const std::string& name) const;

    MainFormServices& m_services;
    // Owns the icon in the notification area while it is shown; removes it when it goes.
    std::unique_ptr<platform::TrayIcon> m_trayIcon;
    std::string m_homeProfile;
    std::string m_programFolder;
    std::uint32_t m_taskbarCreated = 0;
    // The name of the channel last switched to; none for the lobby, after a disconnect and
    // after a reset of the bar.
    std::optional<std::string> m_joinedChannel;
    // While the language the user picks from the menu is being selected: a failure to store
    // it in the profile is shown then, and only then.
    bool m_userPicksLanguage = false;
};

} // namespace app
