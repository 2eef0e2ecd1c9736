// The main window: its components, start-up and end.
#include "app/MainForm.h"

#include "app/MainFormNames.h"
#include "i18n/Messages.h"
#include "i18n/bsPolyglotManager.h"
#include "i18n/bsPolyglotTranslator.h"
#include "lcd/LCDLabel.h"
#include "profile/IniFile.h"
#include "profile/SettingsDlg.h"
#include "profile/SoundsDlg.h"
#include "ui/Application.h"
#include "ui/Keys.h"
#include "ui/Menu.h"
#include "ui/OpenDialog.h"
#include "ui/TrackBar.h"

namespace app {

using namespace mainform;

const ui::ClassInfo& TMainForm::staticClassInfo()
{
    static const ui::ClassInfo info("TMainForm", &ui::Form::staticClassInfo(), {});
    return info;
}

TMainForm::TMainForm(ui::Component* owner, MainFormServices& services)
    : ui::Form(owner), m_services(services)
{
    m_programFolder = base::folderPrefixOf(services.programPath);
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

std::vector<std::string> TMainForm::runtimeTexts() const
{
    return {"Caption", "ChannelLCD.Caption"};
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
    ChannelLCD->setPixelSize(lcd::TPixelSize::pix2x2);
    ChannelLCD->setPixelSpacing(1);
    ChannelLCD->setPixelWidth(2);
    ChannelLCD->setPixelHeight(2);
    ChannelLCD->setCharSpacing(2);
    ChannelLCD->setLineSpacing(2);
    ChannelLCD->setBorderSpace(3);
    ChannelLCD->setTextLines(1);
    ChannelLCD->setNoOfChars(15);
    ChannelLCD->setPixelOff(11184810);

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
    // A screen reader hears the bar as the channel: its name, the channel shown as its value,
    // and its place among the channels (the lobby is place 0).
    ChannelBar->accessible().setName([] { return messageText(i18n::msg::SAccChannel); });
    ChannelBar->accessible().setValue([this] { return ChannelLCD->Caption(); });
    ChannelBar->accessible().setDescription([this] {
        return i18n::formatMessage(i18n::msg::SAccPosition, {std::to_string(ChannelBar->position()),
                                                             std::to_string(ChannelBar->max())});
    });
    // F1 opens the help, as in any program; the bar keeps its other keys.
    ChannelBar->OnKeyDown = [this](ui::Persistent&, std::uint16_t& key, std::uint8_t shift) {
        if (key == ui::vk::F1 && shift == ui::ssNone) {
            key = 0;
            ShowHelp(kHelpContents);
        }
    };

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

    useProgramLanguages();
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
