#include "cli/PressCommands.h"

#include "cli/Json.h"
#include "hotkeys/HotkeyMatcher.h"
#include "profile/Hotkeys.h"
#include "profile/SettingsDlg.h"
#include "ui/Text.h"

#include <ostream>

#ifdef _WIN32
#include "cli/win32/Win32TopLevelWindows.h"
#include "platform/win32/Win32VersionReader.h"
#include "platform/win32/Win32WindowMessenger.h"
#endif

namespace cli {

namespace {

using profile::HotkeyAction;

std::string actionList()
{
    std::string list;
    for (const auto& press : hotkeyPresses()) {
        if (!list.empty())
            list += ", ";
        list += press.action;
    }
    return list;
}

bool isKestrion(const TopLevelWindows::Window& window, platform::VersionReader& versions)
{
    if (window.programPath.empty())
        return false;
    return versions.read(window.programPath).productName ==
           std::optional<std::string>(kProductName);
}

} // namespace

const std::vector<HotkeyPress>& hotkeyPresses()
{
    static const std::vector<HotkeyPress> presses = [] {
        std::vector<HotkeyPress> out;
        out.reserve(profile::TSettingsDlg::KeyFieldActions.size());
        // In the order the settings dialog shows the keys: the channels, then the others.
        for (HotkeyAction action : profile::TSettingsDlg::KeyFieldActions)
            out.push_back({profile::hotkeyName(action), hotkeys::messageFor(action),
                           action == HotkeyAction::TrayPop ? hotkeys::kTrayPopParam : 0});
        return out;
    }();
    return presses;
}

std::optional<HotkeyPress> findHotkeyPress(std::string_view action)
{
    for (const auto& press : hotkeyPresses())
        if (ui::sameText(press.action, action))
            return press;
    return std::nullopt;
}

int runPressThrough(const Args& args, Io& io, PressServices services)
{
    if (args.size() != 1)
        throw UsageError("press takes one action: " + actionList());
    std::optional<HotkeyPress> press = findHotkeyPress(args[0]);
    if (!press)
        throw UsageError("unknown action '" + args[0] + "'; the actions are: " + actionList());

    struct Outcome {
        std::uint32_t processId;
        bool pressed;
    };
    std::vector<Outcome> outcomes;
    int otherPrograms = 0;
    for (const auto& window : services.windows.ofClass(kMainWindowClass)) {
        if (!isKestrion(window, services.versions)) {
            ++otherPrograms;
            continue;
        }
        bool posted =
            services.messenger.postMessage(window.handle, press->message, 0, press->lParam);
        outcomes.push_back({window.processId, posted});
    }

    int pressed = 0;
    for (const auto& outcome : outcomes)
        pressed += outcome.pressed ? 1 : 0;
    JsonWriter json;
    json.beginObject()
        .member("action", press->action)
        .member("message", static_cast<std::int64_t>(press->message))
        .member("lParam", static_cast<std::int64_t>(press->lParam))
        .member("found", static_cast<std::int64_t>(outcomes.size()))
        .member("pressed", pressed)
        .key("kestrions")
        .beginArray();
    for (const auto& outcome : outcomes)
        json.beginObject()
            .member("processId", static_cast<std::int64_t>(outcome.processId))
            .member("pressed", outcome.pressed)
            .endObject();
    json.endArray().endObject();
    io.out << json.str() << '\n';

    if (outcomes.empty()) {
        io.err << "kestrion-cli: Kestrion is not running: no window to press " << press->action
               << " in";
        if (otherPrograms > 0)
            io.err << " (" << otherPrograms << " window(s) of class " << kMainWindowClass
                   << " belong to other programs)";
        io.err << '\n';
        return 1;
    }
    for (const auto& outcome : outcomes)
        if (!outcome.pressed)
            io.err << "kestrion-cli: could not press " << press->action
                   << " in the Kestrion of process " << outcome.processId
                   << " (it has just ended, or it runs with higher rights than this command)\n";
    return pressed == static_cast<int>(outcomes.size()) ? 0 : 1;
}

#ifdef _WIN32
int runPress(const Args& args, Io& io)
{
    Win32TopLevelWindows windows;
    platform::Win32VersionReader versions;
    platform::Win32WindowMessenger messenger;
    return runPressThrough(args, io, {windows, versions, messenger});
}
#endif

} // namespace cli
