#pragma once
// Runs a piece of a native test as a user whom file permissions bind. Root opens every file
// for writing and creates files in every folder, whatever their permission bits, so a test of
// what a read-only file or folder refuses proves nothing when the tests run as root (as they
// do in CI). The piece runs in a child process: as root, one that has become the user and
// group 65534 ("nobody"); otherwise one of the current user. The child can use no test
// assertions: it reports through its exit code.

#include <grp.h>
#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <system_error>

namespace testsupport {

inline constexpr uid_t kUnprivilegedUser = 65534;
inline constexpr gid_t kUnprivilegedGroup = 65534;

// Makes the user the piece runs as the owner of `path` and of everything below it, so that
// the permissions a test gives the owner are the ones that bind the piece. Nothing happens
// when the tests do not run as root.
inline void handOver(const std::filesystem::path& path)
{
    if (::geteuid() != 0)
        return;
    std::error_code ec;
    (void)::lchown(path.c_str(), kUnprivilegedUser, kUnprivilegedGroup);
    if (!std::filesystem::is_directory(std::filesystem::symlink_status(path, ec)))
        return;
    for (auto it = std::filesystem::recursive_directory_iterator(path, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec))
        (void)::lchown(it->path().c_str(), kUnprivilegedUser, kUnprivilegedGroup);
}

// Runs `body` in the child and returns its result (0 to 255); -1 when the child could not
// drop its privileges or did not end normally. An exception out of `body` gives 255.
inline int runUnprivileged(const std::function<int()>& body)
{
    std::fflush(nullptr);
    const pid_t child = ::fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (::geteuid() == 0 &&
            (::setgroups(0, nullptr) != 0 ||
             ::setresgid(kUnprivilegedGroup, kUnprivilegedGroup, kUnprivilegedGroup) != 0 ||
             ::setresuid(kUnprivilegedUser, kUnprivilegedUser, kUnprivilegedUser) != 0))
            ::_exit(254);
        int result = 255;
        try {
            result = body() & 0xFF;
        } catch (...) {
        }
        // No destructors, no test framework teardown: the parent owns all of that.
        std::fflush(nullptr);
        ::_exit(result);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) == 254)
        return -1;
    return WEXITSTATUS(status);
}

} // namespace testsupport
