// Names and texts of the main window that are never translated, and small helpers shared
// by the files that make up TMainForm. Internal to the main window.
#pragma once

#include "base/Paths.h"
#include "i18n/ResourceStrings.h"
#include "profile/SettingsDlg.h"

#include <cstdint>
#include <string>

namespace app::mainform {

// Texts and names that are never translated.
inline constexpr char kInitialCaption[] = "Quorbit's RW Corvandial";
// The name the client knows the lobby by; the display shows it as message SLobbyName.
inline constexpr char kLobbyName[] = "Default";
inline constexpr char kProgramIcon[] = "MAINICON";
inline constexpr char kSwitchSound[] = "Stsnd02";
inline constexpr char kErrorSound[] = "Stsnd01";
inline constexpr char kWebsite[] = "https://kestrion.quorbit.example/";
inline constexpr char kEmailAddress[] = "mailto:quorbit@kestrion.example";
inline constexpr char kAboutLeadIn[] = "Kestrion - channel hotkeys for Roger Wilco\r\n";
inline constexpr char kFixedNotice[] = "Free to use and to pass on unchanged.";
inline constexpr char kLcdCredit[] = "Dot-matrix display: TLCDLabel by Quorbit";
inline constexpr char kLocalizationCredit[] = "Languages: the bsPolyglot components by Quorbit";
inline constexpr char kShutdownCommand[] = "/shutdown";
inline constexpr char kFileSwitch[] = " /file ";
// The language selected when another cannot be.
inline constexpr char kFallbackLanguage[] = "english";
inline constexpr std::uint32_t kTrayIconId = 100;
inline constexpr std::uint32_t kTrayFlags = 7; // message, icon and tooltip
inline constexpr std::uint32_t kNullMessage = 0;
inline constexpr std::uint32_t kHelpContents = 1;

// The HTML help in its folder beside the program, and its page for each help context; any
// other context opens the start page. Checks of the settings dialog have pages of their own
// that lead on to their place on the dialog's page, since the shell drops the part after "#"
// of a file it opens.
inline constexpr char kHelpFolder[] = "help\\";
struct HelpPage {
    std::uint32_t context;
    const char* page;
};
inline constexpr HelpPage kHelpPages[] = {
    {kHelpContents, "index.html"},
    {profile::kSettingsDlgHelp, "settings.html"},
    {profile::kRequireAltHelp, "settings-require-alt.html"},
    {profile::kRequireCtrlHelp, "settings-require-ctrl.html"},
};

inline const char* helpPageOf(std::uint32_t context)
{
    for (const HelpPage& page : kHelpPages)
        if (page.context == context)
            return page.page;
    return kHelpPages[0].page;
}

// Option items of the Options menu, told apart by their tag.
inline constexpr std::int32_t kDisableSoundsTag = 1;
inline constexpr std::int32_t kHideOnStartTag = 2;
// The radio groups of the Initial Channel and Language submenus.
inline constexpr std::uint8_t kInitialChannelGroup = 1;
inline constexpr std::uint8_t kLanguageGroup = 2;
// Items of the Initial Channel submenu before the channels: None, separator, Default,
// separator.
inline constexpr int kFixedInitialChannelItems = 4;

using base::fileNameOf;

// A path as the program means it: a relative one is taken from the program's folder, not from
// the current folder, which a shortcut may set to anywhere.
inline std::string besideProgram(const std::string& programFolder, const std::string& path)
{
    if (path.empty())
        return path;
    const bool rooted = path[0] == '\\' || path[0] == '/' || (path.size() >= 2 && path[1] == ':');
    if (rooted)
        return path;
    if (path.rfind(".\\", 0) == 0 || path.rfind("./", 0) == 0)
        return programFolder + path.substr(2);
    return programFolder + path;
}

inline std::string messageText(const i18n::ResStringRec& message)
{
    return i18n::LoadResourceString(message);
}

} // namespace app::mainform
