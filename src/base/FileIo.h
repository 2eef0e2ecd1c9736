#pragma once
// The file operations of the program's own files (the profile store's and the language
// files'), one implementation per platform (posix/FileIo.cpp, win32/FileIo.cpp): a read that
// never blocks on a device, and a replacement that no reader ever sees half done. Paths are
// 8-bit text as the system takes them.

#include "base/SystemError.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace base {

enum class ReadStatus {
    Ok,         // bytes hold the whole file
    Missing,    // no such file (or a folder on its path does not exist)
    NotAFile,   // a folder, device or pipe
    Unreadable, // exists but cannot be opened or read
    TooLarge,   // larger than the limit given
};

struct FileContents {
    ReadStatus status = ReadStatus::Missing;
    std::string bytes; // empty unless status is Ok
};

// Reads a whole regular file of at most `maxSize` bytes. Never blocks on a pipe or device.
FileContents readFile(const std::string& path, std::size_t maxSize);

// Replaces the file at `path` with `bytes` in one step: the bytes go to a new file in the
// same folder, which is flushed to disk and then takes the old file's place, so a reader sees
// either the old file or the new one whole. Returns false, with `path` exactly as it was and
// no temporary file left behind, when any step fails or when `path` is a folder or a
// read-only file (one without any write permission on POSIX, with the read-only attribute on
// Windows).
// - A symbolic link is followed: the file it names gets the new text, and that file's
//   read-only attribute counts.
// - The file stays the user's: on Windows it keeps its security descriptor, owner,
//   encryption, alternate data streams and hard links; on POSIX its permissions, and its owner
//   and group where the process may give them.
// - An existing file in a folder that refuses new files (or, on Windows, whose path leaves no
//   room for a temporary name within MAX_PATH) is rewritten where it stands instead. Room for
//   the new text is taken first, so a full disk still leaves the old text whole.
// - A successful write removes the temporary files in that folder that writers killed in
//   mid-save left behind (named after their writer's process, which no longer runs).
// `why`, when given, receives the failed call and its error (SystemError.h) when false is
// returned; a refusal without a failed call (a folder, a read-only file) reports the system's
// error for it (access denied).
bool replaceFile(const std::string& path, std::string_view bytes, SystemError* why = nullptr);

// True when `path` names something that exists and is not a folder.
bool isExistingFile(const std::string& path);

// True when the folder that would hold `path` exists (the current folder for a bare name).
bool folderOfPathExists(const std::string& path);

} // namespace base
