#include "i18n/FileAccess.h"

#include "i18n/AnsiText.h"

#include "base/FileIo.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

namespace i18n::files {

namespace {

// The path with "/" for "\". Like the Windows file systems, the native build finds a file
// whose name differs in letter case only ("english.lng" finds "English.lng").
fs::path nativePath(std::string path)
{
    for (char& ch : path) {
        if (ch == '\\')
            ch = '/';
    }
    fs::path result(path);
    std::error_code ec;
    if (result.filename().empty() || fs::exists(fs::symlink_status(result, ec)))
        return result;
    fs::path parent = result.parent_path().empty() ? fs::path(".") : result.parent_path();
    std::string wanted = result.filename().string();
    for (fs::directory_iterator it(parent, ec); !ec && it != fs::directory_iterator();
         it.increment(ec)) {
        if (sameText(it->path().filename().string(), wanted))
            return result.parent_path() / it->path().filename();
    }
    return result;
}

bool hasLanguageExtension(const std::string& name)
{
    return name.size() >= 4 && sameText(std::string_view(name).substr(name.size() - 4), ".lng");
}

std::string quoted(const std::string& path)
{
    return "\"" + path + "\"";
}

} // namespace

std::vector<std::string> listLanguageFiles(const std::string& dir)
{
    std::vector<std::string> names;
    std::error_code ec;
    fs::directory_iterator it(dir.empty() ? fs::path(".") : nativePath(dir), ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::string name = it->path().filename().string();
        if (hasLanguageExtension(name))
            names.push_back(std::move(name));
    }
    return names;
}

bool isFile(const std::string& path)
{
    std::error_code ec;
    auto status = fs::status(nativePath(path), ec);
    return !ec && fs::exists(status) && !fs::is_directory(status);
}

WriteAccess writeAccess(const std::string& path)
{
    std::error_code ec;
    auto status = fs::status(nativePath(path), ec);
    if (ec || !fs::exists(status))
        return WriteAccess::Unknown;
    // The owner's write permission stands for the read-only attribute.
    return (status.permissions() & fs::perms::owner_write) == fs::perms::none
               ? WriteAccess::ReadOnly
               : WriteAccess::Writable;
}

std::string readFile(const std::string& path, std::size_t maxSize)
{
    auto fail = [&](const std::string& reason) -> FileError {
        return FileError("Cannot open file " + quoted(path) + ". " + reason);
    };
    std::FILE* file = std::fopen(nativePath(path).c_str(), "rb");
    if (!file)
        throw fail(std::strerror(errno));
    std::string content;
    char buffer[65536];
    for (;;) {
        std::size_t n = std::fread(buffer, 1, sizeof buffer, file);
        if (content.size() + n > maxSize) {
            std::fclose(file);
            throw fail("The file is too large.");
        }
        content.append(buffer, n);
        if (n < sizeof buffer)
            break;
    }
    int error = std::ferror(file) ? errno : 0;
    std::fclose(file);
    if (error != 0)
        throw fail(std::strerror(error));
    return content;
}

void replaceFile(const std::string& path, std::string_view content)
{
    // The program's one replacement of a file: unique temporary names, the file's permissions
    // kept, a link written through.
    base::SystemError why;
    if (!base::replaceFile(nativePath(path).string(), content, &why))
        throw FileError("Cannot create file " + quoted(path) + ". " + why.message);
}

} // namespace i18n::files
