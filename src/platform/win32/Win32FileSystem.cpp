#include "platform/win32/Win32FileSystem.h"

#include <windows.h>

namespace platform {

bool Win32FileSystem::fileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace platform
