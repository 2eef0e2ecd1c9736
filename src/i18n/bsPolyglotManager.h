#pragma once
// TbsPolyglotManager: the main window's handle on the localization core. It keeps no language
// state of its own: its properties read and write the core, so all managers share one
// languages directory and one current language. It keeps the list of translators registered
// with it and runs them after every change of language.

#include "ui/Component.h"

#include <functional>
#include <string>
#include <vector>

namespace i18n {

class TbsPolyglotTranslator;

// Before a change of language; setting `cancel` keeps the present language.
using TCurrentLangChangingEvent =
    std::function<void(ui::Persistent& sender, const std::string& oldLanguage,
                       const std::string& newLanguage, bool& cancel)>;
// Before a change of the languages directory; setting `cancel` keeps the present one.
using TLangsDirChangingEvent =
    std::function<void(ui::Persistent& sender, const std::string& oldFolder,
                       const std::string& newFolder, bool& cancel)>;

class TbsPolyglotManager : public ui::Component {
public:
    // Registers with the core, if there is one.
    explicit TbsPolyglotManager(ui::Component* owner);
    // Detaches its translators (last first), then unregisters from the core.
    ~TbsPolyglotManager() override;

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    // Readers throw ui::Error "Core polyglot is not assigned." when no core exists.
    std::string LangsDir() const;
    std::string CurrentLang() const;
    bool TranslateResourceStrings() const;
    int LangsCount() const;
    // Throws ui::ListIndexError outside 0..LangsCount()-1.
    std::string Langs(int index) const;

    // Ask the handler, then write the core. Throw ui::Error "Core multi lang is not assigned"
    // when no core exists. Writing CurrentLang may throw FileError (see SelectLang) and
    // whatever the translation of the forms throws.
    void setLangsDir(const std::string& dir);
    void setCurrentLang(const std::string& name);
    // Switches the redirection of message texts; nothing when no core exists.
    void setTranslateResourceStrings(bool on);

    // Appends the translator unless it is listed already; removes it if listed.
    void RegisterTranslator(TbsPolyglotTranslator& translator);
    void UnregisterTranslator(TbsPolyglotTranslator& translator);
    const std::vector<TbsPolyglotTranslator*>& translators() const { return m_translators; }

    // BeforeAllTranslate, Translate on every registered translator in registration order,
    // AfterAllTranslate. An error of a translator ends it there and propagates.
    void TranslateAll();

    // The requests of a translator: have the core translate its owner. Nothing without a core.
    void TranslateForm(ui::Component& form);
    void TranslateDataModule(ui::Component& dataModule);
    void TranslateFrame(ui::Component& frame);

    TCurrentLangChangingEvent CurrentLangChanging;
    TLangsDirChangingEvent LangsDirChanging;
    ui::NotifyEvent BeforeAllTranslate;
    ui::NotifyEvent AfterAllTranslate;

private:
    std::vector<TbsPolyglotTranslator*> m_translators; // not owned
};

} // namespace i18n
