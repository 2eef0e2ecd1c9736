#pragma once
// TbsINIFile: a language file held in memory. The whole file is read once, when the reader is
// created; every lookup afterwards is a hashed search by section name and then by entry name,
// both without regard to letter case.
//
// Reading rules: the text ends at the first NUL byte; lines end in CR LF, CR or LF; each line
// is trimmed; empty lines and lines starting with ";" are skipped; "[name]" starts a section;
// lines before the first section are skipped; "name=value" is an entry (both trimmed), and a
// line without "=" stays in its section with an empty name that no lookup matches. When a
// section or an entry name occurs twice, lookups find the later one, while listing yields both.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace i18n {

class TbsINIFile {
public:
    // The largest language file read; a larger one is refused with FileError.
    static constexpr std::size_t kMaxFileSize = std::size_t{16} * 1024 * 1024;

    struct Entry {
        std::string name;
        std::string value;
        // False for a line without "="; `value` then holds the whole line and `name` is empty.
        bool hasSeparator = true;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };

    // Reads `fileName` if it exists, otherwise starts empty. Throws FileError (see
    // FileAccess.h) when the file exists but cannot be read, or is larger than kMaxFileSize.
    explicit TbsINIFile(std::string fileName);

    // A reader over `text` as if read from a file, with no file behind it (nothing is ever
    // written back).
    static std::unique_ptr<TbsINIFile> fromText(std::string_view text);

    TbsINIFile(const TbsINIFile&) = delete;
    TbsINIFile& operator=(const TbsINIFile&) = delete;

    // Writes a modified reader back to its file (see the .cpp for the exact rules). Never
    // throws: a read-only file or a failed write is reported in a plain message box.
    ~TbsINIFile();

    const std::string& FileName() const { return m_fileName; }
    bool Modified() const { return m_modified; }

    // Every section, in file order, with its entries in file order.
    const std::vector<Section>& sections() const { return m_sections; }

    // The section that lookups find by that name (the later of two alike), or null.
    const Section* findSection(std::string_view name) const;

    // The entry names of the section, in file order (empty names included); empty when the
    // section is missing.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // The entry's value, or `defaultValue` when the section or the entry is missing.
    std::string ReadString(std::string_view section, std::string_view name,
                           std::string_view defaultValue) const;
    // The entry's value as an integer or a number (see ValueDecoding.h); `defaultValue` when
    // the entry is missing or its value does not convert.
    std::int32_t ReadInteger(std::string_view section, std::string_view name,
                             std::int32_t defaultValue) const;
    double ReadFloat(std::string_view section, std::string_view name, double defaultValue) const;

    // Adds the section (at the end) and the entry (at the end of its section) if missing,
    // otherwise replaces the value of the entry that lookups find. Throws
    // std::invalid_argument for a line break or NUL in any argument, or "=" in the name,
    // which could not be read back as written.
    void WriteString(std::string_view section, std::string_view name, std::string_view value);
    // Removes the entry, or the section, that lookups find. An earlier one of the same name
    // becomes the one found.
    void DeleteKey(std::string_view section, std::string_view name);
    void EraseSection(std::string_view section);
    // Writes every section ("[name]", its entries as stored, one empty line) with CR LF line
    // ends, replacing the file in one step, and clears the modified flag. Throws FileError
    // when the file cannot be written; the file and the flag are then as they were.
    void UpdateFile();

private:
    struct FromText {};
    TbsINIFile(FromText, std::string_view text);

    void parse(std::string_view text);
    void reindexSections();
    void reindexEntries(std::size_t sectionIndex);
    const Entry* findEntry(std::string_view section, std::string_view name) const;
    std::string render() const;

    std::string m_fileName;
    bool m_hasFile = true;
    bool m_modified = false;
    std::vector<Section> m_sections;
    // Upper-cased section name -> index of the last section of that name.
    std::unordered_map<std::string, std::size_t> m_sectionIndex;
    // Per section: upper-cased entry name -> index of the last entry of that name.
    std::vector<std::unordered_map<std::string, std::size_t>> m_entryIndex;
};

} // namespace i18n
