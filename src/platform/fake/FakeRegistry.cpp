#include "platform/fake/FakeRegistry.h"

#include "platform/fake/FoldCase.h"

namespace platform {

namespace {

class FakeKey : public RegistryKey {
public:
    FakeKey(std::shared_ptr<const std::map<std::string, RegistryValue>> values,
            std::shared_ptr<int> openKeys)
        : m_values(std::move(values)), m_openKeys(std::move(openKeys))
    {
        ++*m_openKeys;
    }
    ~FakeKey() override { --*m_openKeys; }
    FakeKey(const FakeKey&) = delete;
    FakeKey& operator=(const FakeKey&) = delete;

    std::optional<RegistryValue> readValue(const std::string& name) override
    {
        auto it = m_values->find(foldCase(name));
        if (it == m_values->end())
            return std::nullopt;
        return it->second;
    }

private:
    std::shared_ptr<const std::map<std::string, RegistryValue>> m_values;
    std::shared_ptr<int> m_openKeys;
};

} // namespace

std::string FakeRegistry::fold(RootKey root, const std::string& path)
{
    return foldCase(describeKey(root, path));
}

void FakeRegistry::addKey(RootKey root, const std::string& path)
{
    auto& values = m_keys[fold(root, path)];
    if (!values)
        values = std::make_shared<Values>();
}

void FakeRegistry::setValue(RootKey root, const std::string& path, const std::string& name,
                            RegistryValue value)
{
    addKey(root, path);
    (*m_keys[fold(root, path)])[foldCase(name)] = std::move(value);
}

void FakeRegistry::setText(RootKey root, const std::string& path, const std::string& name,
                           const std::string& text)
{
    setValue(root, path, name, {ValueType::Text, text + '\0'});
}

void FakeRegistry::setDword(RootKey root, const std::string& path, const std::string& name,
                            std::uint32_t number)
{
    std::string bytes(4, '\0');
    for (std::size_t i = 0; i < 4; ++i)
        bytes[i] = static_cast<char>((number >> (8 * i)) & 0xFF);
    setValue(root, path, name, {ValueType::Dword, bytes});
}

void FakeRegistry::removeKey(RootKey root, const std::string& path)
{
    m_keys.erase(fold(root, path));
}

std::unique_ptr<RegistryKey> FakeRegistry::openKey(RootKey root, const std::string& path)
{
    m_log.push_back("open " + describeKey(root, path));
    auto it = m_keys.find(fold(root, path));
    if (it == m_keys.end())
        return nullptr;
    return std::make_unique<FakeKey>(it->second, m_openKeys);
}

} // namespace platform
