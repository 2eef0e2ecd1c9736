#include "profile/FileIo.h"

#include <windows.h>

namespace profile {

namespace {

// Closes a file handle on every path out of a function; keeps the last error as it was.
class FileHandle {
public:
    explicit FileHandle(HANDLE handle) : m_handle(handle) {}
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    ~FileHandle()
    {
        if (valid()) {
            DWORD saved = GetLastError();
            CloseHandle(m_handle);
            SetLastError(saved);
        }
    }
    bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE get() const { return m_handle; }
    bool close()
    {
        HANDLE handle = m_handle;
        m_handle = INVALID_HANDLE_VALUE;
        return CloseHandle(handle) != 0;
    }

private:
    HANDLE m_handle;
};

std::string folderOf(const std::string& path)
{
    std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string::npos) {
        // "C:name" lives in the current folder of drive C.
        if (path.size() >= 2 && path[1] == ':')
            return path.substr(0, 2) + ".";
        return ".";
    }
    // Keep the separator of a root ("C:\", "\") so that it names the folder.
    if (slash == 0 || (slash == 2 && path[1] == ':'))
        return path.substr(0, slash + 1);
    return path.substr(0, slash);
}

bool writeAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        DWORD chunk = bytes.size() > 0x40000000u ? 0x40000000u : static_cast<DWORD>(bytes.size());
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0)
            return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Renames `from` over `to`. While any program holds `to` open (a virus scanner, an indexer,
// the hook library reading the keys), the system refuses, even to a handle that shares
// everything; such a hold lasts moments, so the rename is tried again for a little while.
bool renameOver(const char* from, const std::string& to)
{
    constexpr int kTries = 25;
    constexpr DWORD kPause = 20; // ms
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from, to.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return true;
        DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kTries)
            return false;
        Sleep(kPause);
    }
}

} // namespace

FileContents readFile(const std::string& path, std::size_t maxSize)
{
    FileContents result;
    FileHandle file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.valid()) {
        DWORD error = GetLastError();
        DWORD attributes = GetFileAttributesA(path.c_str());
        if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY))
            result.status = ReadStatus::NotAFile;
        else if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                 error == ERROR_INVALID_NAME || error == ERROR_FILENAME_EXCED_RANGE)
            result.status = ReadStatus::Missing;
        else
            result.status = ReadStatus::Unreadable;
        return result;
    }
    if (GetFileType(file.get()) != FILE_TYPE_DISK) {
        result.status = ReadStatus::NotAFile;
        return result;
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    if (static_cast<unsigned long long>(size.QuadPart) > maxSize) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            // The file may have grown since its size was taken; read on within the limit.
            if (bytes.size() >= maxSize + 1)
                break;
            bytes.resize(bytes.size() + 4096 < maxSize + 1 ? bytes.size() + 4096 : maxSize + 1);
        }
        DWORD n = 0;
        if (!ReadFile(file.get(), bytes.data() + got, static_cast<DWORD>(bytes.size() - got), &n,
                      nullptr)) {
            result.status = ReadStatus::Unreadable;
            return result;
        }
        if (n == 0)
            break;
        got += n;
    }
    if (got > maxSize) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    bytes.resize(got);
    result.status = ReadStatus::Ok;
    result.bytes = std::move(bytes);
    return result;
}

bool replaceFile(const std::string& path, std::string_view bytes)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)))
        return false;

    // A short name of the system's choosing, created empty, in the profile's own folder so
    // that the final rename stays on one volume.
    char temp[MAX_PATH + 1] = {};
    if (GetTempFileNameA(folderOf(path).c_str(), "kes", 0, temp) == 0)
        return false;
    auto discard = [&] {
        DeleteFileA(temp);
        return false;
    };
    {
        FileHandle file(CreateFileA(temp, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid())
            return discard();
        if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get()) || !file.close())
            return discard();
    }
    if (!renameOver(temp, path))
        return discard();
    // The old file's attributes (hidden, archive, ...) carry over to the new one.
    if (exists && attributes != FILE_ATTRIBUTE_NORMAL)
        SetFileAttributesA(path.c_str(), attributes);
    return true;
}

bool isExistingFile(const std::string& path)
{
    if (path.empty())
        return false;
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool folderOfPathExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(folderOf(path).c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace profile
