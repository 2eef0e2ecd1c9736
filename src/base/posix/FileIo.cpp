#include "base/FileIo.h"

#include "base/TemporaryName.h"

#include "base/Paths.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

namespace base {

namespace {

// Closes a descriptor on every path out of a function; keeps errno as it was.
class Fd {
public:
    explicit Fd(int fd) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd()
    {
        if (m_fd >= 0) {
            int saved = errno;
            ::close(m_fd);
            errno = saved;
        }
    }
    int get() const { return m_fd; }
    // Closes now and reports whether the close (the last chance to hear of a write error)
    // succeeded.
    bool close()
    {
        int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

std::string posixFolderOf(const std::string& path)
{
    return folderOf(path, PathStyle::Posix);
}

// A symbolic link is replaced through: the file it names gets the new text.
std::string resolveLink(const std::string& path)
{
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode))
        return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (!real)
        return path;
    std::string resolved(real);
    std::free(real);
    return resolved;
}

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Temporary files are named ".kestrion-<writer's process id>-<serial>.tmp".
constexpr std::string_view kTempPrefix = ".kestrion-";

// Removes the temporary files of writers that no longer run: a writer killed while it saved
// leaves its temporary file behind. Only a process that provably does not exist counts as
// gone; a live one (this process too) may still be writing its file.
void removeStaleTemporaries(const std::string& folder)
{
    DIR* dir = ::opendir(folder.c_str());
    if (!dir)
        return;
    const pid_t self = ::getpid();
    while (const dirent* entry = ::readdir(dir)) {
        auto writer = temporaryNameWriter(kTempPrefix, entry->d_name, false);
        if (!writer || *writer > static_cast<std::uint32_t>(INT_MAX) ||
            static_cast<pid_t>(*writer) == self)
            continue;
        if (::kill(static_cast<pid_t>(*writer), 0) == 0 || errno != ESRCH)
            continue;
        const std::string path = folder + "/" + entry->d_name;
        struct stat st {};
        if (::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode))
            (void)::unlink(path.c_str());
    }
    ::closedir(dir);
}

// Rewrites an existing file where it stands. Room for the longer of the old and new text is
// taken first, so that a full disk fails before any byte of the old text is overwritten.
bool rewriteInPlace(const std::string& path, std::string_view bytes)
{
    Fd fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat st {};
    if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    const auto oldSize = static_cast<std::size_t>(st.st_size);
    if (bytes.size() > oldSize) {
        // A file system that cannot reserve room says so; the writes below still report a
        // full disk, only later.
        const int error = ::posix_fallocate(fd.get(), 0, static_cast<off_t>(bytes.size()));
        if (error == ENOSPC || error == EDQUOT || error == EFBIG) {
            (void)::ftruncate(fd.get(), st.st_size);
            return false;
        }
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n =
            ::pwrite(fd.get(), bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    return ::ftruncate(fd.get(), static_cast<off_t>(bytes.size())) == 0 && ::fsync(fd.get()) == 0 &&
           fd.close();
}

} // namespace

FileContents readFile(const std::string& path, std::size_t maxSize)
{
    FileContents result;
    // O_NONBLOCK: opening a named pipe must not wait for a writer.
    Fd fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0) {
        result.status =
            (errno == ENOENT || errno == ENOTDIR) ? ReadStatus::Missing : ReadStatus::Unreadable;
        return result;
    }
    struct stat st {};
    if (::fstat(fd.get(), &st) != 0) {
        result.status = ReadStatus::Unreadable;
        return result;
    }
    if (!S_ISREG(st.st_mode)) {
        result.status = ReadStatus::NotAFile;
        return result;
    }
    if (static_cast<std::size_t>(st.st_size) > maxSize) {
        result.status = ReadStatus::TooLarge;
        return result;
    }
    std::string bytes(static_cast<std::size_t>(st.st_size), '\0');
    std::size_t got = 0;
    for (;;) {
        if (got == bytes.size()) {
            // The file may have grown since fstat; read on until the end, within the limit.
            if (bytes.size() >= maxSize + 1)
                break;
            bytes.resize(std::min(maxSize + 1, bytes.size() + 4096));
        }
        ssize_t n = ::read(fd.get(), bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            result.status = ReadStatus::Unreadable;
            return result;
        }
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
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

// The replacement; on failure, errno is that of the step that failed.
bool replaceFileSteps(const std::string& path, std::string_view bytes)
{
    const std::string target = resolveLink(path);
    struct stat old {};
    const bool exists = ::stat(target.c_str(), &old) == 0;
    if (exists) {
        if (S_ISDIR(old.st_mode)) {
            errno = EISDIR;
            return false;
        }
        // No write permission for anyone is the read-only attribute of this platform, and it
        // holds for every user; otherwise the caller's own permission decides.
        if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
            errno = EACCES;
            return false;
        }
        if (::access(target.c_str(), W_OK) != 0)
            return false;
    }

    const std::string folder = posixFolderOf(target);
    static std::atomic<unsigned> counter{0};
    std::string temp;
    int raw = -1;
    for (int attempt = 0; attempt < 100 && raw < 0; ++attempt) {
        temp = folder + "/" +
               temporaryName(kTempPrefix, static_cast<std::uint32_t>(::getpid()), counter++);
        raw = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (raw < 0 && errno != EEXIST) {
            // A folder that refuses new files may still hold a file the user may write: it is
            // rewritten where it stands, as the system's own profile functions always do.
            if (exists && (errno == EACCES || errno == EPERM || errno == ENAMETOOLONG))
                return rewriteInPlace(target, bytes);
            return false;
        }
    }
    if (raw < 0)
        return false;
    Fd fd(raw);
    auto discard = [&] {
        const int error = errno;
        ::unlink(temp.c_str());
        errno = error;
        return false;
    };
    if (exists) {
        // The new file keeps the old one's owner and group where this process may give them
        // (root may, the owner may keep a group of his own), then its permissions, which a
        // change of owner would clear of their set-id bits.
        if (::fchown(fd.get(), old.st_uid, old.st_gid) != 0)
            (void)::fchown(fd.get(), static_cast<uid_t>(-1), old.st_gid);
        (void)::fchmod(fd.get(), old.st_mode & 07777);
    }
    if (!writeAll(fd.get(), bytes) || ::fsync(fd.get()) != 0 || !fd.close())
        return discard();
    if (::rename(temp.c_str(), target.c_str()) != 0)
        return discard();
    // The rename itself reaches the disk with the folder.
    Fd dir(::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        (void)::fsync(dir.get());
    removeStaleTemporaries(folder);
    return true;
}

} // namespace

bool replaceFile(const std::string& path, std::string_view bytes, SystemError* why)
{
    errno = 0;
    if (replaceFileSteps(path, bytes))
        return true;
    if (why)
        *why = lastSystemError("replace " + path);
    return false;
}

bool isExistingFile(const std::string& path)
{
    struct stat st {};
    return !path.empty() && ::stat(path.c_str(), &st) == 0 && !S_ISDIR(st.st_mode);
}

bool folderOfPathExists(const std::string& path)
{
    struct stat st {};
    return ::stat(posixFolderOf(path).c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

} // namespace base
