// Parser and read-modify-write round trips of the profile store.
//
// The input is a few edit instructions followed by the text of a profile. Checked: parsing
// loses no byte; edits on one document give the bytes of the same edits made one by one
// through a fresh parse (the channel-settings save depends on it); an entry reads back as
// written; a section's index finds what a scan of it finds; integers and quoted values are
// read without fault.

#include "profile/IniDocument.h"
#include "profile/IniValue.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// Names and values that the store accepts for writing.
bool storable(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos;
}

bool storableKey(std::string_view key)
{
    std::string_view trimmed = profile::trimIni(key);
    return storable(key) && trimmed.find('=') == std::string_view::npos &&
           !trimmed.starts_with('[') && !trimmed.starts_with("\xEF\xBB\xBF");
}

// Stops at the first broken promise, naming its line.
#define check(condition)                                                                           \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "IniFuzz.cpp:%d: %s\n", __LINE__, #condition);                    \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const int edits = input.ConsumeIntegralInRange(0, 8);
    struct Edit {
        bool erase;
        std::string section, key, value;
    };
    std::vector<Edit> plan;
    // Short names drawn from the input hit the file's own names often enough.
    for (int i = 0; i < edits; ++i) {
        Edit edit;
        edit.erase = input.ConsumeIntegralInRange(0, 4) == 0;
        edit.section = input.ConsumeRandomLengthString(8);
        edit.key = input.ConsumeRandomLengthString(8);
        edit.value = input.ConsumeRandomLengthString(16);
        plan.push_back(std::move(edit));
    }
    const std::string text = input.ConsumeRemainingBytesAsString();

    profile::IniDocument together(text);
    check(together.serialize() == text);

    // The first lookup in a section scans it, later ones go through its index: both must
    // find the same entry.
    for (const auto& edit : plan) {
        profile::IniDocument probe(text);
        auto scanned = probe.value(edit.section, edit.key);
        auto indexed = probe.value(edit.section, edit.key);
        check(scanned == indexed);
    }

    std::string single = text;
    for (const auto& edit : plan) {
        if (!storable(edit.section) ||
            (!edit.erase && (!storableKey(edit.key) || !storable(edit.value))))
            continue;
        profile::IniDocument once(single);
        if (edit.erase) {
            together.eraseSection(edit.section);
            once.eraseSection(edit.section);
            check(!once.value(edit.section, edit.key));
        } else {
            together.setValue(edit.section, edit.key, edit.value);
            once.setValue(edit.section, edit.key, edit.value);
            auto read = once.value(edit.section, edit.key);
            check(read && *read == profile::trimIni(edit.value));
        }
        single = once.serialize();
        check(together.serialize() == single);
        auto stored = together.value(edit.section, edit.key);
        if (stored) {
            std::string readable = profile::readableText(*stored);
            check(readable.size() <= profile::kMaxValueLength);
            if (auto number = profile::parseIniInteger(readable))
                check(profile::parseIniInteger(profile::formatIniInteger(*number)) == number);
        }
    }
    return 0;
}
