#pragma once
// The parts of a path, in one place. Paths are Windows paths unless said otherwise: '\' and
// '/' both separate, and "C:" at the start names a drive (so "C:name" lies in the current
// folder of drive C). POSIX paths, which the native build's file functions take, separate at
// '/' alone: a '\' is part of a name there.

#include <string>
#include <string_view>

namespace base {

enum class PathStyle { Windows, Posix };

// The folder that holds what `path` names, as a path that names that folder: "C:\dir" for
// "C:\dir\f.ini", "C:\" for "C:\f.ini", "\" for "\f.ini", "C:." for "C:f.ini", "." for
// "f.ini". POSIX: "/dir" for "/dir/f", "/" for "/f", "." for "f".
std::string folderOf(std::string_view path, PathStyle style = PathStyle::Windows);

// The folder part of a Windows path, ready for a file name to be appended: everything up to
// and including its last '\', '/' or ':' ("C:\dir\" for "C:\dir\f.ini", "C:" for "C:f.ini");
// empty for a bare name.
std::string folderPrefixOf(std::string_view path);

// The file name of a Windows path: what follows its last '\', '/' or ':'.
std::string fileNameOf(std::string_view path);

} // namespace base
