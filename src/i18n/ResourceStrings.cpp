#include "i18n/ResourceStrings.h"

#include "i18n/ValueDecoding.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsINIFile.h"

#include <algorithm>
#include <atomic>

namespace i18n {

namespace {

std::atomic<const StringTable*> g_tableOverride{nullptr};

const StringTable& activeTable()
{
    const StringTable* table = g_tableOverride.load();
    return table ? *table : programStringTable();
}

} // namespace

std::optional<std::string> findResourceString(const TbsINIFile& file, std::uint32_t id)
{
    constexpr std::string_view sectionName = "ResourceStrings";
    const TbsINIFile::Section* section = file.findSection(sectionName);
    if (!section)
        return std::nullopt;
    const std::string wanted = std::to_string(id);
    for (const auto& entry : section->entries) {
        std::string_view name = entry.name;
        if (trimBlanks(name.substr(0, name.find('_'))) == wanted)
            return UnquoteValue(file.ReadString(sectionName, name, ""));
    }
    return std::nullopt;
}

int copyToBuffer(std::string_view text, char* buffer, int size)
{
    if (size <= 0)
        return 0;
    auto n = static_cast<int>(std::min(text.size(), static_cast<std::size_t>(size - 1)));
    std::copy_n(text.data(), n, buffer);
    buffer[n] = '\0';
    return n;
}

std::string LoadResourceString(const ResStringRec* reference)
{
    if (!reference)
        return {};
    // An identifier of 65536 or more is the address of a literal text (Messages.h); the
    // conversion back to a pointer is the reference's own design.
    if (reference->identifier >= 65536)
        return std::string(reinterpret_cast<const char*>( // NOLINT(performance-no-int-to-ptr)
            reference->identifier));
    auto id = static_cast<std::uint16_t>(reference->identifier);
    if (auto translated = TbsCorePolyglot::findTranslatedMessage(id))
        return std::move(*translated);
    char buffer[kMaxBuiltinTextLength + 1];
    int n = activeTable().load(id, buffer, static_cast<int>(sizeof buffer));
    return std::string(buffer, static_cast<std::size_t>(std::max(n, 0)));
}

std::string formatPattern(std::string_view pattern, std::initializer_list<std::string_view> args)
{
    std::string out;
    auto next = args.begin();
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char ch = pattern[i];
        if (ch == '%' && i + 1 < pattern.size()) {
            char conversion = pattern[i + 1];
            if (conversion == '%') {
                out += '%';
                ++i;
                continue;
            }
            if (conversion == 's' || conversion == 'd') {
                if (next != args.end())
                    out += *next++;
                ++i;
                continue;
            }
        }
        out += ch;
    }
    return out;
}

std::string formatMessage(const ResStringRec& reference,
                          std::initializer_list<std::string_view> args)
{
    return formatPattern(LoadResourceString(reference), args);
}

ScopedStringTable::ScopedStringTable(const StringTable& table)
    : m_previous(g_tableOverride.exchange(&table))
{
}

ScopedStringTable::~ScopedStringTable()
{
    g_tableOverride.store(m_previous);
}

} // namespace i18n
