#include "cli/LangCommands.h"

#include "cli/Json.h"

#include "i18n/FileAccess.h"
#include "i18n/ResourceStrings.h"
#include "i18n/ValueDecoding.h"
#include "i18n/bsINIFile.h"

#include <charconv>
#include <cstdint>
#include <ostream>
#include <stdexcept>

namespace cli {

namespace {

// Reads a language file for inspection; unlike the program, a missing file is an error here.
i18n::TbsINIFile openLanguageFile(const std::string& path)
{
    if (!i18n::files::isFile(path))
        throw std::runtime_error("Cannot open file \"" + path + "\". No such file.");
    return i18n::TbsINIFile(path);
}

std::uint32_t parseId(const std::string& text)
{
    std::uint32_t id = 0;
    auto res = std::from_chars(text.data(), text.data() + text.size(), id);
    if (text.empty() || res.ec != std::errc() || res.ptr != text.data() + text.size())
        throw UsageError("ID must be a decimal number from 0 to 4294967295");
    return id;
}

} // namespace

int runLang(const Args& args, Io& io)
{
    if (args.empty())
        throw UsageError("missing subcommand");
    const std::string& sub = args[0];
    JsonWriter json;
    if (sub == "unquote" && args.size() == 2) {
        json.value(i18n::UnquoteValue(args[1]));
    } else if (sub == "list" && args.size() == 2) {
        json.stringArray(i18n::decodeStringList(args[1]));
    } else if (sub == "show" && args.size() == 2) {
        auto file = openLanguageFile(args[1]);
        json.beginArray();
        for (const auto& section : file.sections()) {
            json.beginObject().member("section", section.name).key("entries").beginArray();
            for (const auto& entry : section.entries)
                json.beginObject()
                    .member("name", entry.name)
                    .member("value", entry.value)
                    .endObject();
            json.endArray().endObject();
        }
        json.endArray();
    } else if (sub == "resource" && args.size() == 3) {
        std::uint32_t id = parseId(args[2]);
        auto file = openLanguageFile(args[1]);
        auto text = i18n::findResourceString(file, id);
        json.beginObject().member("found", text.has_value()).key("text");
        if (text)
            json.value(*text);
        else
            json.null();
        json.endObject();
    } else {
        throw UsageError("unknown subcommand or wrong number of arguments");
    }
    io.out << json.str() << '\n';
    return 0;
}

} // namespace cli
