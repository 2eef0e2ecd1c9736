#pragma once
// Version resources in memory, by path (compared without regard to letter case). Logs
// "version <path>". A path without an entry reads as a file without a version resource.

#include "platform/VersionReader.h"
#include "platform/fake/CallLog.h"
#include "platform/fake/FoldCase.h"

#include <map>
#include <string>

namespace platform {

class FakeVersionReader : public VersionReader {
public:
    explicit FakeVersionReader(CallLog& log) : m_log(log) {}

    void setVersion(const std::string& path, VersionStrings strings)
    {
        m_files[foldCase(path)] = std::move(strings);
    }

    VersionStrings read(const std::string& path) override
    {
        m_log.push_back("version " + path);
        auto it = m_files.find(foldCase(path));
        return it == m_files.end() ? VersionStrings{} : it->second;
    }

private:
    CallLog& m_log;
    std::map<std::string, VersionStrings> m_files;
};

} // namespace platform
