#pragma once
// The few file operations the localization needs, on 8-bit paths in the Windows form
// ("C:\dir\name.lng"; the native build reads "\" as "/").

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace i18n {

// A file that could not be read or written; what() is the text to show, naming the file.
class FileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace files {

// The names (without folder) of the entries of `dir` whose names end in ".lng" in any letter
// case, of any kind, in the order in which the system lists them. `dir` is empty (the
// working directory) or ends in "\". A missing or unreadable folder yields no names.
std::vector<std::string> listLanguageFiles(const std::string& dir);

// Whether `path` names an existing file (not a folder).
bool isFile(const std::string& path);

enum class WriteAccess { Writable, ReadOnly, Unknown };

// Whether the file's read-only attribute is set; Unknown when its attributes cannot be read.
WriteAccess writeAccess(const std::string& path);

// The whole content of a file. Throws FileError when it cannot be opened or read (a folder,
// a file locked by another program) or is larger than `maxSize` bytes.
std::string readFile(const std::string& path, std::size_t maxSize);

// Replaces the content of `path` (creating it if needed) as the profile store replaces a
// profile (base::replaceFile): no reader ever sees a half-written file, and the file keeps
// its permissions. Throws FileError and leaves the file as it was when that fails.
void replaceFile(const std::string& path, std::string_view content);

} // namespace files
} // namespace i18n
