#pragma once
// The version resource of an executable file.

#include <cstdint>
#include <optional>
#include <string>

namespace platform {

// What the program shows of a version resource.
struct VersionStrings {
    // Bytes the system needs to hold the file's version resource; 0 when the file has none or
    // cannot be read (missing, a folder, not an executable, cut short).
    std::uint32_t resourceSize = 0;
    // "StringFileInfo\040904E4\FileVersion", "...\LegalCopyright" and "...\ProductName", up
    // to their terminating zero, in the ANSI code page; empty when the resource lacks them.
    std::optional<std::string> fileVersion;
    std::optional<std::string> legalCopyright;
    std::optional<std::string> productName;
};

class VersionReader {
public:
    virtual ~VersionReader() = default;
    // Reads the version resource of the file at that path. Never fails: what cannot be read is
    // reported as absent. The file is only read, so a read-only or shared file serves.
    virtual VersionStrings read(const std::string& path) = 0;
};

} // namespace platform
