#pragma once
// The parsed text of one profile file, under the rules of the Windows profile-file functions.
//
// Parsing never fails and loses nothing: serialize() of an unedited document gives back the
// bytes it was parsed from, and an edit changes only the lines it writes. Every line the
// document writes ends in CR LF; the lines it does not touch keep their bytes and line ends.
//
// Reading rules:
// - A line ends at CR LF, LF or CR. A UTF-8 byte-order mark at the start of the file is
//   skipped (and kept). Blanks are space, tab, CR, LF, VT, FF and Ctrl-Z (0x1A).
// - A line whose first non-blank byte is "[" and that holds a "]" after it opens a section;
//   its name is the text between the "[" and the last "]", without blanks at its ends.
//   Lines before the first section header form a section with the empty name.
// - Any other non-blank line is an entry: its name is the text before the first "=", its
//   value the text after it, both without blanks at their ends. A line without "=" is an
//   entry with a name and no value (it reads as absent but is replaced by a write).
//   A name or value is cut at its first NUL byte.
// - Names are matched without regard to the letter case of A to Z. Of two sections with one
//   name only the first is searched; of two entries with one name the first is found.
//
// Writing rules:
// - Writing an entry that exists replaces its line in place ("name=value", the name as it
//   stands in the file). A new entry goes after the last non-blank line of the first
//   section of that name; a new section goes at the end of the file.
// - Erasing a section removes the first section of that name, header and lines; a later
//   section of the same name then is the first. The lines before the first header are
//   emptied rather than removed.
// - Writing the value an entry already has changes nothing.
//
// Bytes 0x80 to 0xFF are ordinary characters; the document never decodes them.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace profile {

// True for the bytes that the profile functions ignore around names and values.
bool isIniBlank(char c);

// `text` without blanks at either end.
std::string_view trimIni(std::string_view text);

class IniDocument {
public:
    // An empty document, as for a file that does not exist.
    IniDocument();
    // Parses `bytes`. Throws std::length_error for input of 4 GiB or more.
    explicit IniDocument(std::string bytes);

    IniDocument(IniDocument&&) noexcept;
    IniDocument& operator=(IniDocument&&) noexcept;
    ~IniDocument();

    // The value of the first entry `key` in the first section `section` (both names without
    // blanks at their ends, matched without regard to case): the text after its first "=",
    // trimmed and cut at a NUL, with quotation marks left in place. Empty when the section
    // or the entry is absent or the entry has no "=". The view lives until the next edit.
    std::optional<std::string_view> value(std::string_view section, std::string_view key) const;

    // Writes one entry. Returns false when the entry already holds exactly `value` (nothing
    // changes). The caller has checked that the names and the value hold no line break.
    bool setValue(std::string_view section, std::string_view key, std::string_view value);

    // Removes the first section named `section`. Returns false when there was none.
    bool eraseSection(std::string_view section);

    // The whole text, as a file holds it.
    std::string serialize() const;

    // True once an edit has changed the document.
    bool modified() const { return m_modified; }

private:
    enum class Terminator : std::uint8_t { None, Lf, Cr, CrLf };
    enum class Kind : std::uint8_t { Blank, Header, Entry };

    struct Line {
        std::uint32_t begin = 0;  // offset of the text in its buffer
        std::uint32_t length = 0; // text length, without the line end
        Terminator terminator = Terminator::None;
        Kind kind = Kind::Blank;
        bool added = false; // text lives in m_added rather than m_source
    };

    // Section names by the store's keyed hash, which crafted names cannot make collide.
    struct FoldedNameHasher {
        std::size_t operator()(const std::string& folded) const;
    };
    using NameIndex = std::unordered_map<std::string, std::uint32_t, FoldedNameHasher>;

    // Entry lines of one section by folded name: open addressing over (hash, line + 1)
    // pairs, so that a load of thousands of channels stays within a few cache lines.
    struct KeyIndex {
        std::vector<std::uint64_t> slots; // 0 empty; else hash << 32 | (line + 1)
        std::size_t count = 0;
    };

    struct Section {
        static constexpr std::uint32_t kNone = UINT32_MAX;
        std::uint32_t header = kNone; // line index of the "[name]" line; kNone for the lead
        std::uint32_t first = 0;      // parsed lines of the section: [first, end)
        std::uint32_t end = 0;
        std::uint32_t lastNonBlank = kNone; // where new entries go after; kNone: after header
        std::vector<std::uint32_t> added;   // lines of new entries, in order
        bool erased = false;
        // Folded entry name -> first line; built at the second lookup, so that a single read
        // of a large section costs one scan and no index.
        mutable std::unique_ptr<KeyIndex> keys;
        mutable bool searched = false;
    };

    std::string_view text(const Line& line) const;
    std::string_view sectionName(const Section& section) const;
    Line writtenLine(std::string_view text, Kind kind);
    std::uint32_t appendLine(std::string_view text, Kind kind);
    std::optional<std::uint32_t> findSection(std::string_view foldedName) const;
    std::optional<std::uint32_t> findEntry(const Section& section,
                                           std::string_view foldedName) const;
    void terminate(std::uint32_t line);
    std::string_view entryName(std::uint32_t line) const;
    void indexEntry(KeyIndex& index, std::uint32_t line) const;

    std::string m_source;
    std::string m_added; // text of the lines that edits wrote
    std::uint32_t m_bomLength = 0;
    std::vector<Line> m_lines;
    std::vector<Section> m_sections; // in file order; [0] is the lead without header
    mutable std::unique_ptr<NameIndex> m_sectionIndex; // folded name -> first live section
    bool m_modified = false;
};

} // namespace profile
