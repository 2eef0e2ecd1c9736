#pragma once
// The profile store: reads and writes single entries of an INI file named by its path,
// under the rules of IniDocument.h and IniValue.h.
//
// An IniFile reads its file once when it is made and keeps the parsed text; reads answer from
// it, writes edit it, and commit() replaces the file once with the edited text. The free
// functions below are the single accesses: each reads the file, and each write replaces it
// before returning, so the next reader sees it.
//
// What each kind of trouble yields:
// - A missing file, a folder, a file that cannot be read, one larger than kMaxProfileSize or
//   one in UTF-16 reads as empty: every read returns its default. Nothing is reported.
// - A write to such a file (other than a missing one), to a read-only file or into a folder
//   that does not exist, and any failure while replacing the file, throws ProfileWriteError
//   ("Unable to write to " + path). The file is then exactly as it was: the new text goes to
//   a temporary file beside it that is renamed over it only once complete and flushed.
// - A section name, key or value holding a CR, LF or NUL, a key holding "=" or starting with
//   "[" or with the bytes of a UTF-8 byte-order mark, cannot be stored without changing other
//   entries; writing one throws InvalidProfileEntry before anything is changed.

#include "base/SystemError.h"

#include "profile/IniDocument.h"

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace profile {

class ProfileWriteError : public std::runtime_error {
public:
    // The text is always "Unable to write to " + path; the cause, when a call of the system
    // failed, goes with it.
    explicit ProfileWriteError(const std::string& path,
                               std::optional<base::SystemError> cause = std::nullopt);
    const std::string& path() const { return m_path; }
    const std::optional<base::SystemError>& cause() const { return m_cause; }

private:
    std::string m_path;
    std::optional<base::SystemError> m_cause;
};

class InvalidProfileEntry : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class IniFile {
public:
    // Reads and parses the file at `path` (see above for files that cannot be read).
    explicit IniFile(std::string path);

    const std::string& path() const { return m_path; }
    // True when the file was read: it exists, and is a regular file of a size and encoding
    // the store takes. Otherwise every read returns its default.
    bool readable() const;

    // The text of an entry (at most kMaxValueLength characters, one pair of enclosing quotes
    // removed), or `fallback` when the entry is absent.
    std::string readText(std::string_view section, std::string_view key,
                         std::string_view fallback) const;
    // The entry read as an integer (parseIniInteger), or `fallback` when it is absent or not
    // an integer.
    std::int32_t readInteger(std::string_view section, std::string_view key,
                             std::int32_t fallback) const;
    // The entry read as an integer, non-zero being true, or `fallback`.
    bool readFlag(std::string_view section, std::string_view key, bool fallback) const;

    // Edits of the parsed text; the file changes at commit(). Each throws
    // InvalidProfileEntry for names or values that cannot be stored.
    void writeText(std::string_view section, std::string_view key, std::string_view value);
    void writeInteger(std::string_view section, std::string_view key, std::int32_t value);
    void writeFlag(std::string_view section, std::string_view key, bool value);
    void eraseSection(std::string_view section);

    // Replaces the file with the edited text in one step. When nothing changed, the file is
    // left alone (and not created). Throws ProfileWriteError as described above.
    void commit();

    const IniDocument& document() const { return m_document; }

private:
    enum class Source { Missing, Readable, Unusable };

    std::string m_path;
    Source m_source = Source::Missing;
    IniDocument m_document;
};

// Single accesses, each opening the file by path and closing it again.
std::string readText(const std::string& path, std::string_view section, std::string_view key,
                     std::string_view fallback);
std::int32_t readInteger(const std::string& path, std::string_view section, std::string_view key,
                         std::int32_t fallback);
bool readFlag(const std::string& path, std::string_view section, std::string_view key,
              bool fallback);
void writeText(const std::string& path, std::string_view section, std::string_view key,
               std::string_view value);
void writeInteger(const std::string& path, std::string_view section, std::string_view key,
                  std::int32_t value);
void writeFlag(const std::string& path, std::string_view section, std::string_view key, bool value);
void eraseSection(const std::string& path, std::string_view section);

} // namespace profile
