// The language-file reader on arbitrary bytes: every section and entry it lists must be found
// again by its lookups, and value decoding and edits must hold up on whatever it read.

#include "i18n/ResourceStrings.h"
#include "i18n/ValueDecoding.h"
#include "i18n/bsINIFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view text(reinterpret_cast<const char*>(data), size);
    auto file = i18n::TbsINIFile::fromText(text);
    for (const auto& section : file->sections()) {
        auto names = file->ReadSection(section.name);
        if (!file->findSection(section.name))
            std::abort();
        for (const auto& name : names) {
            if (name.empty())
                continue;
            std::string value = file->ReadString(section.name, name, "\x01missing");
            if (value == "\x01missing")
                std::abort();
            i18n::UnquoteValue(value);
            i18n::decodeStringList(value);
            file->ReadInteger(section.name, name, 0);
            file->ReadFloat(section.name, name, 0);
        }
    }
    for (std::uint32_t id : {0u, 1u, 65325u, 4294967295u})
        i18n::findResourceString(*file, id);
    if (!file->sections().empty()) {
        const std::string first = file->sections().front().name;
        file->WriteString(first, "Added", "value");
        if (file->ReadString(first, "added", "") != "value")
            std::abort();
        file->DeleteKey(first, "ADDED");
        file->EraseSection(first);
    }
    return 0;
}
