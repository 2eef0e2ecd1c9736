#include "cli/ProfileCommands.h"

#include "cli/Json.h"
#include "profile/IniValue.h"
#include "profile/ProfileData.h"

#include <istream>
#include <limits>
#include <ostream>

namespace cli {

namespace {

enum class ValueType { Text, Integer, Flag };

std::int32_t integerArgument(const std::string& text, const char* what)
{
    auto value = profile::parseIniInteger(text);
    if (!value)
        throw UsageError(std::string(what) + " must be an integer: '" + text + "'");
    return *value;
}

int runIniGet(const Args& args, Io& io)
{
    ValueType type = ValueType::Text;
    Args positional;
    for (const auto& arg : args) {
        if (arg == "--int" || arg == "--flag") {
            if (type != ValueType::Text)
                throw UsageError("give at most one of --int and --flag");
            type = arg == "--int" ? ValueType::Integer : ValueType::Flag;
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() < 3 || positional.size() > 4)
        throw UsageError("ini get takes FILE SECTION KEY [DEFAULT]");
    const std::string& file = positional[0];
    const std::string& section = positional[1];
    const std::string& key = positional[2];
    const bool hasDefault = positional.size() == 4;

    JsonWriter out;
    switch (type) {
    case ValueType::Text:
        out.value(profile::readText(file, section, key, hasDefault ? positional[3] : ""));
        break;
    case ValueType::Integer: {
        std::int32_t fallback = hasDefault ? integerArgument(positional[3], "DEFAULT") : 0;
        out.value(profile::readInteger(file, section, key, fallback));
        break;
    }
    case ValueType::Flag: {
        bool fallback = false;
        if (hasDefault) {
            const std::string& d = positional[3];
            fallback = d == "true" || (d != "false" && integerArgument(d, "DEFAULT") != 0);
        }
        out.value(profile::readFlag(file, section, key, fallback));
        break;
    }
    }
    io.out << out.str() << '\n';
    return 0;
}

int runIniSet(const Args& args, Io& io)
{
    if (args.size() != 4)
        throw UsageError("ini set takes FILE SECTION KEY VALUE");
    profile::writeText(args[0], args[1], args[2], args[3]);
    JsonWriter out;
    out.beginObject()
        .member("File", args[0])
        .member("Section", args[1])
        .member("Key", args[2])
        .member("Value", profile::readText(args[0], args[1], args[2], ""))
        .endObject();
    io.out << out.str() << '\n';
    return 0;
}

int runIniErase(const Args& args, Io& io)
{
    if (args.size() != 2)
        throw UsageError("ini erase takes FILE SECTION");
    profile::IniFile file(args[0]);
    file.eraseSection(args[1]);
    const bool erased = file.document().modified();
    file.commit();
    JsonWriter out;
    out.beginObject()
        .member("File", args[0])
        .member("Section", args[1])
        .member("Erased", erased)
        .endObject();
    io.out << out.str() << '\n';
    return 0;
}

void writeProfile(JsonWriter& out, const profile::ProfileData& data, const profile::Hotkeys& keys)
{
    out.beginObject()
        .member("SoundsEnabled", data.SoundsEnabled)
        .member("HideAtStart", data.HideAtStart)
        .member("HostAddress", data.HostAddress)
        .member("HostPassword", data.HostPassword)
        .member("ChannelCount", data.ChannelCount)
        .member("InitialChannel", data.InitialChannel)
        .key("ChannelNames")
        .stringArray(data.ChannelNames)
        .key("ChannelSounds")
        .stringArray(data.ChannelSounds)
        .member("ErrorSoundSetting", data.ErrorSoundSetting)
        .member("Language", data.Language)
        .key("Keys")
        .beginObject()
        .member(profile::kRequireAltKey, keys.requireAlt)
        .member(profile::kRequireCtrlKey, keys.requireCtrl);
    for (std::size_t i = 0; i < profile::kHotkeyCount; ++i)
        out.member(profile::kHotkeyNames[i], keys.codes[i]);
    out.endObject().endObject();
}

int showProfile(const std::string& path, Io& io)
{
    JsonWriter out;
    writeProfile(out, profile::loadProfile(path), profile::readHotkeys(path));
    io.out << out.str() << '\n';
    return 0;
}

std::int32_t int32Member(const JsonValue& value, std::string_view name)
{
    std::int64_t number = value.asInt();
    if (number < std::numeric_limits<std::int32_t>::min() ||
        number > std::numeric_limits<std::int32_t>::max())
        throw JsonError(std::string(name) + " lies outside the 32-bit range");
    return static_cast<std::int32_t>(number);
}

std::vector<std::string> stringsMember(const JsonValue& value)
{
    std::vector<std::string> items;
    for (const auto& item : value.asArray())
        items.push_back(item.asString());
    return items;
}

void applyKeys(const JsonValue& json, profile::Hotkeys& keys)
{
    for (const auto& [name, value] : json.asObject()) {
        if (name == profile::kRequireAltKey) {
            keys.requireAlt = value.asBool();
            continue;
        }
        if (name == profile::kRequireCtrlKey) {
            keys.requireCtrl = value.asBool();
            continue;
        }
        bool known = false;
        for (std::size_t i = 0; i < profile::kHotkeyCount && !known; ++i) {
            if (name == profile::kHotkeyNames[i]) {
                keys.codes[i] = int32Member(value, name);
                known = true;
            }
        }
        if (!known)
            throw JsonError("unknown member of Keys: \"" + name + "\"");
    }
}

// Lays the members of `json` over the loaded data. Members that the channel-settings save
// does not write (the options and the count, which follows from ChannelNames) are checked
// for their type and otherwise left aside.
void applyProfile(const JsonValue& json, profile::ProfileData& data, profile::Hotkeys& keys)
{
    for (const auto& [name, value] : json.asObject()) {
        if (name == "SoundsEnabled" || name == "HideAtStart")
            (void)value.asBool();
        else if (name == "Language")
            (void)value.asString();
        else if (name == "ChannelCount")
            (void)int32Member(value, name);
        else if (name == "HostAddress")
            data.HostAddress = value.asString();
        else if (name == "HostPassword")
            data.HostPassword = value.asString();
        else if (name == "InitialChannel")
            data.InitialChannel = int32Member(value, name);
        else if (name == "ChannelNames")
            data.ChannelNames = stringsMember(value);
        else if (name == "ChannelSounds")
            data.ChannelSounds = stringsMember(value);
        else if (name == "ErrorSoundSetting")
            data.ErrorSoundSetting = value.asString();
        else if (name == "Keys")
            applyKeys(value, keys);
        else
            throw JsonError("unknown member \"" + name + "\"");
    }
}

int saveProfile(const std::string& path, Io& io)
{
    std::string text;
    char chunk[4096];
    while (io.in.read(chunk, sizeof chunk) || io.in.gcount() > 0)
        text.append(chunk, static_cast<std::size_t>(io.in.gcount()));
    JsonValue json = parseJson(text);
    profile::ProfileData data = profile::loadProfile(path);
    profile::Hotkeys keys = profile::readHotkeys(path);
    applyProfile(json, data, keys);
    profile::saveChannelSettings(path, data, keys);
    return showProfile(path, io);
}

} // namespace

int runIni(const Args& args, Io& io)
{
    if (args.empty())
        throw UsageError("missing subcommand");
    Args rest(args.begin() + 1, args.end());
    if (args[0] == "get")
        return runIniGet(rest, io);
    if (args[0] == "set")
        return runIniSet(rest, io);
    if (args[0] == "erase")
        return runIniErase(rest, io);
    throw UsageError("unknown subcommand '" + args[0] + "'");
}

int runProfile(const Args& args, Io& io)
{
    if (args.size() != 2)
        throw UsageError(args.empty() ? "missing subcommand" : "expected one argument");
    if (args[0] == "show")
        return showProfile(args[1], io);
    if (args[0] == "save")
        return saveProfile(args[1], io);
    if (args[0] == "start") {
        JsonWriter out;
        out.beginObject()
            .member("ProfilePath", profile::ChooseProfilePath(args[1]))
            .member("RwcFile", profile::ReadRwcSetting(args[1]))
            .endObject();
        io.out << out.str() << '\n';
        return 0;
    }
    throw UsageError("unknown subcommand '" + args[0] + "'");
}

} // namespace cli
