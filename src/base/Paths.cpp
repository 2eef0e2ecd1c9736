#include "base/Paths.h"

namespace base {

std::string folderOf(std::string_view path, PathStyle style)
{
    if (style == PathStyle::Posix) {
        const std::size_t slash = path.rfind('/');
        if (slash == std::string_view::npos)
            return ".";
        if (slash == 0)
            return "/";
        return std::string(path.substr(0, slash));
    }
    const std::size_t slash = path.find_last_of("\\/");
    if (slash == std::string_view::npos) {
        if (path.size() >= 2 && path[1] == ':')
            return std::string(path.substr(0, 2)) + ".";
        return ".";
    }
    // A root keeps its separator ("C:\", "\"), so that it names the folder.
    if (slash == 0 || (slash == 2 && path[1] == ':'))
        return std::string(path.substr(0, slash + 1));
    return std::string(path.substr(0, slash));
}

std::string folderPrefixOf(std::string_view path)
{
    const std::size_t end = path.find_last_of("\\/:");
    return end == std::string_view::npos ? std::string() : std::string(path.substr(0, end + 1));
}

std::string fileNameOf(std::string_view path)
{
    const std::size_t end = path.find_last_of("\\/:");
    return std::string(end == std::string_view::npos ? path : path.substr(end + 1));
}

} // namespace base
