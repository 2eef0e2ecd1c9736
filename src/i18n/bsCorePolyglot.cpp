#include "i18n/bsCorePolyglot.h"

#include "platform/LocalPath.h"

#include "i18n/AnsiText.h"
#include "i18n/FileAccess.h"
#include "i18n/PropertyWalk.h"
#include "i18n/ResourceStrings.h"
#include "i18n/bsPolyglotManager.h"

#include "ui/Text.h"

#include <algorithm>
#include <shared_mutex>

namespace i18n {

namespace {

// Fixed texts and names that are never translated.
constexpr const char* kSingleInstanceError =
    "Core Multi Lang is single instance class. Please use GetCorePolyglot class function to "
    "obtain an instance.";
constexpr const char* kInitialLangsDir = ".\\Language\\";
constexpr const char* kInitialLanguage = "English";
constexpr const char* kLanguageExtension = ".lng";

// The single core. Message-text lookups from other threads hold the lock shared while they
// use the core, so that the core cannot go away under them.
std::shared_mutex g_instanceLock;
std::atomic<TbsCorePolyglot*> g_instance{nullptr};

// Whether a folder is taken under the working directory: neither "\..." or "/..." (the
// current drive's root, or another computer), nor "X:...".
bool isRelative(std::string_view dir)
{
    if (!dir.empty() && (dir[0] == '\\' || dir[0] == '/'))
        return false;
    return !(dir.size() >= 2 && dir[1] == ':');
}

// "Language\" for ".\Language\" and "./Language\"; the folder itself otherwise.
std::string_view withoutCurrentFolder(std::string_view dir)
{
    while (dir.size() >= 2 && dir[0] == '.' && (dir[1] == '\\' || dir[1] == '/'))
        dir.remove_prefix(2);
    return dir;
}

} // namespace

TbsCorePolyglot::TbsCorePolyglot(std::string baseFolder) : m_baseFolder(std::move(baseFolder))
{
    {
        std::unique_lock lock(g_instanceLock);
        if (g_instance.load())
            throw ui::Error(kSingleInstanceError);
        g_instance.store(this);
    }
    // A language file that cannot be read at start-up leaves its language current without a
    // file, as a failed change of language does, and the program still starts. Each of the
    // two selections is tried on its own: a first-listed file that cannot be read must not
    // keep "English" from being selected.
    auto tolerate = [](auto step) {
        try {
            step();
        } catch (const FileError&) {
        } catch (...) {
            std::unique_lock lock(g_instanceLock);
            g_instance.store(nullptr);
            throw;
        }
    };
    tolerate([this] { setLangsDir(kInitialLangsDir); });
    tolerate([this] { SelectLangOrFirst(kInitialLanguage); });
    setTranslateResourceStrings(true);
    // The framework's own texts pass through the same loader as the program's.
    m_previousTextLoader =
        ui::setFrameworkTextLoader([](std::uint32_t id, const std::string& builtIn) {
            std::string text = LoadResourceString(ResStringRec{id});
            // A framework text that this build's table lacks keeps the framework's own.
            if (text.empty() && !findTranslatedMessage(id))
                return builtIn;
            return text;
        });
}

TbsCorePolyglot::~TbsCorePolyglot()
{
    setTranslateResourceStrings(false);
    ui::setFrameworkTextLoader(std::move(m_previousTextLoader));
    std::unique_lock lock(g_instanceLock);
    g_instance.store(nullptr);
}

TbsCorePolyglot* TbsCorePolyglot::GetCorePolyglot()
{
    return g_instance.load();
}

std::string TbsCorePolyglot::CurrentLang() const
{
    std::lock_guard lock(m_dataLock);
    return m_currentLang;
}

std::string TbsCorePolyglot::LangsDir() const
{
    std::lock_guard lock(m_dataLock);
    return m_langsDir;
}

int TbsCorePolyglot::LangsCount() const
{
    std::lock_guard lock(m_dataLock);
    return static_cast<int>(m_langs.size());
}

std::string TbsCorePolyglot::Langs(int index) const
{
    std::lock_guard lock(m_dataLock);
    if (index < 0 || index >= static_cast<int>(m_langs.size()))
        throw ui::ListIndexError(index);
    return m_langs[static_cast<std::size_t>(index)];
}

void TbsCorePolyglot::RescanLangs()
{
    m_currentLang.clear();
    m_langs.clear();
    // A folder that a language file named (LangsDir is a property like any other) may lie on
    // another computer: it is not looked at.
    if (!m_langsDir.empty() && !platform::isLocalFilePath(m_langsDir))
        return;
    for (const auto& file : files::listLanguageFiles(m_langsDir)) {
        std::string name = file.substr(0, file.rfind('.'));
        // A file named only ".lng" would put a nameless language first, which could never
        // be selected and would keep the first real language from being chosen.
        if (!name.empty())
            m_langs.push_back(std::move(name));
    }
}

void TbsCorePolyglot::LoadLangFile()
{
    m_langFile.reset();
    if (m_currentLang.empty())
        return;
    std::string path = m_langsDir + m_currentLang + kLanguageExtension;
    if (files::isFile(path))
        m_langFile = std::make_shared<const TbsINIFile>(path);
}

void TbsCorePolyglot::SelectLang(std::string_view name)
{
    bool changed = false;
    {
        std::lock_guard lock(m_dataLock);
        if (name != m_currentLang &&
            std::any_of(m_langs.begin(), m_langs.end(),
                        [&](const std::string& lang) { return sameText(lang, name); })) {
            m_currentLang = name;
            LoadLangFile();
            changed = true;
        }
    }
    std::lock_guard lock(m_managersLock);
    if (changed)
        NotifyManagers();
}

void TbsCorePolyglot::SelectLangOrFirst(std::string_view name)
{
    SelectLang(name);
    std::string first;
    {
        std::lock_guard lock(m_dataLock);
        if (!m_currentLang.empty() || m_langs.empty())
            return;
        first = m_langs.front();
    }
    SelectLang(first);
}

void TbsCorePolyglot::setLangsDir(std::string_view dir)
{
    bool changed = false;
    std::string previous;
    {
        std::lock_guard lock(m_dataLock);
        previous = m_currentLang;
        if (dir.empty()) {
            m_langsDir.clear();
            RescanLangs();
            changed = true;
        } else {
            std::string value(dir);
            if (value.back() != '\\')
                value += '\\';
            if (!m_baseFolder.empty() && isRelative(value))
                value = m_baseFolder + std::string(withoutCurrentFolder(value));
            if (!sameText(value, m_langsDir)) {
                m_langsDir = std::move(value);
                RescanLangs();
                changed = true;
            }
        }
    }
    if (changed)
        SelectLangOrFirst(previous);
}

void TbsCorePolyglot::RegisterManager(TbsPolyglotManager& manager)
{
    std::lock_guard lock(m_managersLock);
    if (std::find(m_managers.begin(), m_managers.end(), &manager) == m_managers.end())
        m_managers.push_back(&manager);
}

void TbsCorePolyglot::UnregisterManager(TbsPolyglotManager& manager)
{
    std::lock_guard lock(m_managersLock);
    m_managers.erase(std::remove(m_managers.begin(), m_managers.end(), &manager), m_managers.end());
}

void TbsCorePolyglot::NotifyManagers()
{
    // By index: a manager's handlers may register or unregister managers meanwhile.
    for (std::size_t i = 0; i < m_managers.size(); ++i)
        m_managers[i]->TranslateAll();
}

void TbsCorePolyglot::TranslateComponent(ui::Component& root)
{
    std::lock_guard lock(m_dataLock);
    if (std::shared_ptr<const TbsINIFile> file = m_langFile)
        translateComponent(*file, root);
}

std::optional<std::string> TbsCorePolyglot::FindResourceString(std::uint32_t id) const
{
    std::lock_guard lock(m_dataLock);
    if (!m_langFile)
        return std::nullopt;
    return findResourceString(*m_langFile, id);
}

std::optional<std::string> TbsCorePolyglot::findTranslatedMessage(std::uint32_t id)
{
    std::shared_lock lock(g_instanceLock);
    TbsCorePolyglot* core = g_instance.load();
    if (!core || !core->TranslateResourceStrings())
        return std::nullopt;
    return core->FindResourceString(id);
}

} // namespace i18n
