#include "profile/IniDocument.h"

#include "profile/KeyedHash.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>

namespace profile {

namespace {

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kCrLf = "\r\n";

char foldChar(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string fold(std::string_view name)
{
    std::string folded(name);
    for (char& c : folded)
        c = foldChar(c);
    return folded;
}

bool equalsFolded(std::string_view name, std::string_view folded)
{
    if (name.size() != folded.size())
        return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        if (foldChar(name[i]) != folded[i])
            return false;
    }
    return true;
}

// The keyed hash over the folded bytes (names that match hash alike), as the index keeps it.
std::uint32_t foldedHash(std::string_view name)
{
    return static_cast<std::uint32_t>(foldedNameHash(name));
}

std::string_view cutAtNul(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

bool isHeader(std::string_view trimmed)
{
    if (trimmed.empty() || trimmed.front() != '[')
        return false;
    std::size_t close = trimmed.rfind(']');
    return close != std::string_view::npos && close > 0;
}

// The name of a section header line (already known to be one).
std::string_view headerName(std::string_view line)
{
    std::string_view t = trimIni(line);
    std::size_t close = t.rfind(']');
    return cutAtNul(trimIni(t.substr(1, close - 1)));
}

struct EntryParts {
    std::string_view name; // trimmed, not cut at NUL
    std::optional<std::string_view> value;
};

EntryParts splitEntry(std::string_view line)
{
    std::string_view t = trimIni(line);
    std::size_t eq = t.find('=');
    if (eq == std::string_view::npos)
        return {t, std::nullopt};
    return {trimIni(t.substr(0, eq)), trimIni(t.substr(eq + 1))};
}

void checkSize(std::size_t size)
{
    if (size >= UINT32_MAX)
        throw std::length_error("profile text too large");
}

} // namespace

bool isIniBlank(char c)
{
    switch (c) {
    case ' ':
    case '\t':
    case '\r':
    case '\n':
    case '\v':
    case '\f':
    case '\x1a': return true;
    default: return false;
    }
}

std::string_view trimIni(std::string_view text)
{
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isIniBlank(text[begin]))
        ++begin;
    while (end > begin && isIniBlank(text[end - 1]))
        --end;
    return text.substr(begin, end - begin);
}

IniDocument::IniDocument() : m_sections(1)
{
}

IniDocument::IniDocument(std::string bytes) : m_source(std::move(bytes))
{
    checkSize(m_source.size());
    const std::string_view src(m_source);
    std::size_t pos = 0;
    if (src.starts_with(kUtf8Bom)) {
        m_bomLength = static_cast<std::uint32_t>(kUtf8Bom.size());
        pos = kUtf8Bom.size();
    }
    m_sections.emplace_back();
    // A rough guess that saves most reallocations for ordinary profiles.
    m_lines.reserve(src.size() / 16 + 1);
    // The next CR and the next LF at or after `pos`, each found with one scan of the text.
    auto find = [&](char c, std::size_t from) {
        const void* hit = std::memchr(src.data() + from, c, src.size() - from);
        return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - src.data())
                   : src.size();
    };
    std::size_t nextCr = find('\r', pos);
    std::size_t nextLf = find('\n', pos);
    while (pos < src.size()) {
        if (nextCr < pos)
            nextCr = find('\r', pos);
        if (nextLf < pos)
            nextLf = find('\n', pos);
        std::size_t end = std::min(nextCr, nextLf);
        Line line;
        line.begin = static_cast<std::uint32_t>(pos);
        line.length = static_cast<std::uint32_t>(end - pos);
        if (end == src.size()) {
            line.terminator = Terminator::None;
            pos = end;
        } else if (src[end] == '\r' && end + 1 < src.size() && src[end + 1] == '\n') {
            line.terminator = Terminator::CrLf;
            pos = end + 2;
        } else {
            line.terminator = src[end] == '\r' ? Terminator::Cr : Terminator::Lf;
            pos = end + 1;
        }
        std::string_view trimmed = trimIni(src.substr(line.begin, line.length));
        auto index = static_cast<std::uint32_t>(m_lines.size());
        if (trimmed.empty()) {
            line.kind = Kind::Blank;
        } else if (isHeader(trimmed)) {
            line.kind = Kind::Header;
            m_sections.back().end = index;
            Section& section = m_sections.emplace_back();
            section.header = index;
            section.first = index + 1;
        } else {
            line.kind = Kind::Entry;
            m_sections.back().lastNonBlank = index;
        }
        m_lines.push_back(line);
    }
    m_sections.back().end = static_cast<std::uint32_t>(m_lines.size());
}

IniDocument::IniDocument(IniDocument&&) noexcept = default;
IniDocument& IniDocument::operator=(IniDocument&&) noexcept = default;
IniDocument::~IniDocument() = default;

std::string_view IniDocument::text(const Line& line) const
{
    const std::string& buffer = line.added ? m_added : m_source;
    return std::string_view(buffer).substr(line.begin, line.length);
}

std::string_view IniDocument::sectionName(const Section& section) const
{
    if (section.header == Section::kNone)
        return {};
    return headerName(text(m_lines[section.header]));
}

std::optional<std::uint32_t> IniDocument::findSection(std::string_view foldedName) const
{
    if (!m_sectionIndex) {
        m_sectionIndex = std::make_unique<NameIndex>();
        for (std::size_t i = 0; i < m_sections.size(); ++i) {
            if (!m_sections[i].erased)
                m_sectionIndex->emplace(fold(sectionName(m_sections[i])),
                                        static_cast<std::uint32_t>(i));
        }
    }
    auto it = m_sectionIndex->find(std::string(foldedName));
    if (it == m_sectionIndex->end())
        return std::nullopt;
    return it->second;
}

std::size_t IniDocument::FoldedNameHasher::operator()(const std::string& folded) const
{
    return static_cast<std::size_t>(foldedNameHash(folded));
}

std::string_view IniDocument::entryName(std::uint32_t line) const
{
    return cutAtNul(splitEntry(text(m_lines[line])).name);
}

void IniDocument::indexEntry(KeyIndex& index, std::uint32_t line) const
{
    if ((index.count + 1) * 2 > index.slots.size()) {
        std::vector<std::uint64_t> old = std::move(index.slots);
        index.slots.assign(std::max<std::size_t>(16, old.size() * 2), 0);
        index.count = 0;
        for (std::uint64_t slot : old) {
            if (slot != 0)
                indexEntry(index, static_cast<std::uint32_t>(slot) - 1);
        }
    }
    std::string_view name = entryName(line);
    const std::uint32_t hash = foldedHash(name);
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        std::uint64_t slot = index.slots[i];
        if (slot == 0) {
            index.slots[i] = (std::uint64_t{hash} << 32) | (std::uint64_t{line} + 1);
            ++index.count;
            return;
        }
        // The first entry of a name stays the one that is found.
        if ((slot >> 32) == hash &&
            fold(entryName(static_cast<std::uint32_t>(slot) - 1)) == fold(name))
            return;
    }
}

std::optional<std::uint32_t> IniDocument::findEntry(const Section& section,
                                                    std::string_view foldedName) const
{
    if (!section.keys && !section.searched) {
        section.searched = true;
        for (std::uint32_t i = section.first; i < section.end; ++i) {
            if (m_lines[i].kind == Kind::Entry && equalsFolded(entryName(i), foldedName))
                return i;
        }
        for (std::uint32_t i : section.added) {
            if (equalsFolded(entryName(i), foldedName))
                return i;
        }
        return std::nullopt;
    }
    if (!section.keys) {
        section.keys = std::make_unique<KeyIndex>();
        for (std::uint32_t i = section.first; i < section.end; ++i) {
            if (m_lines[i].kind == Kind::Entry)
                indexEntry(*section.keys, i);
        }
        for (std::uint32_t i : section.added)
            indexEntry(*section.keys, i);
    }
    const KeyIndex& index = *section.keys;
    if (index.slots.empty())
        return std::nullopt;
    const std::uint32_t hash = foldedHash(foldedName);
    const std::size_t mask = index.slots.size() - 1;
    for (std::size_t i = hash & mask;; i = (i + 1) & mask) {
        std::uint64_t slot = index.slots[i];
        if (slot == 0)
            return std::nullopt;
        auto line = static_cast<std::uint32_t>(slot) - 1;
        if ((slot >> 32) == hash && equalsFolded(entryName(line), foldedName))
            return line;
    }
}

std::optional<std::string_view> IniDocument::value(std::string_view section,
                                                   std::string_view key) const
{
    auto s = findSection(fold(cutAtNul(trimIni(section))));
    if (!s)
        return std::nullopt;
    auto line = findEntry(m_sections[*s], fold(cutAtNul(trimIni(key))));
    if (!line)
        return std::nullopt;
    auto parts = splitEntry(text(m_lines[*line]));
    if (!parts.value)
        return std::nullopt;
    return cutAtNul(*parts.value);
}

IniDocument::Line IniDocument::writtenLine(std::string_view lineText, Kind kind)
{
    checkSize(m_added.size() + lineText.size());
    Line line;
    line.begin = static_cast<std::uint32_t>(m_added.size());
    line.length = static_cast<std::uint32_t>(lineText.size());
    line.terminator = Terminator::CrLf;
    line.kind = kind;
    line.added = true;
    m_added.append(lineText);
    return line;
}

std::uint32_t IniDocument::appendLine(std::string_view lineText, Kind kind)
{
    checkSize(m_lines.size() + 1);
    m_lines.push_back(writtenLine(lineText, kind));
    return static_cast<std::uint32_t>(m_lines.size() - 1);
}

// A line that something now follows needs a line end of its own; only the last line of the
// parsed text can lack one.
void IniDocument::terminate(std::uint32_t line)
{
    if (m_lines[line].terminator == Terminator::None)
        m_lines[line].terminator = Terminator::CrLf;
}

bool IniDocument::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    section = trimIni(section);
    key = trimIni(key);
    auto s = findSection(fold(cutAtNul(section)));
    if (s) {
        Section& sec = m_sections[*s];
        if (auto existing = findEntry(sec, fold(cutAtNul(key)))) {
            auto parts = splitEntry(text(m_lines[*existing]));
            if (parts.value && *parts.value == value)
                return false;
            std::string replaced;
            replaced.reserve(parts.name.size() + 1 + value.size());
            replaced.append(parts.name).append(1, '=').append(value);
            m_lines[*existing] = writtenLine(replaced, Kind::Entry);
            m_modified = true;
            return true;
        }
        std::string entry;
        entry.reserve(key.size() + 1 + value.size());
        entry.append(key).append(1, '=').append(value);
        std::uint32_t before = Section::kNone;
        if (!sec.added.empty())
            before = sec.added.back();
        else if (sec.lastNonBlank != Section::kNone)
            before = sec.lastNonBlank;
        else
            before = sec.header;
        std::uint32_t line = appendLine(entry, Kind::Entry);
        if (before != Section::kNone)
            terminate(before);
        sec.added.push_back(line);
        if (sec.keys)
            indexEntry(*sec.keys, line);
        m_modified = true;
        return true;
    }

    // A new section goes after everything, so the one line that may lack its line end is
    // now followed by something.
    if (!m_lines.empty()) {
        for (std::size_t i = m_lines.size(); i-- > 0;) {
            if (!m_lines[i].added) {
                terminate(static_cast<std::uint32_t>(i));
                break;
            }
        }
    }
    std::string header;
    header.reserve(section.size() + 2);
    header.append(1, '[').append(section).append(1, ']');
    std::uint32_t headerLine = appendLine(header, Kind::Header);
    std::string entry;
    entry.reserve(key.size() + 1 + value.size());
    entry.append(key).append(1, '=').append(value);
    std::uint32_t line = appendLine(entry, Kind::Entry);
    Section& sec = m_sections.emplace_back();
    sec.header = headerLine;
    sec.first = sec.end = headerLine + 1;
    sec.added.push_back(line);
    if (m_sectionIndex)
        m_sectionIndex->emplace(fold(cutAtNul(section)),
                                static_cast<std::uint32_t>(m_sections.size() - 1));
    m_modified = true;
    return true;
}

bool IniDocument::eraseSection(std::string_view section)
{
    auto s = findSection(fold(cutAtNul(trimIni(section))));
    if (!s)
        return false;
    Section& sec = m_sections[*s];
    if (sec.header == Section::kNone) {
        // The lines before the first header always form a section, if an empty one.
        if (sec.first == sec.end && sec.added.empty())
            return false;
        sec.first = sec.end;
        sec.lastNonBlank = Section::kNone;
        sec.added.clear();
    } else {
        sec.erased = true;
    }
    sec.keys.reset();
    sec.searched = false;
    m_sectionIndex.reset();
    m_modified = true;
    return true;
}

std::string IniDocument::serialize() const
{
    std::string out;
    out.reserve(m_source.size() + m_added.size() + 2 * m_lines.size() / 8);
    out.append(m_source, 0, m_bomLength);
    bool open = false; // the last line written has no line end yet
    auto emit = [&](std::uint32_t index) {
        const Line& line = m_lines[index];
        if (open)
            out.append(kCrLf);
        out.append(text(line));
        open = false;
        switch (line.terminator) {
        case Terminator::None: open = true; break;
        case Terminator::Lf: out.push_back('\n'); break;
        case Terminator::Cr: out.push_back('\r'); break;
        case Terminator::CrLf: out.append(kCrLf); break;
        }
    };
    for (const Section& sec : m_sections) {
        if (sec.erased)
            continue;
        if (sec.header != Section::kNone)
            emit(sec.header);
        // New entries go after the last non-blank parsed line, before trailing blank lines.
        std::uint32_t split = sec.lastNonBlank == Section::kNone ? sec.first : sec.lastNonBlank + 1;
        for (std::uint32_t i = sec.first; i < split; ++i)
            emit(i);
        for (std::uint32_t i : sec.added)
            emit(i);
        for (std::uint32_t i = split; i < sec.end; ++i)
            emit(i);
    }
    return out;
}

} // namespace profile
