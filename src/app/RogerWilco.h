#pragma once
// The link to the voice-chat client Roger Wilco (roger.exe), the only place that talks to it.
// It finds the client's installation in the registry, starts roger.exe with a command line,
// finds the client's running dialog window and hands it text commands by window message, and
// tells which variant and version of the client is installed. It shows nothing and writes
// nothing; callers learn only whether a command was delivered.
//
// The program creates exactly one link at start, before the main window (its constructor
// registers the client's three messages), and keeps it until it ends; tests create their
// own over fake services. Everything runs on the calling (user-interface) thread.

#include "platform/Services.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace app {

// What travels with each command: the copy-data record of WM_COPYDATA and its text buffer.
// cbData is 254 whatever the command's length, and the buffer is zero-filled and holds at
// most 253 characters of the command, so that the 254 bytes sent always end in the zero the
// client reads the text up to. (A command of 254 characters would otherwise arrive without
// one.)
struct ClientCommandRecord {
    static constexpr std::size_t BufferSize = 255;
    static constexpr std::uint32_t PayloadSize = 254;
    static constexpr std::size_t MostCharacters = PayloadSize - 1;

    explicit ClientCommandRecord(std::string_view command);

    std::uintptr_t dwData = 0;
    std::uint32_t cbData = PayloadSize;
    std::array<char, BufferSize> buffer{};

    // The record as sent; lpData points into this object's buffer.
    platform::CopyData copyData() const { return {dwData, cbData, buffer.data()}; }
};

// The client's playback volume and microphone gain, as its settings hold them (unchecked).
struct ClientVolumes {
    int playVolume = 128;
    int recordVolume = 128;
};

class RogerWilco {
public:
    // Ids of the client's registered messages, framing each copy-data message.
    struct MessageIds {
        platform::MessageId remove = 0;
        platform::MessageId newChannel = 0;
        platform::MessageId sort = 0;
    };

    // How long a command sent by message may take the client before it counts as undelivered.
    static constexpr std::chrono::milliseconds CopyDataTimeout{3000};
    // The wait after starting the client, for its window to appear.
    static constexpr std::chrono::milliseconds LaunchWait{2000};

    // Registers the three messages. The services must outlive the link.
    explicit RogerWilco(platform::Services services);
    RogerWilco(const RogerWilco&) = delete;
    RogerWilco& operator=(const RogerWilco&) = delete;

    // Hands a command to the client. If a client window exists: posts Remove and New, sends
    // the command record with WM_COPYDATA (bounded by CopyDataTimeout), posts Sort, finding the
    // window again before each message; true when the client took the data. Without a window,
    // the first time: starts the client with empty arguments, waits, and tries once more;
    // after that: starts a client with the command as its arguments. False when the client is
    // not installed, could not be started, vanished, or did not take the data in time.
    // The registered messages are posted and the data is sent, so the client usually handles
    // the data before Remove and New, which still wait in its queue; Sort always comes after.
    bool SendClientCommand(std::string_view command);

    // "/join1 " + host + "/" + channel + " " + password, with the channel "DEFAULT" (exactly)
    // replaced by nothing, which joins the host's lobby. Result of SendClientCommand; false,
    // and nothing sent, when the host or the password would add a switch of its own to the
    // command (joinCommand). The caller checks the channel name before it adds "/file".
    bool JoinChannel(std::string_view hostAddress, std::string_view channel,
                     std::string_view password);

    // Starts roger.exe hidden with the quoted client path, a blank and the arguments as its
    // command line, in the client's own folder. False when the client is not installed or
    // the process was not created.
    bool LaunchClient(std::string_view arguments);
    // LaunchClient, then LaunchWait whatever its result.
    bool LaunchClientAndWait(std::string_view arguments);

    // The client's dialog window under any of its four titles, or None. A window counts only
    // when the program that made it lies in the client's installation folder: roger.exe as
    // App Paths names it, or another program beside it. Windows of those titles that other
    // programs opened are passed over, and without an installation no window counts.
    platform::WindowHandle FindClientWindow();

    // Sets the text to the client's version name, "Version Name Missing", or "Not Installed",
    // and UpdaterPresent to the variant found. Leaves both as they were when the client is
    // installed but its variant's settings key does not exist.
    void DetectClientVersion(std::string& versionText);

    // Volumes from the settings key of the variant UpdaterPresent names (so after
    // DetectClientVersion); 128 for each that is missing or not a 32-bit integer.
    ClientVolumes ReadClientVolumes();

    // Set once SendClientCommand has started the client itself; never cleared.
    bool ClientLaunched() const { return m_clientLaunched; }
    // True for the variant with "fpupdate.exe" beside roger.exe.
    bool UpdaterPresent() const { return m_updaterPresent; }
    const MessageIds& messageIds() const { return m_messageIds; }

private:
    // The client path from App Paths, without enclosing quotes; empty when not installed.
    // While a command is delivered, the path read at its start.
    std::optional<std::string> readClientPath();
    std::optional<std::string> readClientPathFromRegistry();
    bool madeByClient(platform::WindowHandle window, const std::string& clientPath);
    std::optional<std::string> readVersionName(const char* settingsKey);
    bool deliver(std::string_view command);
    void postToClient(platform::MessageId message);

    platform::Services m_services;
    MessageIds m_messageIds;
    bool m_clientLaunched = false;
    bool m_updaterPresent = false;
    // Set while SendClientCommand runs: one read of App Paths serves its every search.
    std::optional<std::optional<std::string>> m_clientPathOfCommand;
};

// The join command "/join1 " + host + "/" + channel + " " + password, the channel "DEFAULT"
// (exactly) replaced by nothing; nothing when the host or the password does not fit into a
// client command (profile::fitsClientCommand), or when a channel follows an empty host (its
// "/" would then begin a switch).
std::optional<std::string> joinCommand(std::string_view hostAddress, std::string_view channel,
                                       std::string_view password);

// The command line that starts the client: the path in quotes, so that a path with blanks
// names the client and never a program at a shorter prefix of it, then one blank and the
// arguments as given (also when they are empty).
std::string clientCommandLine(std::string_view clientPath, std::string_view arguments);

// The client folder: the path up to and including its last '\', '/' or ':'; empty if none.
std::string clientFolder(std::string_view clientPath);

// Whether two paths name the same file as Windows compares them: without regard to the letter
// case of A to Z, and with '/' and '\' alike.
bool samePath(std::string_view a, std::string_view b);

} // namespace app
