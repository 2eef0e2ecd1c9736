#include "profile/IniFile.h"

#include "profile/FileIo.h"
#include "profile/IniValue.h"

namespace profile {

namespace {

bool isUtf16(std::string_view bytes)
{
    return bytes.starts_with("\xFF\xFE") || bytes.starts_with("\xFE\xFF");
}

void checkStorable(std::string_view what, std::string_view text)
{
    if (text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos)
        throw InvalidProfileEntry("A profile " + std::string(what) +
                                  " cannot hold a line break or a NUL character");
}

void checkEntry(std::string_view section, std::string_view key, std::string_view value)
{
    checkStorable("section name", section);
    checkStorable("key", key);
    checkStorable("value", value);
    std::string_view trimmedKey = trimIni(key);
    if (trimmedKey.find('=') != std::string_view::npos)
        throw InvalidProfileEntry("A profile key cannot hold \"=\"");
    if (trimmedKey.starts_with('['))
        throw InvalidProfileEntry("A profile key cannot start with \"[\"");
    // At the start of a file these bytes would be taken for a byte-order mark.
    if (trimmedKey.starts_with("\xEF\xBB\xBF"))
        throw InvalidProfileEntry("A profile key cannot start with a byte-order mark");
}

} // namespace

ProfileWriteError::ProfileWriteError(const std::string& path,
                                     std::optional<base::SystemError> cause)
    : std::runtime_error("Unable to write to " + path), m_path(path), m_cause(std::move(cause))
{
}

IniFile::IniFile(std::string path) : m_path(std::move(path))
{
    FileContents contents = readFile(m_path, kMaxProfileSize);
    switch (contents.status) {
    case ReadStatus::Ok:
        // A UTF-16 file would be garbled by 8-bit edits; it is read as empty and never
        // written.
        if (isUtf16(contents.bytes)) {
            m_source = Source::Unusable;
        } else {
            m_source = Source::Readable;
            m_document = IniDocument(std::move(contents.bytes));
        }
        break;
    case ReadStatus::Missing: m_source = Source::Missing; break;
    case ReadStatus::NotAFile:
    case ReadStatus::Unreadable:
    case ReadStatus::TooLarge: m_source = Source::Unusable; break;
    }
}

bool IniFile::readable() const
{
    return m_source == Source::Readable;
}

std::string IniFile::readText(std::string_view section, std::string_view key,
                              std::string_view fallback) const
{
    auto stored = m_document.value(section, key);
    if (!stored)
        return std::string(fallback);
    return readableText(*stored);
}

std::int32_t IniFile::readInteger(std::string_view section, std::string_view key,
                                  std::int32_t fallback) const
{
    auto stored = m_document.value(section, key);
    if (!stored)
        return fallback;
    return parseIniInteger(readableText(*stored)).value_or(fallback);
}

bool IniFile::readFlag(std::string_view section, std::string_view key, bool fallback) const
{
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeText(std::string_view section, std::string_view key, std::string_view value)
{
    checkEntry(section, key, value);
    m_document.setValue(section, key, value);
}

void IniFile::writeInteger(std::string_view section, std::string_view key, std::int32_t value)
{
    writeText(section, key, formatIniInteger(value));
}

void IniFile::writeFlag(std::string_view section, std::string_view key, bool value)
{
    writeText(section, key, value ? "1" : "0");
}

void IniFile::eraseSection(std::string_view section)
{
    checkStorable("section name", section);
    m_document.eraseSection(section);
}

void IniFile::commit()
{
    // A file that could not be read would lose its content to a rewrite.
    if (m_source == Source::Unusable)
        throw ProfileWriteError(m_path);
    if (!m_document.modified()) {
        if (m_source == Source::Missing && !folderOfPathExists(m_path))
            throw ProfileWriteError(m_path);
        return;
    }
    std::string bytes = m_document.serialize();
    if (bytes.size() > kMaxProfileSize)
        throw ProfileWriteError(m_path);
    base::SystemError why;
    if (!replaceFile(m_path, bytes, &why))
        throw ProfileWriteError(m_path, why);
    // What is on disk now is what the document holds.
    m_source = Source::Readable;
    m_document = IniDocument(std::move(bytes));
}

std::string readText(const std::string& path, std::string_view section, std::string_view key,
                     std::string_view fallback)
{
    return IniFile(path).readText(section, key, fallback);
}

std::int32_t readInteger(const std::string& path, std::string_view section, std::string_view key,
                         std::int32_t fallback)
{
    return IniFile(path).readInteger(section, key, fallback);
}

bool readFlag(const std::string& path, std::string_view section, std::string_view key,
              bool fallback)
{
    return IniFile(path).readFlag(section, key, fallback);
}

void writeText(const std::string& path, std::string_view section, std::string_view key,
               std::string_view value)
{
    IniFile file(path);
    file.writeText(section, key, value);
    file.commit();
}

void writeInteger(const std::string& path, std::string_view section, std::string_view key,
                  std::int32_t value)
{
    IniFile file(path);
    file.writeInteger(section, key, value);
    file.commit();
}

void writeFlag(const std::string& path, std::string_view section, std::string_view key, bool value)
{
    IniFile file(path);
    file.writeFlag(section, key, value);
    file.commit();
}

void eraseSection(const std::string& path, std::string_view section)
{
    IniFile file(path);
    file.eraseSection(section);
    file.commit();
}

} // namespace profile
