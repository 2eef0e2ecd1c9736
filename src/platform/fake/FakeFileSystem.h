#pragma once
// A set of file paths that exist. Logs "exists <path>". Paths are compared without regard to
// letter case, as on Windows.

#include "platform/FileSystem.h"
#include "platform/fake/CallLog.h"

#include <set>
#include <string>

namespace platform {

class FakeFileSystem : public FileSystem {
public:
    explicit FakeFileSystem(CallLog& log) : m_log(log) {}

    void addFile(const std::string& path);
    void removeFile(const std::string& path);

    bool fileExists(const std::string& path) override;

private:
    CallLog& m_log;
    std::set<std::string> m_files; // lower-cased
};

} // namespace platform
