#include "platform/fake/FakeFileSystem.h"

#include "platform/fake/FoldCase.h"

namespace platform {

void FakeFileSystem::addFile(const std::string& path)
{
    m_files.insert(foldCase(path));
}

void FakeFileSystem::removeFile(const std::string& path)
{
    m_files.erase(foldCase(path));
}

bool FakeFileSystem::fileExists(const std::string& path)
{
    m_log.push_back("exists " + path);
    return m_files.count(foldCase(path)) != 0;
}

} // namespace platform
