#pragma once
// The localization tests' names for the shared test folder, and their own file helpers.

#include "TestFiles.h"

#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace i18n::test {

using TempDir = testsupport::TempFolder;

inline std::string readAll(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

} // namespace i18n::test

namespace i18n::test {

// Makes `dir` the working directory for its lifetime.
class ScopedWorkingDir {
public:
    explicit ScopedWorkingDir(const std::filesystem::path& dir)
        : m_previous(std::filesystem::current_path())
    {
        std::filesystem::current_path(dir);
    }
    ~ScopedWorkingDir()
    {
        std::error_code ec;
        std::filesystem::current_path(m_previous, ec);
    }
    ScopedWorkingDir(const ScopedWorkingDir&) = delete;
    ScopedWorkingDir& operator=(const ScopedWorkingDir&) = delete;

private:
    std::filesystem::path m_previous;
};

} // namespace i18n::test
