#include "app/MainForm.h"

#include "i18n/Messages.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsPolyglotManager.h"
#include "i18n/bsPolyglotTranslator.h"
#include "lcd/LCDLabel.h"
#include "profile/IniFile.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/Text.h"
#include "ui/TrackBar.h"

#include <algorithm>
#include <optional>

namespace app {

namespace {

// Texts and names that are never translated.
constexpr char kInitialCaption[] = "Quorbit's RW Corvandial";
constexpr char kLobbyName[] = "Default";
constexpr char kProgramIcon[] = "MAINICON";
constexpr char kSwitchSound[] = "Stsnd02";
constexpr char kErrorSound[] = "Stsnd01";
constexpr char kWebsite[] = "https://kestrion.quorbit.example/";
constexpr char kEmailAddress[] = "mailto:quorbit@kestrion.example";
constexpr char kAboutLeadIn[] = "Kestrion - channel hotkeys for Roger Wilco\r\n";
constexpr char kFixedNotice[] = "Free to use and to pass on unchanged.";
constexpr char kLcdCredit[] = "Dot-matrix display: TLCDLabel by Quorbit";
constexpr char kLocalizationCredit[] = "Languages: the bsPolyglot components by Quorbit";
constexpr char kShutdownCommand[] = "/shutdown";
constexpr char kFileSwitch[] = " /file ";
constexpr std::uint32_t kTrayIconId = 100;
constexpr std::uint32_t kTrayFlags = 7; // message, icon and tooltip
constexpr std::uint32_t kNullMessage = 0;
constexpr std::uint32_t kHelpContents = 1;

// Option items of the Options menu, told apart by their tag.
constexpr std::int32_t kDisableSoundsTag = 1;
constexpr std::int32_t kHideOnStartTag = 2;
// The radio groups of the Initial Channel and Language submenus.
constexpr std::uint8_t kInitialChannelGroup = 1;
constexpr std::uint8_t kLanguageGroup = 2;
// Items of the Initial Channel submenu before the channels: None, separator, Default,
// separator.
constexpr int kFixedInitialChannelItems = 4;

// The file name of a path (without its folder), as written.
std::string fileNameOf(const std::string& path)
{
    auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder of a path, with its final separator; empty when it has none.
std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string messageText(const i18n::ResStringRec& message)
{
    return i18n::LoadResourceString(message);
}

} // namespace

const ui::ClassInfo& TMainForm::staticClassInfo()
{
    static const ui::ClassInfo info("TMainForm", &ui::Form::staticClassInfo(), {});
    return info;
}

TMainForm::TMainForm(ui::Component* owner, MainFormServices& services)
    : ui::Form(owner), m_services(services)
{
    m_programFolder = folderOf(services.programPath);
    m_homeProfile = profile::homeProfilePath(services.programPath);
    m_trayIcon = std::make_unique<platform::TrayIcon>(services.desktop.tray);
    buildComponents();
    finishCreation();
}

TMainForm::~TMainForm()
{
    // The components use this window's members in their handlers; they go first.
    destroyComponents();
}

ui::MenuItem* TMainForm::addItem(ui::MenuItem& parent, const char* name, const char* caption,
                                 void (TMainForm::*handler)(ui::Persistent&))
{
    auto* item = new ui::MenuItem(this);
    if (*name)
        item->setName(name);
    item->setCaption(caption);
    if (handler)
        item->OnClick = [this, handler](ui::Persistent& sender) { (this->*handler)(sender); };
    parent.add(item);
    return item;
}

void TMainForm::buildComponents()
{
    setName("MainForm");
    setBorderStyle(ui::FormBorderStyle::ToolWindow);
    setCaption(kInitialCaption);
    setClientWidth(246);
    setClientHeight(71);
    setPosition(ui::FormPosition::Default);
    font().setName("MS Sans Serif");
    font().setSize(8);
    OnCreate = [this](ui::Persistent& s) { FormCreate(s); };
    OnClose = [this](ui::Persistent& s, ui::CloseAction& a) { FormClose(s, a); };
    OnDestroy = [this](ui::Persistent& s) { FormDestroy(s); };

    ChannelLCD = new lcd::TLCDLabel(this);
    ChannelLCD->setName("ChannelLCD");
    ChannelLCD->setParent(this);
    ChannelLCD->setBounds(0, 0, 246, 28);
    ChannelLCD->SetPixelSize(lcd::TPixelSize::pix2x2);
    ChannelLCD->SetPixelSpacing(1);
    ChannelLCD->SetPixelWidth(2);
    ChannelLCD->SetPixelHeight(2);
    ChannelLCD->SetCharSpacing(2);
    ChannelLCD->SetLineSpacing(2);
    ChannelLCD->SetBorderSpace(3);
    ChannelLCD->SetTextLines(1);
    ChannelLCD->SetNoOfChars(15);
    ChannelLCD->SetPixelOff(11184810);

    ChannelBar = new ui::TrackBar(this);
    ChannelBar->setName("ChannelBar");
    ChannelBar->setParent(this);
    ChannelBar->setBounds(0, 30, 246, 41);
    ChannelBar->setAlign(ui::Align::Bottom);
    ChannelBar->setOrientation(ui::TrackBarOrientation::Horizontal);
    ChannelBar->setPageSize(1);
    ChannelBar->setFrequency(1);
    ChannelBar->setTickMarks(ui::TickMarks::TopLeft);
    ChannelBar->setPosition(0);
    ChannelBar->setTabOrder(0);
    attachBarHandler();

    MainMenu1 = new ui::MainMenu(this);
    MainMenu1->setName("MainMenu1");
    MainMenu1->setAutoHotkeys(ui::AutoHotkeys::Manual);
    ui::MenuItem& bar = MainMenu1->items();
    File1 = addItem(bar, "File1", "&File", nullptr);
    Open1 = addItem(*File1, "Open1", "&Open", &TMainForm::Open1Click);
    N1 = addItem(*File1, "N1", "-", nullptr);
    Exit1 = addItem(*File1, "Exit1", "E&xit", &TMainForm::Exit1Click);
    ExitandShutdownRW1 = addItem(*File1, "ExitandShutdownRW1", "Exit and &Shutdown RW",
                                 &TMainForm::ExitandShutdownRW1Click);
    Options1 = addItem(bar, "Options1", "&Options", nullptr);
    DisableSounds1 =
        addItem(*Options1, "DisableSounds1", "&Disable Sounds", &TMainForm::OptionsClick);
    DisableSounds1->setTag(kDisableSoundsTag);
    HideonStart1 = addItem(*Options1, "HideonStart1", "&Hide on Start", &TMainForm::OptionsClick);
    HideonStart1->setTag(kHideOnStartTag);
    InitialChannel1 = addItem(*Options1, "InitialChannel1", "&Initial Channel", nullptr);
    InitialChannel1->setAutoHotkeys(ui::AutoHotkeys::Automatic);
    None1 = addItem(*InitialChannel1, "None1", "&None", &TMainForm::DefaultClick);
    None1->setTag(-1);
    N2 = addItem(*InitialChannel1, "N2", "-", nullptr);
    Default1 = addItem(*InitialChannel1, "Default1", "&Default", &TMainForm::DefaultClick);
    Default1->setTag(0);
    N3 = addItem(*InitialChannel1, "N3", "-", nullptr);
    for (ui::MenuItem* item : {None1, Default1}) {
        item->setRadioItem(true);
        item->setGroupIndex(kInitialChannelGroup);
    }
    Language1 = addItem(*Options1, "Language1", "Language", nullptr);
    SetChannels1 = addItem(*Options1, "SetChannels1", "&Set Channels && Keys...",
                           &TMainForm::SetChannels1Click);
    Help1 = addItem(bar, "Help1", "&Help", nullptr);
    Help2 = addItem(*Help1, "Help2", "&Help", &TMainForm::Help2Click);
    N4 = addItem(*Help1, "N4", "-", nullptr);
    KestrionWebsite1 =
        addItem(*Help1, "KestrionWebsite1", "&Kestrion Website", &TMainForm::KestrionWebsite1Click);
    EmailQuorbit1 =
        addItem(*Help1, "EmailQuorbit1", "&Email Quorbit", &TMainForm::EmailQuorbit1Click);
    N5 = addItem(*Help1, "N5", "-", nullptr);
    About1 = addItem(*Help1, "About1", "&About", &TMainForm::About1Click);
    setMenu(MainMenu1);

    TrayMenu = new ui::PopupMenu(this);
    TrayMenu->setName("TrayMenu");
    TrayMenu->OnPopup = [this](ui::Persistent& s) { TrayMenuPopup(s); };
    ui::MenuItem& tray = TrayMenu->items();
    Restore1 = addItem(tray, "Restore1", "&Restore", &TMainForm::Restore1Click);
    N6 = addItem(tray, "N6", "-", nullptr);
    Open2 = addItem(tray, "Open2", "&Open", &TMainForm::Open1Click);
    N7 = addItem(tray, "N7", "-", nullptr);
    Exit2 = addItem(tray, "Exit2", "E&xit", &TMainForm::Exit1Click);
    ExitShutdownRW1 = addItem(tray, "ExitShutdownRW1", "Exit && &Shutdown RW",
                              &TMainForm::ExitandShutdownRW1Click);

    OpenDialog1 = new ui::OpenDialog(this);
    OpenDialog1->setName("OpenDialog1");
    OpenDialog1->setDefaultExt("ini");
    OpenDialog1->setFilter("Ini Files|*.ini|All Files|*.*");
    OpenDialog1->setTitle("Open File");

    bsPolyglotManager1 = new i18n::TbsPolyglotManager(this);
    bsPolyglotManager1->setName("bsPolyglotManager1");
    bsPolyglotManager1->setLangsDir(".\\Language\\");
    bsPolyglotManager1->setTranslateResourceStrings(true);
    bsPolyglotManager1->AfterAllTranslate = [this](ui::Persistent& s) {
        bsPolyglotManager1AfterAllTranslate(s);
    };

    bsPolyglotTranslator1 = new i18n::TbsPolyglotTranslator(this);
    bsPolyglotTranslator1->setName("bsPolyglotTranslator1");
    bsPolyglotTranslator1->setManager(bsPolyglotManager1);

    for (std::uint32_t id = WM_CHANNEL_UP; id <= WM_GAIN_DOWN; ++id)
        setMessageHandler(id, [this](const ui::Message& m) { handleHotkey(m); });
    // When the shell restarts (Explorer crashed or was restarted), the icons it showed are
    // gone; it tells every window with this message, and the icon is added again.
    m_taskbarCreated = m_services.os.windows.registerMessage(platform::TaskbarCreatedMessageName);
    if (m_taskbarCreated)
        setMessageHandler(m_taskbarCreated, [this](const ui::Message&) {
            if (m_trayIcon->meantToBeShown())
                m_trayIcon->showAgain();
        });
}

void TMainForm::attachBarHandler()
{
    ChannelBar->OnChange = [this](ui::Persistent& s) { ChannelBarChange(s); };
}

void TMainForm::detachBarHandler()
{
    ChannelBar->OnChange = nullptr;
}

// Start-up, in this order: the client's variant and volumes, the profile, the languages,
// the hook, the bar, the client, the tray icon, the initial channel, the window.
void TMainForm::FormCreate(ui::Persistent&)
{
    // The hook and the tray icon post to the window, which must exist before it is first
    // shown (or even when it never is).
    createHandle();
    std::string scratch;
    m_services.link.DetectClientVersion(scratch);
    ClientVolumes volumes = m_services.link.ReadClientVolumes();
    PlayVolume = volumes.playVolume;
    RecordVolume = volumes.recordVolume;

    OpenDialog1->setInitialDir(m_programFolder);
    Profile.ProfilePath = m_homeProfile;
    RwcFile = ReadRwcSetting();
    Profile.ProfilePath = ChooseProfilePath();

    detachBarHandler();
    LoadProfile(Profile.ProfilePath);

    bsPolyglotManager1->setLangsDir(m_programFolder + "language\\");
    BuildLanguageMenu();

    installHook();

    ResetChannelBar();
    attachBarHandler();

    // The client is started at every start, also when it runs already.
    bool started = m_services.link.LaunchClientAndWait(RwcFile.empty() ? "" : "/file " + RwcFile);
    ui::Application* app = ui::Application::current();
    if (!started) {
        if (app) {
            app->messageBox(messageText(i18n::msg::SStartClientFailed),
                            messageText(i18n::msg::SErrorDetected), ui::MessageIcon::Error);
            app->processMessages();
            app->terminate();
        }
        return;
    }
    addTrayIcon();
    if (Profile.InitialChannel != -1)
        SwitchToChannel(ChannelBar->position());
    showOrHide(!Profile.HideAtStart);
}

void TMainForm::installHook()
{
    Hooked = m_services.hook.SetTheHook(m_services.windowHandle(*this), Profile.ProfilePath);
    ui::Application* app = ui::Application::current();
    if (!app)
        return;
    app->processMessages();
    if (!Hooked)
        app->messageBox(messageText(i18n::msg::SHookFailed), messageText(i18n::msg::SErrorCaption),
                        ui::MessageIcon::Error);
}

void TMainForm::addTrayIcon()
{
    platform::TrayIconData icon;
    icon.window = m_services.windowHandle(*this);
    icon.id = kTrayIconId;
    icon.flags = kTrayFlags;
    icon.callbackMessage = WM_TRAY;
    icon.icon = m_services.desktop.tray.loadProgramIcon(kProgramIcon);
    ui::Application* app = ui::Application::current();
    icon.tip = platform::trayTipText(app ? app->title() : std::string());
    TrayIconData = icon;
    m_trayIcon->show(TrayIconData);
}

std::string TMainForm::ReadRwcSetting() const
{
    return profile::ReadRwcSetting(m_homeProfile);
}

std::string TMainForm::ChooseProfilePath() const
{
    return profile::ChooseProfilePath(m_homeProfile);
}

void TMainForm::RememberProfilePath(const std::string& path)
{
    profile::RememberProfilePath(m_homeProfile, path);
}

bool TMainForm::LoadProfile(const std::string& path)
{
    None1->setChecked(false);
    Default1->setChecked(false);

    Profile = profile::loadProfile(path);

    // The channel items of the Initial Channel submenu go, the last first.
    while (InitialChannel1->count() > kFixedInitialChannelItems) {
        ui::MenuItem* item = InitialChannel1->item(InitialChannel1->count() - 1);
        InitialChannel1->remove(item);
        ui::destroy(item);
    }
    for (std::size_t i = 0; i < Profile.ChannelNames.size(); ++i) {
        auto position = static_cast<std::int32_t>(i + 1);
        auto* item = new ui::MenuItem(this);
        item->setCaption(std::to_string(position) + " - " + Profile.ChannelNames[i]);
        item->setTag(position);
        item->setRadioItem(true);
        item->setGroupIndex(kInitialChannelGroup);
        item->OnClick = [this](ui::Persistent& s) { DefaultClick(s); };
        InitialChannel1->add(item);
        if (Profile.InitialChannel == position)
            item->setChecked(true);
    }

    updateCaption(path);
    HideonStart1->setChecked(Profile.HideAtStart);
    DisableSounds1->setChecked(!Profile.SoundsEnabled);
    if (Profile.InitialChannel == -1)
        None1->setChecked(true);
    if (Profile.InitialChannel == 0)
        Default1->setChecked(true);
    Profile.ProfilePath = path;
    SelectLanguage(Profile.Language);
    return true;
}

void TMainForm::updateCaption(const std::string& path)
{
    std::string name = fileNameOf(path);
    if (ui::sameText(name, fileNameOf(m_homeProfile)))
        setCaption(kInitialCaption);
    else
        setCaption(std::string(kInitialCaption) + " [" + name + "]");
}

void TMainForm::ResetChannelBar()
{
    ChannelBar->setMin(0);
    ChannelBar->setMax(std::max<std::int32_t>(Profile.ChannelCount, 0));
    LastChannel = -1;
    m_joinedChannel.reset();
    ChannelBar->setPosition(Profile.InitialChannel);
    ChannelLCD->SetCaption(messageText(i18n::msg::SStandingBy));
}

void TMainForm::BuildLanguageMenu()
{
    while (Language1->count() > 0) {
        ui::MenuItem* item = Language1->item(Language1->count() - 1);
        Language1->remove(item);
        ui::destroy(item);
    }
    int count = bsPolyglotManager1->LangsCount();
    if (count <= 0) {
        Language1->setVisible(false);
        return;
    }
    std::string current = bsPolyglotManager1->CurrentLang();
    for (int i = 0; i < count; ++i) {
        auto* item = new ui::MenuItem(this);
        std::string name = bsPolyglotManager1->Langs(i);
        item->setCaption(name);
        item->setTag(i);
        item->setRadioItem(true);
        item->setGroupIndex(kLanguageGroup);
        item->OnClick = [this](ui::Persistent& s) { LanguageClick(s); };
        Language1->add(item);
        if (name == current)
            item->setChecked(true);
    }
}

void TMainForm::SelectLanguage(const std::string& name)
{
    try {
        bsPolyglotManager1->setCurrentLang(name);
        std::string current = bsPolyglotManager1->CurrentLang();
        int index = 0;
        for (int i = 0, n = bsPolyglotManager1->LangsCount(); i < n; ++i) {
            if (bsPolyglotManager1->Langs(i) == current) {
                index = i;
                break;
            }
        }
        for (ui::MenuItem* item : Language1->items()) {
            if (item->tag() == index) {
                item->setChecked(true);
                break;
            }
        }
    } catch (const std::exception&) {
        // A language that cannot be selected gives way to English, silently; should even that
        // fail, the forms keep the language they show.
        try {
            bsPolyglotManager1->setCurrentLang("english");
        } catch (const std::exception&) {
        }
    }
}

void TMainForm::LanguageClick(ui::Persistent& sender)
{
    SelectLanguage(static_cast<ui::MenuItem&>(sender).caption());
}

void TMainForm::bsPolyglotManager1AfterAllTranslate(ui::Persistent&)
{
    // A profile that cannot be written must not undo the change of language: the failure
    // is shown, and the forms stay in the language chosen.
    try {
        profile::storeLanguage(Profile.ProfilePath, bsPolyglotManager1->CurrentLang());
    } catch (const profile::ProfileWriteError& error) {
        if (ui::Application* app = ui::Application::current())
            app->showException(error);
    }
}

void TMainForm::SwitchToChannel(std::int32_t position)
{
    LastChannel = position;
    std::string name;
    bool lobby =
        !(position >= 1 && static_cast<std::size_t>(position) <= Profile.ChannelNames.size());
    if (lobby) {
        name = kLobbyName;
        position = 0;
        m_joinedChannel.reset();
    } else {
        name = Profile.ChannelNames[static_cast<std::size_t>(position - 1)];
        m_joinedChannel = name;
    }
    ChannelLCD->SetCaption(name);
    if (!RwcFile.empty())
        name += kFileSwitch + RwcFile;
    bool ok =
        m_services.link.JoinChannel(Profile.HostAddress, ui::upperCase(name), Profile.HostPassword);
    if (!Profile.SoundsEnabled)
        return;
    if (!ok) {
        PlayErrorSound(Profile.ErrorSoundSetting);
        return;
    }
    auto index = static_cast<std::size_t>(position);
    PlayChannelSound(index < Profile.ChannelSounds.size() ? Profile.ChannelSounds[index]
                                                          : std::string("DEFAULT"));
}

void TMainForm::ChannelBarChange(ui::Persistent&)
{
    std::int32_t position = ChannelBar->position();
    if (position != LastChannel) {
        SwitchToChannel(position);
        LastChannel = position;
    }
}

void TMainForm::PlaySoundFile(const std::string& path)
{
    if (m_services.os.files.fileExists(path))
        m_services.desktop.sounds.play(platform::SoundSource::File, path);
    else
        m_services.desktop.sounds.beep();
}

void TMainForm::PlayChannelSound(const std::string& setting)
{
    if (profile::isDefaultKeyword(setting))
        m_services.desktop.sounds.play(platform::SoundSource::ProgramResource, kSwitchSound);
    else
        PlaySoundFile(setting);
}

void TMainForm::PlayErrorSound(const std::string& setting)
{
    if (profile::isDefaultKeyword(setting))
        m_services.desktop.sounds.play(platform::SoundSource::ProgramResource, kErrorSound);
    else
        PlaySoundFile(setting);
}

// A hotkey moves the bar without letting the bar report the move, then switches once: the
// client gets one join and the user hears one sound, whether or not the position changed.
void TMainForm::moveBarAndSwitch(std::int32_t position)
{
    detachBarHandler();
    ChannelBar->setPosition(position);
    attachBarHandler();
    SwitchToChannel(ChannelBar->position());
}

void TMainForm::stepVolume(std::int32_t& value, int step, const char* command)
{
    value = step > 0 ? std::min(value + step, 255) : std::max(value + step, 1);
    m_services.link.SendClientCommand(command + std::to_string(value));
    if (Profile.SoundsEnabled)
        m_services.desktop.sounds.play(platform::SoundSource::ProgramResource, kSwitchSound);
}

void TMainForm::handleHotkey(const ui::Message& message)
{
    const auto channels = static_cast<std::int32_t>(Profile.ChannelNames.size());
    const std::int32_t position = ChannelBar->position();
    auto errorSound = [this] {
        if (Profile.SoundsEnabled)
            PlayErrorSound(Profile.ErrorSoundSetting);
    };
    switch (message.id) {
    case WM_CHANNEL_UP:
        if (position >= channels)
            errorSound();
        else
            moveBarAndSwitch(position + 1);
        return;
    case WM_CHANNEL_DOWN:
        if (position <= 0)
            errorSound();
        else
            moveBarAndSwitch(position - 1);
        return;
    case WM_CHANNEL0: moveBarAndSwitch(0); return;
    case WM_DISCONNECT:
        ChannelLCD->SetCaption(messageText(i18n::msg::SStandingBy));
        if (position >= 1 && position <= channels)
            m_services.link.SendClientCommand(
                "/leave " + Profile.ChannelNames[static_cast<std::size_t>(position - 1)]);
        else
            m_services.link.SendClientCommand("/leave DEFAULT");
        LastChannel = -1;
        m_joinedChannel.reset();
        return;
    case WM_TRAY: trayNotification(message.lParam); return;
    case WM_VOLUME_UP: stepVolume(PlayVolume, 5, "/volume "); return;
    case WM_VOLUME_DOWN: stepVolume(PlayVolume, -5, "/volume "); return;
    case WM_GAIN_UP: stepVolume(RecordVolume, 5, "/gain "); return;
    case WM_GAIN_DOWN: stepVolume(RecordVolume, -5, "/gain "); return;
    default:
        if (message.id >= WM_CHANNEL1 && message.id < WM_CHANNEL0) {
            auto channel = static_cast<std::int32_t>(message.id - WM_CHANNEL1 + 1);
            if (channels >= channel)
                moveBarAndSwitch(channel);
        }
        return;
    }
}

bool TMainForm::shownOnScreen() const
{
    return visible();
}

void TMainForm::showOrHide(bool show)
{
    if (show)
        this->show();
    else
        hide();
}

void TMainForm::trayNotification(std::intptr_t lParam)
{
    platform::WindowHandle self = m_services.windowHandle(*this);
    if (lParam == kTrayDoubleClick) {
        showOrHide(!shownOnScreen());
        if (shownOnScreen())
            m_services.desktop.desktop.bringToForeground(self);
        return;
    }
    if (lParam != kTrayRightButtonDown && lParam != kTrayPopHotkey)
        return;
    platform::ScreenPoint at =
        m_services.desktop.desktop.cursorPosition().value_or(platform::ScreenPoint{});
    // The window must be in front while the menu is open, or the menu does not close when
    // the user clicks elsewhere.
    m_services.desktop.desktop.bringToForeground(self);
    TrayMenu->popup(at.x, at.y);
    // The empty message makes the system switch tasks properly after the menu closed.
    postMessage(kNullMessage, 0, 0);
}

void TMainForm::TrayMenuPopup(ui::Persistent&)
{
    Restore1->setCaption(messageText(shownOnScreen() ? i18n::msg::SHide : i18n::msg::SRestore));
}

void TMainForm::Restore1Click(ui::Persistent&)
{
    showOrHide(!shownOnScreen());
}

void TMainForm::FormClose(ui::Persistent&, ui::CloseAction& action)
{
    // Closing the window only hides it; the program goes on in the notification area.
    action = ui::CloseAction::Hide;
}

void TMainForm::Open1Click(ui::Persistent&)
{
    if (!OpenDialog1->execute())
        return;
    const std::string chosen = OpenDialog1->fileName();
    if (Hooked) {
        m_services.hook.ClearTheHook();
        Hooked = false;
    }
    detachBarHandler();
    ChannelBar->setMin(0);
    ChannelBar->setMax(0);
    ChannelLCD->SetCaption(messageText(i18n::msg::SStandBy));
    LoadProfile(chosen);
    // A home profile that cannot be written must not leave the program without its hook
    // and its bar: the failure is shown once the opened profile is in use.
    std::optional<profile::ProfileWriteError> rememberFailed;
    try {
        RememberProfilePath(chosen);
    } catch (const profile::ProfileWriteError& error) {
        rememberFailed = error;
    }
    installHook();
    ResetChannelBar();
    attachBarHandler();
    if (Profile.InitialChannel != -1)
        SwitchToChannel(ChannelBar->position());
    showOrHide(!Profile.HideAtStart);
    if (rememberFailed)
        throw *rememberFailed;
}

void TMainForm::OptionsClick(ui::Persistent& sender)
{
    auto& item = static_cast<ui::MenuItem&>(sender);
    item.setChecked(!item.checked());
    try {
        if (item.tag() == kDisableSoundsTag) {
            profile::storeSoundsEnabled(Profile.ProfilePath, !item.checked());
            Profile.SoundsEnabled = !item.checked();
        } else if (item.tag() == kHideOnStartTag) {
            profile::storeHideAtStart(Profile.ProfilePath, item.checked());
        }
    } catch (...) {
        // The mark shows what the profile holds.
        item.setChecked(!item.checked());
        throw;
    }
}

void TMainForm::DefaultClick(ui::Persistent& sender)
{
    auto& item = static_cast<ui::MenuItem&>(sender);
    profile::storeInitialChannel(Profile.ProfilePath, item.tag());
    Profile.InitialChannel = item.tag();
    item.setChecked(true);
}

void TMainForm::SetChannels1Click(ui::Persistent&)
{
    if (!SoundsDlg)
        return; // the program is still starting
    ui::Application* app = ui::Application::current();
    const std::string helpFile = app ? app->helpFile() : std::string();
    profile::TSettingsDlg::Execute({
        Profile,
        [this](const std::string&) { ChannelSettingsSaved(); },
        *SoundsDlg,
        bsPolyglotManager1,
        [this, helpFile](std::int32_t context) {
            m_services.desktop.help.showContext(m_services.windowHandle(*this), helpFile,
                                                static_cast<std::uint32_t>(context));
        },
    });
}

void TMainForm::ChannelSettingsSaved()
{
    LoadProfile(Profile.ProfilePath);

    const auto channels = static_cast<std::int32_t>(Profile.ChannelNames.size());
    detachBarHandler();
    ChannelBar->setMax(std::max(channels, 0));
    if (LastChannel > 0 && m_joinedChannel) {
        // Follow the joined channel to wherever it stands now; if it is gone or renamed,
        // join what stands at its place now, so that the display and the client agree.
        auto nameAt = [this](std::int32_t p) -> const std::string& {
            return Profile.ChannelNames[static_cast<std::size_t>(p - 1)];
        };
        std::int32_t found = -1;
        if (LastChannel <= channels && nameAt(LastChannel) == *m_joinedChannel)
            found = LastChannel;
        for (std::int32_t p = 1; found < 0 && p <= channels; ++p)
            if (nameAt(p) == *m_joinedChannel)
                found = p;
        if (found > 0) {
            ChannelBar->setPosition(found);
            LastChannel = found;
        } else {
            ChannelBar->setPosition(LastChannel);
            attachBarHandler();
            SwitchToChannel(ChannelBar->position());
            return;
        }
    }
    attachBarHandler();
}

void TMainForm::Help2Click(ui::Persistent&)
{
    ui::Application* app = ui::Application::current();
    m_services.desktop.help.showContext(m_services.windowHandle(*this),
                                        app ? app->helpFile() : std::string(), kHelpContents);
}

void TMainForm::KestrionWebsite1Click(ui::Persistent&)
{
    m_services.desktop.shell.open(kWebsite);
}

void TMainForm::EmailQuorbit1Click(ui::Persistent&)
{
    m_services.desktop.shell.open(kEmailAddress);
}

void TMainForm::About1Click(ui::Persistent&)
{
    platform::VersionStrings v = m_services.desktop.versions.read(m_services.programPath);
    std::string version = "Unknown";
    std::string notice;
    if (v.resourceSize >= 1) {
        version = v.fileVersion.value_or("Unknown");
        notice = v.legalCopyright.value_or(kFixedNotice);
    }
    std::string clientVersion;
    m_services.link.DetectClientVersion(clientVersion);
    std::string message = std::string(kAboutLeadIn) + notice + "\r\nVersion " + version +
                          "\r\nVersion of RW detected: " + clientVersion + "\r\n\r\n" + kLcdCredit +
                          "\r\n" + kLocalizationCredit;
    if (ui::Application* app = ui::Application::current())
        app->messageBox(message, "About Kestrion");
}

void TMainForm::Exit1Click(ui::Persistent&)
{
    if (ui::Application* app = ui::Application::current()) {
        app->processMessages();
        app->terminate();
    }
}

void TMainForm::ExitandShutdownRW1Click(ui::Persistent& sender)
{
    m_services.link.SendClientCommand(kShutdownCommand);
    Exit1Click(sender);
}

void TMainForm::FormDestroy(ui::Persistent&)
{
    m_trayIcon->hide();
    if (Hooked) {
        m_services.hook.ClearTheHook();
        Hooked = false;
    }
}

} // namespace app
