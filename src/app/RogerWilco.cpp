#include "app/RogerWilco.h"

#include "profile/ClientArguments.h"

#include "base/Paths.h"

#include <algorithm>

namespace app {

namespace {

// Names the client and the system define; never translated.
constexpr const char* AppPathsKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\App Paths\\roger.exe";
constexpr const char* UpdaterVariantKey = "Software\\GameSpy\\Roger Wilco";
constexpr const char* PlainVariantKey = "Software\\Resounding\\Roger Wilco";
constexpr const char* UpdaterFileName = "fpupdate.exe";
constexpr const char* VersionNameValue = "version_name";
constexpr const char* PlayVolumeValue = "play_vol";
constexpr const char* RecordVolumeValue = "rec_vol";
constexpr const char* ClientWindowClass = "#32770";
constexpr std::array<const char*, 4> ClientWindowTitles = {
    "Roger Wilco",
    "Roger Wilco *Registered*",
    "Roger Wilco (Unregistered)",
    "Roger Wilco (Transmit)",
};
constexpr const char* RemoveMessageName = "5x5 Networking Remove Channel";
constexpr const char* NewMessageName = "5x5 Networking New Channel";
constexpr const char* SortMessageName = "5x5 Networking Sort Channel";

// Texts the link hands back to the About box and start-up.
constexpr const char* NotInstalledText = "Not Installed";
constexpr const char* VersionNameMissingText = "Version Name Missing";

constexpr int DefaultVolume = 128;

} // namespace

ClientCommandRecord::ClientCommandRecord(std::string_view command)
{
    std::copy_n(command.begin(), std::min(command.size(), MostCharacters), buffer.begin());
}

std::string clientCommandLine(std::string_view clientPath, std::string_view arguments)
{
    std::string line;
    line.reserve(clientPath.size() + arguments.size() + 3);
    line += '"';
    line += clientPath;
    line += "\" ";
    line += arguments;
    return line;
}

std::string clientFolder(std::string_view clientPath)
{
    return base::folderPrefixOf(clientPath);
}

bool samePath(std::string_view a, std::string_view b)
{
    auto fold = [](char c) {
        if (c == '/')
            return '\\';
        return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
    };
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [&](char x, char y) { return fold(x) == fold(y); });
}

std::optional<std::string> joinCommand(std::string_view hostAddress, std::string_view channel,
                                       std::string_view password)
{
    using profile::ClientField;
    if (!profile::fitsClientCommand(hostAddress, ClientField::Address) ||
        !profile::fitsClientCommand(password, ClientField::Password))
        return std::nullopt;
    if (channel == "DEFAULT")
        channel = {};
    // Without an address, the "/" before the channel would follow the blank and make the
    // channel a switch: "/join1 /SHUTDOWN".
    if (hostAddress.empty() && !channel.empty())
        return std::nullopt;
    std::string command = "/join1 ";
    command += hostAddress;
    command += '/';
    command += channel;
    command += ' ';
    command += password;
    return command;
}

RogerWilco::RogerWilco(platform::Services services) : m_services(services)
{
    m_messageIds.remove = m_services.windows.registerMessage(RemoveMessageName);
    m_messageIds.newChannel = m_services.windows.registerMessage(NewMessageName);
    m_messageIds.sort = m_services.windows.registerMessage(SortMessageName);
}

std::optional<std::string> RogerWilco::readClientPath()
{
    if (m_clientPathOfCommand)
        return *m_clientPathOfCommand;
    return readClientPathFromRegistry();
}

std::optional<std::string> RogerWilco::readClientPathFromRegistry()
{
    // The client is a 32-bit program, whose installer writes the 32-bit view of the registry;
    // a 64-bit build sees a view of its own first and reads the 32-bit one when that holds no
    // entry. (For a 32-bit build the second look finds what the first did.)
    for (auto root : {platform::RootKey::LocalMachine, platform::RootKey::LocalMachine32}) {
        std::optional<std::string> path;
        if (auto key = m_services.registry.openKey(root, AppPathsKey))
            path = platform::textValue(key->readValue(""));
        if (!path)
            continue;
        // The path goes into the command line in quotes of our own; a value stored in quotes
        // already would otherwise end up doubly quoted and name no program at all.
        if (path->size() >= 2 && path->front() == '"' && path->back() == '"')
            *path = path->substr(1, path->size() - 2);
        if (!path->empty())
            return path;
    }
    return std::nullopt;
}

bool RogerWilco::LaunchClient(std::string_view arguments)
{
    auto path = readClientPath();
    if (!path)
        return false;
    // The client starts in its own folder, as from its shortcut: never in whatever folder this
    // program's current one has become.
    return m_services.processes.launch(clientCommandLine(*path, arguments),
                                       platform::ShowState::Hidden, clientFolder(*path));
}

bool RogerWilco::LaunchClientAndWait(std::string_view arguments)
{
    bool launched = LaunchClient(arguments);
    m_services.sleeper.sleep(LaunchWait);
    return launched;
}

bool RogerWilco::madeByClient(platform::WindowHandle window, const std::string& clientPath)
{
    // Any program may open a dialog of that title, a sandboxed one included; the commands,
    // password and all, go only to a window of the client's own installation.
    const std::string folder = clientFolder(clientPath);
    if (folder.empty())
        return false;
    auto program = m_services.windows.programPathOf(window);
    return program && samePath(clientFolder(*program), folder);
}

platform::WindowHandle RogerWilco::FindClientWindow()
{
    // The installation is read once a window of the client's titles is there at all.
    std::optional<std::optional<std::string>> clientPath;
    for (const char* title : ClientWindowTitles) {
        for (auto window : m_services.windows.findTopLevelWindows(ClientWindowClass, title)) {
            if (!clientPath)
                clientPath = readClientPath();
            if (*clientPath && madeByClient(window, **clientPath))
                return window;
        }
    }
    return platform::WindowHandle::None;
}

void RogerWilco::postToClient(platform::MessageId message)
{
    // A client that closed in the meantime gets nothing: a post to no window would land in
    // this thread's own queue.
    auto window = FindClientWindow();
    if (window != platform::WindowHandle::None)
        m_services.windows.postMessage(window, message, 0, 0);
}

bool RogerWilco::deliver(std::string_view command)
{
    // The record and its buffer live on this frame until the send has returned.
    const ClientCommandRecord record(command);
    postToClient(m_messageIds.remove);
    postToClient(m_messageIds.newChannel);
    bool delivered = false;
    auto window = FindClientWindow();
    if (window != platform::WindowHandle::None)
        delivered = m_services.windows.sendCopyData(window, record.copyData(), CopyDataTimeout);
    // Sort closes the frame that Remove and New opened, whether or not the data arrived.
    postToClient(m_messageIds.sort);
    return delivered;
}

bool RogerWilco::SendClientCommand(std::string_view command)
{
    // One read of the installation serves every search and launch of this command.
    m_clientPathOfCommand = readClientPathFromRegistry();
    struct Forget {
        std::optional<std::optional<std::string>>& cache;
        ~Forget() { cache.reset(); }
    } forget{m_clientPathOfCommand};
    // At most two passes: the second one runs with ClientLaunched set.
    for (;;) {
        if (FindClientWindow() != platform::WindowHandle::None)
            return deliver(command);
        if (m_clientLaunched)
            return LaunchClient(command);
        if (!LaunchClientAndWait(""))
            return false;
        m_clientLaunched = true;
    }
}

bool RogerWilco::JoinChannel(std::string_view hostAddress, std::string_view channel,
                             std::string_view password)
{
    auto command = joinCommand(hostAddress, channel, password);
    return command && SendClientCommand(*command);
}

std::optional<std::string> RogerWilco::readVersionName(const char* settingsKey)
{
    auto key = m_services.registry.openKey(platform::RootKey::CurrentUser, settingsKey);
    if (!key)
        return std::nullopt;
    return platform::textValue(key->readValue(VersionNameValue)).value_or(VersionNameMissingText);
}

void RogerWilco::DetectClientVersion(std::string& versionText)
{
    auto path = readClientPath();
    if (!path) {
        versionText = NotInstalledText;
        return;
    }
    bool updater = m_services.files.fileExists(clientFolder(*path) + UpdaterFileName);
    if (auto name = readVersionName(updater ? UpdaterVariantKey : PlainVariantKey)) {
        versionText = *name;
        m_updaterPresent = updater;
    }
}

ClientVolumes RogerWilco::ReadClientVolumes()
{
    ClientVolumes volumes;
    auto key = m_services.registry.openKey(platform::RootKey::CurrentUser,
                                           m_updaterPresent ? UpdaterVariantKey : PlainVariantKey);
    if (!key)
        return volumes;
    // Taken as signed 32-bit numbers, without a range test; the caller clamps its steps.
    auto read = [&key](const char* name) {
        auto number = platform::dwordValue(key->readValue(name));
        return number ? static_cast<int>(static_cast<std::int32_t>(*number)) : DefaultVolume;
    };
    volumes.playVolume = read(PlayVolumeValue);
    volumes.recordVolume = read(RecordVolumeValue);
    return volumes;
}

} // namespace app
