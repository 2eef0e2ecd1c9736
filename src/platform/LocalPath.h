#pragma once
// Whether a path that came from a file (a profile, a language file) names a file on this
// computer. Every such path is asked here before any file-system call is made with it, an
// existence check included: a path that names another computer makes Windows open a network
// session to that host, and with it hand over the user's credentials, before a single byte
// of the file is read.

#include <string_view>

namespace platform {

// True for a path that names a file on this computer: a drive path ("C:\a.wav", "C:a.wav"),
// a path on the current drive ("\sounds\a.wav") or relative to the current folder
// ("a.wav"), and the long form of a drive path ("\\?\C:\a.wav"). Mapped drive letters count
// as local: the user made them.
//
// False for an empty path, one with a control character, and one that names no file on this
// computer:
// - any path that starts with two separators in any mix ("\\host\share", "//host/share",
//   "\/host", "\\?\UNC\host\share", "\\.\pipe\x", "\\host@SSL\share"), except the long drive
//   form above;
// - an object-manager path ("\??\UNC\host\share");
// - a path with a device name as one of its parts ("CON", "nul.wav", "C:con", "COM1",
//   "LPT1.txt", "CONIN$"), compared without regard to letter case and to what follows a dot.
bool isLocalFilePath(std::string_view path);

} // namespace platform
