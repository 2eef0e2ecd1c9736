// The main window and its profile: loading, the languages, Open, the options and the channel
// settings.
#include "app/MainForm.h"

#include "app/MainFormNames.h"
#include "i18n/Messages.h"
#include "i18n/bsPolyglotManager.h"
#include "i18n/bsPolyglotTranslator.h"
#include "lcd/LCDLabel.h"
#include "profile/DialogPaths.h"
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

using namespace mainform;

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
    // One change of the menu for the whole load, whatever the number of channels: the window
    // builds its menu once, and the access keys are given once.
    ui::MenuUpdate batch(MainMenu1);
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
    ShowOnDisplay(messageText(i18n::msg::SStandingBy));
}

void TMainForm::BuildLanguageMenu()
{
    ui::MenuUpdate batch(MainMenu1);
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
        if (ui::sameText(name, current))
            item->setChecked(true);
    }
}

void TMainForm::SelectLanguage(const std::string& name)
{
    try {
        bsPolyglotManager1->setCurrentLang(name);
        // The profile may name the language in another letter case than its file ("english"
        // for English.lng); the language is the same, and its item is checked.
        std::string current = bsPolyglotManager1->CurrentLang();
        int index = 0;
        for (int i = 0, n = bsPolyglotManager1->LangsCount(); i < n; ++i) {
            if (ui::sameText(bsPolyglotManager1->Langs(i), current)) {
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
            bsPolyglotManager1->setCurrentLang(kFallbackLanguage);
        } catch (const std::exception&) {
        }
    }
}

// The languages of the program's own folder replace those of the working folder, where the
// profile's language was looked for as it was loaded.
void TMainForm::useProgramLanguages()
{
    try {
        bsPolyglotManager1->setLangsDir(m_programFolder + "language\\");
    } catch (const std::exception&) {
        // The language first found there cannot be read: English is selected instead,
        // silently, or no language file at all when English cannot be read either.
        SelectLanguage(kFallbackLanguage);
    }
    // Setting the folder selects the first language found there when the working folder had
    // none of its own; the user's stored choice wins when the folder holds it.
    if (!ui::sameText(bsPolyglotManager1->CurrentLang(), Profile.Language) &&
        languageListed(Profile.Language))
        SelectLanguage(Profile.Language);
}

bool TMainForm::languageListed(const std::string& name) const
{
    for (int i = 0, n = bsPolyglotManager1->LangsCount(); i < n; ++i)
        if (ui::sameText(bsPolyglotManager1->Langs(i), name))
            return true;
    return false;
}

void TMainForm::LanguageClick(ui::Persistent& sender)
{
    m_userPicksLanguage = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{m_userPicksLanguage};
    SelectLanguage(static_cast<ui::MenuItem&>(sender).caption());
}

void TMainForm::bsPolyglotManager1AfterAllTranslate(ui::Persistent&)
{
    // A profile that cannot be written must not undo the change of language: the forms stay
    // in the language chosen. The failure is shown when the user picked the language; a store
    // that merely follows the loading of a profile (at start-up, after Open or a save of the
    // settings) fails silently, so that a read-only profile starts without a message box.
    try {
        profile::storeLanguage(Profile.ProfilePath, bsPolyglotManager1->CurrentLang());
    } catch (const profile::ProfileWriteError& error) {
        if (!m_userPicksLanguage)
            return;
        if (ui::Application* app = ui::Application::current())
            app->showException(error);
    }
}

void TMainForm::Open1Click(ui::Persistent&)
{
    profile::keepDialogOnThisComputer(*OpenDialog1, m_programFolder);
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
    ShowOnDisplay(messageText(i18n::msg::SStandBy));
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
    profile::TSettingsDlg::Execute({
        Profile,
        [this](const std::string&) { ChannelSettingsSaved(); },
        *SoundsDlg,
        bsPolyglotManager1,
        [this](std::int32_t context) { ShowHelp(static_cast<std::uint32_t>(context)); },
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

} // namespace app
