#include "platform/win32/Win32HelpViewer.h"

#include <windows.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstring>
#include <vector>

namespace platform {

namespace {

// The viewer in the Windows folder, and the word in the description of the stand-in that
// Windows ships in its place since it stopped shipping the viewer; never translated.
constexpr char kViewerFile[] = "\\winhlp32.exe";
constexpr char kStandInWord[] = "stub";

bool isFile(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// The file description of a program's version resource, in the first language it lists;
// empty when it has none.
std::string fileDescription(const std::string& path)
{
    DWORD unused = 0;
    const DWORD size = GetFileVersionInfoSizeA(path.c_str(), &unused);
    if (size == 0)
        return {};
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(path.c_str(), 0, size, block.data()))
        return {};
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueA(block.data(), "\\VarFileInfo\\Translation", &value, &length) || length < 4)
        return {};
    WORD language[2];
    std::memcpy(language, value, sizeof language);
    char key[64];
    std::snprintf(key, sizeof key, "\\StringFileInfo\\%04x%04x\\FileDescription", language[0],
                  language[1]);
    if (!VerQueryValueA(block.data(), key, &value, &length) || value == nullptr)
        return {};
    const char* text = static_cast<const char*>(value);
    return std::string(text, strnlen(text, length));
}

bool viewerInstalled()
{
    char windows[MAX_PATH];
    const UINT n = GetWindowsDirectoryA(windows, sizeof windows);
    if (n == 0 || n >= sizeof windows)
        return false;
    const std::string viewer = std::string(windows, n) + kViewerFile;
    if (!isFile(viewer))
        return false;
    std::string description = fileDescription(viewer);
    std::transform(description.begin(), description.end(), description.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return description.find(kStandInWord) == std::string::npos;
}

} // namespace

bool Win32HelpViewer::canShow(const std::string& helpFile)
{
    return !helpFile.empty() && isFile(helpFile) && viewerInstalled();
}

bool Win32HelpViewer::showContext(WindowHandle owner, const std::string& helpFile,
                                  std::uint32_t context)
{
    return WinHelpA(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(owner)), helpFile.c_str(),
                    HELP_CONTEXT, context) != FALSE;
}

} // namespace platform
