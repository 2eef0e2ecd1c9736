#pragma once
// TbsPolyglotTranslator: the component on each form that applies the current language file to
// that form (its owner): once when the form has loaded, before the form's own creation
// handler, and again from its manager after every change of language.

#include "ui/Component.h"

namespace i18n {

class TbsPolyglotManager;

class TbsPolyglotTranslator : public ui::Component {
public:
    explicit TbsPolyglotTranslator(ui::Component* owner);
    // Unregisters from its manager.
    ~TbsPolyglotTranslator() override;

    static const ui::ClassInfo& staticClassInfo();
    const ui::ClassInfo& classInfo() const override { return staticClassInfo(); }

    TbsPolyglotManager* Manager() const { return m_manager; }
    // Unregisters from the present manager and registers with the new one (either may be
    // null); nothing when it is the present one.
    void setManager(TbsPolyglotManager* manager);

    // BeforeTranslate; then, when the owner is a form, data module or frame and a manager is
    // set, the core translates the owner; then AfterTranslate. An error of the translation
    // propagates, and AfterTranslate is then not called.
    void Translate();

    // Runs Translate once the owner has loaded: its components exist with their designed
    // values, and its own creation handler has not run yet.
    void loaded() override;

    ui::NotifyEvent BeforeTranslate;
    ui::NotifyEvent AfterTranslate;

private:
    TbsPolyglotManager* managerObject() { return m_manager; }

    TbsPolyglotManager* m_manager = nullptr;
};

} // namespace i18n
