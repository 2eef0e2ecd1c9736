#pragma once
// TbsCorePolyglot: the process-wide localization core. It holds the languages directory, the
// languages found there, the current language and its loaded language file, and the managers
// registered with it. Exactly one exists while the program runs: the program creates it
// before any form and destroys it after all of them.
//
// Locks: the data lock guards the current language, the language list, the loaded file and
// the languages directory; the managers lock guards the manager list and the whole of the
// notification of the managers. Both are re-entrant. Lock order: managers, then data. Every
// public operation may be called from any thread; the changes come from the user-interface
// thread.

#include "i18n/bsINIFile.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/Text.h"

namespace ui {
class Component;
}

namespace i18n {

class TbsPolyglotManager;

class TbsCorePolyglot {
public:
    // Becomes the single instance, looks for languages in ".\Language\", selects "English"
    // (or else the first language found), and switches the redirection of message texts on.
    // Throws ui::Error when a core already exists. A language file that cannot be read leaves
    // its language current without a file; the next step still runs, so an unreadable
    // first-listed file does not keep "English" from being selected.
    //
    // A relative languages directory is taken under `baseFolder` ("C:\Games\Kestrion\", with
    // its separator), the program's folder, from the very first look on; with an empty base,
    // under the working directory. (The program's working directory is wherever it was
    // started from: a language file that somebody left there must not be applied.)
    explicit TbsCorePolyglot(std::string baseFolder = {});
    // Switches the redirection off and releases the loaded file; GetCorePolyglot is null
    // from then on.
    ~TbsCorePolyglot();
    TbsCorePolyglot(const TbsCorePolyglot&) = delete;
    TbsCorePolyglot& operator=(const TbsCorePolyglot&) = delete;

    // The single core, or null before it is created and after it is destroyed.
    static TbsCorePolyglot* GetCorePolyglot();

    // Copies, taken under the data lock.
    std::string CurrentLang() const;
    std::string LangsDir() const;
    int LangsCount() const;
    // Throws ui::ListIndexError ("List index out of bounds (%d)") outside 0..LangsCount()-1.
    std::string Langs(int index) const;

    // Makes `name` current when it differs from the current name (letter case counts) and the
    // language list holds it (letter case ignored), loads its file, and has every manager
    // translate its forms. Any other name changes nothing. Throws FileError when the file
    // exists but cannot be read; the name is then current, no file is loaded, and the managers
    // are not told.
    void SelectLang(std::string_view name);
    // SelectLang(name); then, if no language is current, the first language found.
    void SelectLangOrFirst(std::string_view name);
    // Sets the languages directory ("\" is appended when missing; a relative one is taken
    // under the base folder, when the core has one). A directory that differs (letter case
    // ignored), or an empty one (the working directory, always), is scanned again and the
    // previous language selected in it, or else its first language. A directory on another
    // computer (platform::isLocalFilePath) is never looked at: it lists no language.
    void setLangsDir(std::string_view dir);

    // Whether LoadResourceString consults the loaded file.
    bool TranslateResourceStrings() const { return m_translateResourceStrings.load(); }
    void setTranslateResourceStrings(bool on) { m_translateResourceStrings.store(on); }

    void RegisterManager(TbsPolyglotManager& manager);
    void UnregisterManager(TbsPolyglotManager& manager);

    // Applies the loaded file's section for the root's class to the root (a form, data module
    // or frame) and its components; nothing when no file is loaded. Errors of the walk
    // ("Invalid property element: %s") and of property setters end the translation at that
    // entry and reach the caller.
    void TranslateComponent(ui::Component& root);

    // The translated message text for `id` from the loaded file's [ResourceStrings] section:
    // the first entry, in file order, whose name before any "_" is `id` in plain decimal.
    // Empty when no file is loaded or no entry matches.
    std::optional<std::string> FindResourceString(std::uint32_t id) const;

    // The text that LoadResourceString uses for `id`: FindResourceString of the core, when a
    // core exists and its redirection is on. Safe against a core being destroyed meanwhile.
    static std::optional<std::string> findTranslatedMessage(std::uint32_t id);

private:
    void RescanLangs();    // data lock held
    void LoadLangFile();   // data lock held
    void NotifyManagers(); // managers lock held
    void setLangsDirLocked(std::string_view dir, bool& changed, std::string& previous);

    // Fields in the order they are guarded: the data lock covers the first four.
    std::string m_currentLang;
    std::vector<std::string> m_langs;
    // Shared with a running translation, so that a language change made by the translation
    // itself (a file that sets the manager's CurrentLang) cannot free the file under it.
    std::shared_ptr<const TbsINIFile> m_langFile;
    std::string m_langsDir;
    const std::string m_baseFolder;
    mutable std::recursive_mutex m_dataLock;
    std::recursive_mutex m_managersLock;
    std::vector<TbsPolyglotManager*> m_managers; // registration order; not owned
    std::atomic<bool> m_translateResourceStrings{false};
    ui::FrameworkTextLoader m_previousTextLoader;
};

} // namespace i18n
