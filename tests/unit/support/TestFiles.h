#pragma once
// A real folder for native tests that touch files: made new and unique under the system's
// temporary folder, removed with everything in it at the end (also what a test made
// read-only). Shared by every module's tests.

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <optional>
#include <stdexcept>
#include <stdlib.h>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

namespace testsupport {

// The names of a folder's entries in the order the system lists them.
inline std::vector<std::string> listedNames(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        names.push_back(entry.path().filename().string());
    return names;
}

// Writes a whole file; throws std::runtime_error when it cannot.
inline void writeBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write test file " + path);
}

// Reads a whole file; throws std::runtime_error when it cannot.
inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary | std::ios::ate);
    if (!in)
        throw std::runtime_error("cannot read test file " + path);
    std::string bytes(static_cast<std::size_t>(in.tellg()), '\0');
    in.seekg(0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!in)
        throw std::runtime_error("cannot read test file " + path);
    return bytes;
}

class TempFolder {
public:
    TempFolder()
    {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "kestrion-test-XXXXXX").string();
        if (!::mkdtemp(pattern.data()))
            throw std::runtime_error("cannot create a test folder");
        m_path = pattern;
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder()
    {
        namespace fs = std::filesystem;
        std::error_code ec;
        // Give write permission back to whatever a test made read-only, so removal works.
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        for (auto it = fs::recursive_directory_iterator(m_path, ec);
             !ec && it != fs::recursive_directory_iterator(); it.increment(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }

    const std::filesystem::path& path() const { return m_path; }
    // The full path of a file in the folder.
    std::string file(std::string_view name) const { return (m_path / name).string(); }
    // The folder as the localization names folders: ending in "\" (read as "/" natively).
    std::string dir() const { return m_path.string() + "\\"; }
    // Writes a file in the folder and returns its path.
    std::string write(std::string_view name, std::string_view bytes) const
    {
        std::string path = file(name);
        writeBytes(path, bytes);
        return path;
    }
    // Names of everything in the folder, sorted.
    std::vector<std::string> entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    std::filesystem::path m_path;
};

// Makes `dir` anew holding `files` (name and content) and one more file, with content
// `bytes`, that the system lists before all of them: the first of `candidates` (names) for
// which that holds. Returns its name; nothing when no candidate is listed first. For tests
// whose outcome depends on what a folder lists first: a file system lists in an order of its
// own (by a hash of the names on ext4, newest first on tmpfs), so the name is chosen rather
// than the order of creation.
inline std::optional<std::string>
writeFolderListedFirst(const std::filesystem::path& dir,
                       const std::vector<std::pair<std::string, std::string>>& files,
                       const std::vector<std::string>& candidates, std::string_view bytes)
{
    for (const auto& candidate : candidates) {
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        for (const auto& [name, content] : files)
            writeBytes((dir / name).string(), content);
        writeBytes((dir / candidate).string(), bytes);
        auto listed = listedNames(dir);
        if (!listed.empty() && listed.front() == candidate)
            return candidate;
    }
    return std::nullopt;
}

} // namespace testsupport
