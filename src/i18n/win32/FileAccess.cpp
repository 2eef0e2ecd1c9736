#include "i18n/FileAccess.h"

#include "i18n/AnsiText.h"

#include "base/FileIo.h"
#include "base/win32/Handles.h"
#include "base/win32/Win32Error.h"

#include <windows.h>

namespace i18n::files {

namespace {

using base::win32::systemMessage;
using base::win32::UniqueFile;

bool hasLanguageExtension(const std::string& name)
{
    return name.size() >= 4 && sameText(std::string_view(name).substr(name.size() - 4), ".lng");
}

} // namespace

std::vector<std::string> listLanguageFiles(const std::string& dir)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA data;
    base::win32::UniqueFind find(FindFirstFileA((dir + "*.lng").c_str(), &data));
    if (!find)
        return names;
    do {
        // The pattern also matches through short names ("x.lngx" as "X~1.LNG"); keep only
        // names that really end in ".lng".
        std::string name = data.cFileName;
        if (hasLanguageExtension(name))
            names.push_back(std::move(name));
    } while (FindNextFileA(find.get(), &data));
    return names;
}

bool isFile(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

WriteAccess writeAccess(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return WriteAccess::Unknown;
    return (attributes & FILE_ATTRIBUTE_READONLY) ? WriteAccess::ReadOnly : WriteAccess::Writable;
}

std::string readFile(const std::string& path, std::size_t maxSize)
{
    auto fail = [&](const std::string& reason) -> FileError {
        return FileError("Cannot open file \"" + path + "\". " + reason);
    };
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw fail(systemMessage(GetLastError()));
    LARGE_INTEGER size;
    if (!GetFileSizeEx(file.get(), &size))
        throw fail(systemMessage(GetLastError()));
    if (static_cast<unsigned long long>(size.QuadPart) > maxSize)
        throw fail("The file is too large.");
    std::string content(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < content.size()) {
        DWORD n = 0;
        if (!ReadFile(file.get(), content.data() + done, static_cast<DWORD>(content.size() - done),
                      &n, nullptr))
            throw fail(systemMessage(GetLastError()));
        if (n == 0)
            break;
        done += n;
    }
    content.resize(done);
    return content;
}

void replaceFile(const std::string& path, std::string_view content)
{
    // The program's one replacement of a file: unique temporary names, retries while a reader
    // holds the file, the file's permissions kept, a link written through.
    base::SystemError why;
    if (!base::replaceFile(path, content, &why))
        throw FileError("Cannot create file \"" + path + "\". " + why.message);
}

} // namespace i18n::files
