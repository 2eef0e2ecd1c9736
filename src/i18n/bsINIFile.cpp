#include "i18n/bsINIFile.h"

#include "i18n/AnsiText.h"
#include "i18n/FileAccess.h"
#include "i18n/ValueDecoding.h"

#include "ui/Application.h"
#include "ui/Backend.h"

#include <stdexcept>

namespace i18n {

namespace {

// A plain message box with the application's title, as the framework shows a notice. The
// reader is released from destructors: a failure to show the box is dropped.
void showNotice(const std::string& text) noexcept
{
    try {
        ui::Application* app = ui::Application::current();
        ui::showMessageBox({text, app ? app->title() : std::string(), ui::MessageIcon::None,
                            ui::MessageButtons::Ok});
    } catch (...) {
    }
}

bool isUnwritable(std::string_view text)
{
    return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

} // namespace

TbsINIFile::TbsINIFile(std::string fileName) : m_fileName(std::move(fileName))
{
    if (files::isFile(m_fileName))
        parse(files::readFile(m_fileName, kMaxFileSize));
}

TbsINIFile::TbsINIFile(FromText, std::string_view text) : m_hasFile(false)
{
    parse(text);
}

std::unique_ptr<TbsINIFile> TbsINIFile::fromText(std::string_view text)
{
    return std::unique_ptr<TbsINIFile>(new TbsINIFile(FromText{}, text));
}

// On release, a modified reader writes its content back: over the file unless the file is
// read-only (then a notice says so and the changes are lost), or into a new file when the
// file no longer exists. An unmodified reader writes nothing, even when its file was deleted
// meanwhile: the program only reads language files, and re-creating one that the user
// removed would undo the user's deletion.
TbsINIFile::~TbsINIFile()
{
    if (!m_hasFile || !m_modified)
        return;
    try {
        if (files::isFile(m_fileName)) {
            if (files::writeAccess(m_fileName) != files::WriteAccess::Writable) {
                showNotice("File \"" + m_fileName + "\" is read-only");
                return;
            }
            UpdateFile();
        } else if (!m_sections.empty()) {
            UpdateFile();
        }
    } catch (const std::exception& e) {
        showNotice(e.what());
    }
}

void TbsINIFile::parse(std::string_view text)
{
    auto nul = text.find('\0');
    if (nul != std::string_view::npos)
        text = text.substr(0, nul);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = text.find_first_of("\r\n", pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? end : end - pos);
        if (end == std::string_view::npos)
            pos = text.size();
        else
            pos = end +
                  ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
        line = trimBlanks(line);
        if (line.empty() || line.front() == ';')
            continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            m_sections.push_back({std::string(trimBlanks(line.substr(1, line.size() - 2))), {}});
            continue;
        }
        if (m_sections.empty())
            continue;
        auto equals = line.find('=');
        Entry entry;
        if (equals == std::string_view::npos) {
            entry.value = line;
            entry.hasSeparator = false;
        } else {
            entry.name = trimBlanks(line.substr(0, equals));
            entry.value = trimBlanks(line.substr(equals + 1));
        }
        m_sections.back().entries.push_back(std::move(entry));
    }
    reindexSections();
}

void TbsINIFile::reindexSections()
{
    m_sectionIndex.clear();
    m_entryIndex.assign(m_sections.size(), {});
    for (std::size_t i = 0; i < m_sections.size(); ++i) {
        m_sectionIndex[ansiUpper(m_sections[i].name)] = i;
        reindexEntries(i);
    }
}

void TbsINIFile::reindexEntries(std::size_t sectionIndex)
{
    auto& index = m_entryIndex[sectionIndex];
    index.clear();
    const auto& entries = m_sections[sectionIndex].entries;
    for (std::size_t j = 0; j < entries.size(); ++j) {
        if (entries[j].hasSeparator && !entries[j].name.empty())
            index[ansiUpper(entries[j].name)] = j;
    }
}

const TbsINIFile::Section* TbsINIFile::findSection(std::string_view name) const
{
    auto it = m_sectionIndex.find(ansiUpper(name));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

const TbsINIFile::Entry* TbsINIFile::findEntry(std::string_view section,
                                               std::string_view name) const
{
    if (name.empty())
        return nullptr;
    auto it = m_sectionIndex.find(ansiUpper(section));
    if (it == m_sectionIndex.end())
        return nullptr;
    const auto& index = m_entryIndex[it->second];
    auto entry = index.find(ansiUpper(name));
    return entry == index.end() ? nullptr : &m_sections[it->second].entries[entry->second];
}

std::vector<std::string> TbsINIFile::ReadSection(std::string_view section) const
{
    std::vector<std::string> names;
    if (const Section* found = findSection(section)) {
        names.reserve(found->entries.size());
        for (const auto& entry : found->entries)
            names.push_back(entry.name);
    }
    return names;
}

std::string TbsINIFile::ReadString(std::string_view section, std::string_view name,
                                   std::string_view defaultValue) const
{
    const Entry* entry = findEntry(section, name);
    return std::string(entry ? std::string_view(entry->value) : defaultValue);
}

std::int32_t TbsINIFile::ReadInteger(std::string_view section, std::string_view name,
                                     std::int32_t defaultValue) const
{
    const Entry* entry = findEntry(section, name);
    if (!entry)
        return defaultValue;
    return decodeInteger(entry->value).value_or(defaultValue);
}

double TbsINIFile::ReadFloat(std::string_view section, std::string_view name,
                             double defaultValue) const
{
    const Entry* entry = findEntry(section, name);
    if (!entry)
        return defaultValue;
    return decodeFloat(entry->value, decimalSeparator()).value_or(defaultValue);
}

void TbsINIFile::WriteString(std::string_view section, std::string_view name,
                             std::string_view value)
{
    if (isUnwritable(section) || isUnwritable(name) || isUnwritable(value) ||
        name.find('=') != std::string_view::npos)
        throw std::invalid_argument("A language file entry cannot hold a line break, a NUL "
                                    "character, or \"=\" in its name.");
    auto sectionIt = m_sectionIndex.find(ansiUpper(section));
    std::size_t sectionIndex;
    if (sectionIt == m_sectionIndex.end()) {
        sectionIndex = m_sections.size();
        m_sections.push_back({std::string(section), {}});
        m_entryIndex.emplace_back();
        m_sectionIndex[ansiUpper(section)] = sectionIndex;
    } else {
        sectionIndex = sectionIt->second;
    }
    auto& entries = m_sections[sectionIndex].entries;
    auto key = ansiUpper(name);
    auto& index = m_entryIndex[sectionIndex];
    auto entryIt = name.empty() ? index.end() : index.find(key);
    if (entryIt == index.end()) {
        entries.push_back({std::string(name), std::string(value), true});
        if (!name.empty())
            index[key] = entries.size() - 1;
    } else {
        entries[entryIt->second].name = name;
        entries[entryIt->second].value = value;
    }
    m_modified = true;
}

void TbsINIFile::DeleteKey(std::string_view section, std::string_view name)
{
    m_modified = true;
    if (name.empty())
        return;
    auto sectionIt = m_sectionIndex.find(ansiUpper(section));
    if (sectionIt == m_sectionIndex.end())
        return;
    std::size_t sectionIndex = sectionIt->second;
    auto& index = m_entryIndex[sectionIndex];
    auto entryIt = index.find(ansiUpper(name));
    if (entryIt == index.end())
        return;
    auto& entries = m_sections[sectionIndex].entries;
    entries.erase(entries.begin() + static_cast<std::ptrdiff_t>(entryIt->second));
    reindexEntries(sectionIndex);
}

void TbsINIFile::EraseSection(std::string_view section)
{
    m_modified = true;
    auto sectionIt = m_sectionIndex.find(ansiUpper(section));
    if (sectionIt == m_sectionIndex.end())
        return;
    m_sections.erase(m_sections.begin() + static_cast<std::ptrdiff_t>(sectionIt->second));
    reindexSections();
}

std::string TbsINIFile::render() const
{
    std::string text;
    for (const auto& section : m_sections) {
        text += '[';
        text += section.name;
        text += "]\r\n";
        for (const auto& entry : section.entries) {
            if (entry.hasSeparator) {
                text += entry.name;
                text += '=';
            }
            text += entry.value;
            text += "\r\n";
        }
        text += "\r\n";
    }
    return text;
}

void TbsINIFile::UpdateFile()
{
    if (!m_hasFile)
        return;
    files::replaceFile(m_fileName, render());
    m_modified = false;
}

} // namespace i18n
