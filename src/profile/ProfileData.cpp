#include "profile/ProfileData.h"

#include "profile/FileIo.h"

#include <algorithm>

namespace profile {

namespace {

// Sections, keys and defaults of the profile file; never translated.
constexpr std::string_view kOptions = "options";
constexpr std::string_view kHost = "host";
constexpr std::string_view kChannels = "channels";
constexpr std::string_view kSounds = "sounds";

constexpr std::string_view kSoundsKey = "sounds";
constexpr std::string_view kHideAtStartKey = "hide_at_start";
constexpr std::string_view kLanguageKey = "language";
constexpr std::string_view kLastIniKey = "last_ini";
constexpr std::string_view kUseRwcKey = "use_rwc";
constexpr std::string_view kAddressKey = "address";
constexpr std::string_view kPasswordKey = "password";
constexpr std::string_view kCountKey = "count";
constexpr std::string_view kDefaultKey = "default";
constexpr std::string_view kErrorKey = "error";

constexpr std::string_view kDefaultWord = "DEFAULT";
constexpr std::string_view kDefaultAddress = "127.0.0.1";
constexpr std::string_view kDefaultLanguage = "english";

std::string channelKey(std::int32_t position)
{
    return "channel" + std::to_string(position);
}

} // namespace

bool isDefaultKeyword(std::string_view value)
{
    if (value.size() != kDefaultWord.size())
        return false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        char c = value[i];
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        if (c != kDefaultWord[i])
            return false;
    }
    return true;
}

std::string homeProfilePath(std::string_view programPath)
{
    std::size_t nameStart = programPath.find_last_of("\\/:");
    nameStart = nameStart == std::string_view::npos ? 0 : nameStart + 1;
    std::size_t dot = programPath.rfind('.');
    if (dot == std::string_view::npos || dot < nameStart)
        dot = programPath.size();
    return std::string(programPath.substr(0, dot)) + ".ini";
}

std::string ChooseProfilePath(const std::string& homeProfile)
{
    std::string last = readText(homeProfile, kOptions, kLastIniKey, homeProfile);
    return isExistingFile(last) ? last : homeProfile;
}

std::string ReadRwcSetting(const std::string& homeProfile)
{
    std::string rwc = readText(homeProfile, kOptions, kUseRwcKey, "");
    return isExistingFile(rwc) ? rwc : std::string();
}

void RememberProfilePath(const std::string& homeProfile, const std::string& openedPath)
{
    writeText(homeProfile, kOptions, kLastIniKey,
              isExistingFile(openedPath) ? openedPath : homeProfile);
}

ProfileData loadProfile(const std::string& path)
{
    const IniFile file(path);
    ProfileData data;
    data.SoundsEnabled = file.readFlag(kOptions, kSoundsKey, true);
    data.HideAtStart = file.readFlag(kOptions, kHideAtStartKey, false);
    data.HostAddress = file.readText(kHost, kAddressKey, kDefaultAddress);
    data.HostPassword = file.readText(kHost, kPasswordKey, "");
    data.ChannelCount = std::min(file.readInteger(kChannels, kCountKey, 1), kMaxChannelCount);
    data.InitialChannel = file.readInteger(kChannels, kDefaultKey, 0);
    if (data.InitialChannel > data.ChannelCount)
        data.InitialChannel = 0;
    data.ErrorSoundSetting = file.readText(kSounds, kErrorKey, kDefaultWord);
    data.ChannelSounds.push_back(file.readText(kSounds, channelKey(0), kDefaultWord));
    if (data.ChannelCount > 0) {
        data.ChannelNames.reserve(static_cast<std::size_t>(data.ChannelCount));
        data.ChannelSounds.reserve(static_cast<std::size_t>(data.ChannelCount) + 1);
    }
    for (std::int32_t p = 1; p <= data.ChannelCount; ++p) {
        std::string key = channelKey(p);
        data.ChannelNames.push_back(file.readText(kChannels, key, kDefaultWord));
        data.ChannelSounds.push_back(file.readText(kSounds, key, kDefaultWord));
    }
    data.ProfilePath = path;
    data.Language = file.readText(kOptions, kLanguageKey, kDefaultLanguage);
    return data;
}

void saveChannelSettings(const std::string& path, const ProfileData& data, const Hotkeys& keys)
{
    auto sound = [&](std::size_t position) -> std::string_view {
        return position < data.ChannelSounds.size() ? std::string_view(data.ChannelSounds[position])
                                                    : kDefaultWord;
    };
    IniFile file(path);
    file.writeText(kHost, kAddressKey, data.HostAddress);
    file.writeText(kHost, kPasswordKey, data.HostPassword);
    file.eraseSection(kChannels);
    file.eraseSection(kSounds);
    const auto count = static_cast<std::int32_t>(data.ChannelNames.size());
    file.writeInteger(kChannels, kCountKey, count);
    file.writeInteger(kChannels, kDefaultKey, data.InitialChannel);
    file.writeText(kSounds, kErrorKey, data.ErrorSoundSetting);
    file.writeText(kSounds, channelKey(0), sound(0));
    for (std::int32_t p = 1; p <= count; ++p) {
        std::string key = channelKey(p);
        file.writeText(kChannels, key, data.ChannelNames[static_cast<std::size_t>(p - 1)]);
        file.writeText(kSounds, key, sound(static_cast<std::size_t>(p)));
    }
    writeHotkeys(file, keys);
    file.commit();
}

void storeSoundsEnabled(const std::string& path, bool enabled)
{
    writeFlag(path, kOptions, kSoundsKey, enabled);
}

void storeHideAtStart(const std::string& path, bool hide)
{
    writeFlag(path, kOptions, kHideAtStartKey, hide);
}

void storeInitialChannel(const std::string& path, std::int32_t channel)
{
    writeInteger(path, kChannels, kDefaultKey, channel);
}

void storeLanguage(const std::string& path, std::string_view language)
{
    writeText(path, kOptions, kLanguageKey, language);
}

} // namespace profile
