// Names and texts of the main window that are never translated, and small helpers shared
// by the files that make up TMainForm. Internal to the main window.
#pragma once

#include "i18n/ResourceStrings.h"

#include <cstdint>
#include <string>

namespace app::mainform {

// Texts and names that are never translated.
inline constexpr char kInitialCaption[] = "Quorbit's RW Corvandial";
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

// Option items of the Options menu, told apart by their tag.
inline constexpr std::int32_t kDisableSoundsTag = 1;
inline constexpr std::int32_t kHideOnStartTag = 2;
// The radio groups of the Initial Channel and Language submenus.
inline constexpr std::uint8_t kInitialChannelGroup = 1;
inline constexpr std::uint8_t kLanguageGroup = 2;
// Items of the Initial Channel submenu before the channels: None, separator, Default,
// separator.
inline constexpr int kFixedInitialChannelItems = 4;

// The file name of a path (without its folder), as written.
inline std::string fileNameOf(const std::string& path)
{
    auto slash = path.find_last_of("\\/:");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// The folder of a path, with its final separator; empty when it has none.
inline std::string folderOf(const std::string& path)
{
    auto slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

inline std::string messageText(const i18n::ResStringRec& message)
{
    return i18n::LoadResourceString(message);
}

} // namespace app::mainform
