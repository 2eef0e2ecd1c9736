// The main window switching channels: the bar, the hotkey messages, volume and gain, sounds.
#include "app/MainForm.h"

#include "app/MainFormNames.h"
#include "i18n/Messages.h"
#include "lcd/LCDLabel.h"
#include "platform/LocalPath.h"
#include "profile/ClientArguments.h"
#include "ui/Text.h"
#include "ui/TrackBar.h"

#include <algorithm>

namespace app {

using namespace mainform;

void TMainForm::ShowOnDisplay(const std::string& text)
{
    const std::string before = ChannelLCD->Caption();
    ChannelLCD->setCaption(text);
    const std::string shown = ChannelLCD->Caption();
    if (shown != before) {
        ChannelBar->raiseAccessibleEvent(ui::AccessibleEvent::ValueChange);
        ChannelLCD->announce(shown);
    }
}

void TMainForm::SwitchToChannel(std::int32_t position)
{
    LastChannel = position;
    std::string name;
    bool lobby =
        !(position >= 1 && static_cast<std::size_t>(position) <= Profile.ChannelNames.size());
    if (lobby) {
        // The display names the lobby in the user's language; the client knows it by one
        // name whatever the language.
        ShowOnDisplay(messageText(i18n::msg::SLobbyName));
        name = kLobbyName;
        position = 0;
        m_joinedChannel.reset();
    } else {
        name = Profile.ChannelNames[static_cast<std::size_t>(position - 1)];
        m_joinedChannel = name;
        ShowOnDisplay(name);
    }
    // A name that would add a switch of its own to the command ("Charlie /shutdown") is never
    // handed to the client: the switch fails as an undelivered one does.
    bool ok = false;
    if (profile::fitsClientCommand(name, profile::ClientField::ChannelName)) {
        if (!RwcFile.empty())
            name += kFileSwitch + RwcFile;
        ok = m_services.link.JoinChannel(Profile.HostAddress, ui::upperCase(name),
                                         Profile.HostPassword);
    }
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
    // A sound on another computer counts as missing: looking it up would open a network
    // session to a host the profile names, and hand it the user's credentials.
    if (platform::isLocalFilePath(path) && m_services.os.files.fileExists(path))
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
    // The value comes from the registry as it is, and may lie anywhere in 32 bits.
    const std::int64_t stepped = std::int64_t(value) + step;
    value = static_cast<std::int32_t>(step > 0 ? std::min<std::int64_t>(stepped, 255)
                                               : std::max<std::int64_t>(stepped, 1));
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
        ShowOnDisplay(messageText(i18n::msg::SStandingBy));
        if (position >= 1 && position <= channels) {
            const std::string& name = Profile.ChannelNames[static_cast<std::size_t>(position - 1)];
            if (profile::fitsClientCommand(name, profile::ClientField::ChannelName))
                m_services.link.SendClientCommand("/leave " + name);
        } else {
            m_services.link.SendClientCommand("/leave DEFAULT");
        }
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

} // namespace app
