#include "i18n/bsPolyglotTranslator.h"

#include "i18n/bsPolyglotManager.h"

namespace i18n {

namespace {

// The kinds of owner a translator translates, by class name.
constexpr const char* kFormClass = "TForm";
constexpr const char* kDataModuleClass = "TDataModule";
constexpr const char* kFrameClass = "TFrame";

} // namespace

const ui::ClassInfo& TbsPolyglotTranslator::staticClassInfo()
{
    using P = ui::Published<TbsPolyglotTranslator>;
    static const ui::ClassInfo info("TbsPolyglotTranslator", &ui::Component::staticClassInfo(),
                                    {
                                        P::object("Manager", &TbsPolyglotTranslator::managerObject),
                                        P::other("BeforeTranslate"),
                                        P::other("AfterTranslate"),
                                    });
    return info;
}

TbsPolyglotTranslator::TbsPolyglotTranslator(ui::Component* owner) : ui::Component(owner)
{
}

TbsPolyglotTranslator::~TbsPolyglotTranslator()
{
    setManager(nullptr);
}

void TbsPolyglotTranslator::setManager(TbsPolyglotManager* manager)
{
    if (manager == m_manager)
        return;
    if (m_manager)
        m_manager->UnregisterTranslator(*this);
    m_manager = manager;
    if (m_manager)
        m_manager->RegisterTranslator(*this);
}

void TbsPolyglotTranslator::Translate()
{
    if (BeforeTranslate)
        BeforeTranslate(*this);
    ui::Component* form = owner();
    if (form && m_manager) {
        const ui::ClassInfo& info = form->classInfo();
        if (info.inheritsFrom(kFormClass))
            m_manager->TranslateForm(*form);
        else if (info.inheritsFrom(kDataModuleClass))
            m_manager->TranslateDataModule(*form);
        else if (info.inheritsFrom(kFrameClass))
            m_manager->TranslateFrame(*form);
    }
    if (AfterTranslate)
        AfterTranslate(*this);
}

void TbsPolyglotTranslator::loaded()
{
    Translate();
}

} // namespace i18n
