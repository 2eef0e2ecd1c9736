#include "base/FileIo.h"

#include "base/TemporaryName.h"

#include "base/Paths.h"
#include "base/win32/Handles.h"

#include <windows.h>

#include <atomic>
#include <optional>
#include <string>

namespace base {

namespace {

using base::win32::UniqueFile;

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

// The file a path names, with every symbolic link and junction on the way followed, so that
// a profile that is a link is written through it: the link stays, the file it points to gets
// the new text and its own read-only attribute counts. A path that names nothing (a new
// profile), or whose file system cannot tell the final path, is taken as it is. Nothing when
// the final path is one the 8-bit file functions cannot reach (MAX_PATH or longer): writing to
// the path itself would then replace the link instead of writing through it.
std::optional<std::string> finalPathOf(const std::string& path)
{
    UniqueFile file(CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    if (!file)
        return path;
    // Asked in UTF-16, which has room for a path of any length; the first call tells the
    // size a longer one needs.
    std::wstring wide(MAX_PATH + 8, L'\0');
    DWORD n = 0;
    for (int attempt = 0; attempt < 3; ++attempt) {
        n = GetFinalPathNameByHandleW(file.get(), wide.data(), static_cast<DWORD>(wide.size()),
                                      FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
        if (n < wide.size())
            break;
        wide.assign(std::size_t{n} + 1, L'\0');
    }
    if (n == 0) {
        // A file system that keeps no final paths: the path is the file's own.
        const DWORD error = GetLastError();
        if (error == ERROR_INVALID_FUNCTION || error == ERROR_NOT_SUPPORTED ||
            error == ERROR_INVALID_PARAMETER)
            return path;
        return std::nullopt;
    }
    if (n >= wide.size())
        return std::nullopt;
    wide.resize(n);
    // "\\?\C:\dir\file" and "\\?\UNC\server\share\file" in the form the 8-bit
    // functions take.
    if (wide.rfind(L"\\\\?\\UNC\\", 0) == 0)
        wide = L"\\\\" + wide.substr(8);
    else if (wide.rfind(L"\\\\?\\", 0) == 0)
        wide = wide.substr(4);
    if (wide.size() >= MAX_PATH)
        return std::nullopt;
    // A name the 8-bit code page cannot spell cannot be reached through it either.
    BOOL lossy = FALSE;
    const int bytes =
        WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(),
                            static_cast<int>(wide.size()), nullptr, 0, nullptr, &lossy);
    if (bytes <= 0 || lossy)
        return std::nullopt;
    std::string resolved(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                        resolved.data(), bytes, nullptr, nullptr);
    return resolved;
}

// Temporary files are named "kes-<writer's process id>-<serial>.tmp".
constexpr std::string_view kTempPrefix = "kes-";

// The folder as the start of the paths of its files.
std::string withSeparator(std::string folder)
{
    if (folder.back() != '\\' && folder.back() != '/' && folder.back() != ':')
        folder += '\\';
    return folder;
}

// Whether no process of that id runs any more. A process that cannot be asked (another
// user's) counts as running; an id in use by a newer process keeps the file too.
bool writerIsGone(DWORD pid)
{
    base::win32::UniqueKernelHandle process(
        OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid));
    if (!process)
        return GetLastError() == ERROR_INVALID_PARAMETER;
    DWORD code = 0;
    return GetExitCodeProcess(process.get(), &code) && code != STILL_ACTIVE;
}

// Whether the folder lies on a drive of this computer. Process ids are this computer's own: on
// a network drive, a temporary file may be another computer's writer at work, whose id means
// nothing here.
bool onLocalDrive(const std::string& folder)
{
    if (folder.size() >= 2 && (folder[0] == '\\' || folder[0] == '/') &&
        (folder[1] == '\\' || folder[1] == '/'))
        return false;
    char root[MAX_PATH + 1] = {};
    if (!GetVolumePathNameA(folder.c_str(), root, sizeof root))
        return false;
    switch (GetDriveTypeA(root)) {
    case DRIVE_FIXED:
    case DRIVE_REMOVABLE:
    case DRIVE_CDROM:
    case DRIVE_RAMDISK: return true;
    default: return false;
    }
}

// Removes the temporary files of writers that no longer run: a writer killed while it saved
// leaves its temporary file behind. Only on a drive of this computer (see onLocalDrive).
void removeStaleTemporaries(const std::string& folder)
{
    if (!onLocalDrive(folder))
        return;
    const std::string dir = withSeparator(folder);
    WIN32_FIND_DATAA found;
    base::win32::UniqueFind find(
        FindFirstFileA((dir + std::string(kTempPrefix) + "*.tmp").c_str(), &found));
    if (!find)
        return;
    const DWORD self = GetCurrentProcessId();
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT))
            continue;
        auto writer = temporaryNameWriter(kTempPrefix, found.cFileName, true);
        if (writer && *writer != self && writerIsGone(*writer))
            DeleteFileA((dir + found.cFileName).c_str());
    } while (FindNextFileA(find.get(), &found));
}

// Rewrites an existing file where it stands. Room for the longer of the old and new text is
// taken first, so that a full disk fails before any byte of the old text is overwritten.
bool rewriteInPlace(const std::string& path, std::string_view bytes)
{
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || GetFileType(file.get()) != FILE_TYPE_DISK)
        return false;
    LARGE_INTEGER oldSize{};
    if (!GetFileSizeEx(file.get(), &oldSize))
        return false;
    LARGE_INTEGER newSize{};
    newSize.QuadPart = static_cast<LONGLONG>(bytes.size());
    LARGE_INTEGER start{};
    if (newSize.QuadPart > oldSize.QuadPart &&
        (!SetFilePointerEx(file.get(), newSize, nullptr, FILE_BEGIN) || !SetEndOfFile(file.get())))
        return false;
    return SetFilePointerEx(file.get(), start, nullptr, FILE_BEGIN) &&
           writeAll(file.get(), bytes) && SetEndOfFile(file.get()) &&
           FlushFileBuffers(file.get()) && base::win32::closeReporting(file);
}

// Runs `replace` (a replacement of the profile) again for a little while when it fails
// because a program holds the profile open: a virus scanner, an indexer, the hook library
// reading the keys. The system refuses then, even to a handle that shares everything, and
// such a hold lasts moments. Any other failure, and the last one, return at once with the
// system's error.
template <class Replace>
bool retryWhileHeld(Replace replace)
{
    constexpr int kTries = 25;
    constexpr DWORD kPause = 20; // ms
    for (int attempt = 1;; ++attempt) {
        if (replace())
            return true;
        const DWORD error = GetLastError();
        const bool held = error == ERROR_ACCESS_DENIED || error == ERROR_SHARING_VIOLATION ||
                          error == ERROR_UNABLE_TO_REMOVE_REPLACED ||
                          error == ERROR_UNABLE_TO_MOVE_REPLACEMENT;
        if (!held || attempt == kTries) {
            SetLastError(error);
            return false;
        }
        Sleep(kPause);
    }
}

} // namespace

FileContents readFile(const std::string& path, std::size_t maxSize)
{
    FileContents result;
    UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
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

namespace {

// The replacement; on failure, the system's last error is that of the step that failed.
bool replaceFileSteps(const std::string& path, std::string_view bytes)
{
    const std::optional<std::string> final = finalPathOf(path);
    if (!final) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return false;
    }
    const std::string& target = *final;
    DWORD attributes = GetFileAttributesA(target.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    if (exists && (attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY))) {
        SetLastError(ERROR_ACCESS_DENIED);
        return false;
    }

    // The new text goes to a file of its own in the profile's folder, so that the
    // replacement stays on one volume.
    static std::atomic<unsigned> serial{0};
    const std::string folder = folderOf(target);
    std::string temp;
    HANDLE created = INVALID_HANDLE_VALUE;
    for (int attempt = 0; attempt < 100 && created == INVALID_HANDLE_VALUE; ++attempt) {
        temp = withSeparator(folder) + temporaryName(kTempPrefix, GetCurrentProcessId(), serial++);
        created = CreateFileA(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
        if (created != INVALID_HANDLE_VALUE)
            break;
        DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS)
            continue;
        // A folder where the user may not create files, or one whose path leaves no room for
        // the temporary file's name within MAX_PATH, may still hold a profile the user may
        // write: it is rewritten where it stands, as the system's own profile functions
        // always do.
        if (exists && (error == ERROR_ACCESS_DENIED || error == ERROR_FILENAME_EXCED_RANGE ||
                       error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME))
            return rewriteInPlace(target, bytes);
        return false;
    }
    if (created == INVALID_HANDLE_VALUE)
        return false;
    auto discard = [&] {
        const DWORD error = GetLastError();
        DeleteFileA(temp.c_str());
        SetLastError(error);
        return false;
    };
    {
        UniqueFile file(created);
        if (!writeAll(file.get(), bytes) || !FlushFileBuffers(file.get()) ||
            !base::win32::closeReporting(file))
            return discard();
    }
    // ReplaceFile keeps what makes the old file the user's: its security descriptor (the
    // profile holds the server password), owner, encryption, alternate data streams and
    // hard links. A plain move is for a file that does not exist (yet, or any more).
    bool replaced = false;
    if (exists) {
        replaced = retryWhileHeld([&] {
            return ReplaceFileA(target.c_str(), temp.c_str(), nullptr,
                                REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr) != 0;
        });
        if (!replaced && GetLastError() != ERROR_FILE_NOT_FOUND)
            return discard();
    }
    if (!replaced && !retryWhileHeld([&] {
            return MoveFileExA(temp.c_str(), target.c_str(),
                               MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
        }))
        return discard();
    // The old file's attributes (hidden, archive, ...) carry over to the new one.
    if (exists && attributes != FILE_ATTRIBUTE_NORMAL)
        SetFileAttributesA(target.c_str(), attributes);
    removeStaleTemporaries(folder);
    return true;
}

} // namespace

bool replaceFile(const std::string& path, std::string_view bytes, SystemError* why)
{
    if (replaceFileSteps(path, bytes))
        return true;
    if (why)
        *why = lastSystemError("replace " + path);
    return false;
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

} // namespace base
