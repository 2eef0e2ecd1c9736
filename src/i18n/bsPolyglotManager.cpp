#include "i18n/bsPolyglotManager.h"

#include "i18n/bsCorePolyglot.h"
#include "i18n/bsPolyglotTranslator.h"

#include "ui/Text.h"

#include <algorithm>

namespace i18n {

namespace {

// Fixed texts, never translated.
constexpr const char* kNoCoreToRead = "Core polyglot is not assigned.";
constexpr const char* kNoCoreToWrite = "Core multi lang is not assigned";

TbsCorePolyglot& coreToRead()
{
    TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot();
    if (!core)
        throw ui::Error(kNoCoreToRead);
    return *core;
}

TbsCorePolyglot& coreToWrite()
{
    TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot();
    if (!core)
        throw ui::Error(kNoCoreToWrite);
    return *core;
}

} // namespace

const ui::ClassInfo& TbsPolyglotManager::staticClassInfo()
{
    using P = ui::Published<TbsPolyglotManager>;
    static const ui::ClassInfo info(
        "TbsPolyglotManager", &ui::Component::staticClassInfo(),
        {
            P::text("LangsDir", &TbsPolyglotManager::LangsDir, &TbsPolyglotManager::setLangsDir),
            P::text("CurrentLang", &TbsPolyglotManager::CurrentLang,
                    &TbsPolyglotManager::setCurrentLang),
            P::boolean("TranslateResourceStrings", &TbsPolyglotManager::TranslateResourceStrings,
                       &TbsPolyglotManager::setTranslateResourceStrings),
            P::other("CurrentLangChanging"),
            P::other("LangsDirChanging"),
            P::other("BeforeAllTranslate"),
            P::other("AfterAllTranslate"),
        });
    return info;
}

TbsPolyglotManager::TbsPolyglotManager(ui::Component* owner) : ui::Component(owner)
{
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot())
        core->RegisterManager(*this);
}

TbsPolyglotManager::~TbsPolyglotManager()
{
    while (!m_translators.empty())
        m_translators.back()->setManager(nullptr);
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot())
        core->UnregisterManager(*this);
}

std::string TbsPolyglotManager::LangsDir() const
{
    return coreToRead().LangsDir();
}

std::string TbsPolyglotManager::CurrentLang() const
{
    return coreToRead().CurrentLang();
}

bool TbsPolyglotManager::TranslateResourceStrings() const
{
    return coreToRead().TranslateResourceStrings();
}

int TbsPolyglotManager::LangsCount() const
{
    return coreToRead().LangsCount();
}

std::string TbsPolyglotManager::Langs(int index) const
{
    return coreToRead().Langs(index);
}

void TbsPolyglotManager::setLangsDir(const std::string& dir)
{
    TbsCorePolyglot& core = coreToWrite();
    bool cancel = false;
    if (LangsDirChanging)
        LangsDirChanging(*this, core.LangsDir(), dir, cancel);
    if (!cancel)
        core.setLangsDir(dir);
}

void TbsPolyglotManager::setCurrentLang(const std::string& name)
{
    TbsCorePolyglot& core = coreToWrite();
    bool cancel = false;
    if (CurrentLangChanging)
        CurrentLangChanging(*this, core.CurrentLang(), name, cancel);
    if (!cancel)
        core.SelectLang(name);
}

void TbsPolyglotManager::setTranslateResourceStrings(bool on)
{
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot())
        core->setTranslateResourceStrings(on);
}

void TbsPolyglotManager::RegisterTranslator(TbsPolyglotTranslator& translator)
{
    if (std::find(m_translators.begin(), m_translators.end(), &translator) == m_translators.end())
        m_translators.push_back(&translator);
}

void TbsPolyglotManager::UnregisterTranslator(TbsPolyglotTranslator& translator)
{
    m_translators.erase(std::remove(m_translators.begin(), m_translators.end(), &translator),
                        m_translators.end());
}

void TbsPolyglotManager::TranslateAll()
{
    if (BeforeAllTranslate)
        BeforeAllTranslate(*this);
    // By index: a handler may create or destroy forms, and so translators, meanwhile.
    for (std::size_t i = 0; i < m_translators.size(); ++i)
        m_translators[i]->Translate();
    if (AfterAllTranslate)
        AfterAllTranslate(*this);
}

void TbsPolyglotManager::TranslateForm(ui::Component& form)
{
    if (TbsCorePolyglot* core = TbsCorePolyglot::GetCorePolyglot())
        core->TranslateComponent(form);
}

void TbsPolyglotManager::TranslateDataModule(ui::Component& dataModule)
{
    TranslateForm(dataModule);
}

void TbsPolyglotManager::TranslateFrame(ui::Component& frame)
{
    TranslateForm(frame);
}

} // namespace i18n
