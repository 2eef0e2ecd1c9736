#pragma once
// LoadResourceString: the one loader through which every numbered message text of the
// program passes. With the redirection on (the localization core's TranslateResourceStrings,
// on from the core's creation), a text that the current language file's [ResourceStrings]
// section holds replaces the built-in one. Safe to call from any thread.

#include "i18n/Messages.h"

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

namespace i18n {

// The longest built-in text: the string table is read into a buffer of 1024 bytes.
inline constexpr std::size_t kMaxBuiltinTextLength = 1023;

// The text for a reference, in this order: no reference gives an empty text; an identifier of
// 65536 or more gives the literal text at that address; with the redirection on and a core
// present, the text the core finds in the loaded language file; otherwise the built-in text,
// cut to 1023 characters (empty when the table has no such text).
std::string LoadResourceString(const ResStringRec* reference);
inline std::string LoadResourceString(const ResStringRec& reference)
{
    return LoadResourceString(&reference);
}

// The text of a reference with each "%s" or "%d" replaced by the next argument in turn ("%%"
// gives "%"). Missing arguments give empty text, so a translated text with more places than
// the built-in one does not fail.
std::string formatMessage(const ResStringRec& reference,
                          std::initializer_list<std::string_view> args);
std::string formatPattern(std::string_view pattern, std::initializer_list<std::string_view> args);

class TbsINIFile;

// The translated text for `id` in a language file: the first entry of its [ResourceStrings]
// section, in file order, whose name before any "_" (trimmed) is `id` in decimal without sign
// or leading zeros, decoded with UnquoteValue. Empty when no entry matches; an entry whose
// text is empty is still a match.
std::optional<std::string> findResourceString(const TbsINIFile& file, std::uint32_t id);

// Where built-in texts come from: the module's string table in the Windows build, the
// generated table in the native one.
class StringTable {
public:
    virtual ~StringTable() = default;
    // Copies the text `id` into `buffer` as LoadStringA does: at most size - 1 characters and
    // a NUL. Returns the number of characters copied; 0 when the table has no such text.
    virtual int load(std::uint16_t id, char* buffer, int size) const = 0;
};

// The string table of this build.
const StringTable& programStringTable();

// Makes LoadResourceString read built-in texts from `table` for its lifetime (tests).
class ScopedStringTable {
public:
    explicit ScopedStringTable(const StringTable& table);
    ~ScopedStringTable();
    ScopedStringTable(const ScopedStringTable&) = delete;
    ScopedStringTable& operator=(const ScopedStringTable&) = delete;

private:
    const StringTable* m_previous;
};

// Copies `text` into `buffer` as StringTable::load describes.
int copyToBuffer(std::string_view text, char* buffer, int size);

} // namespace i18n
