#include "TestForm.h"

#include <sstream>

namespace i18n::test {

const ui::ClassInfo& TTestPanelItem::staticClassInfo()
{
    using P = ui::Published<TTestPanelItem>;
    static const ui::ClassInfo info(
        "TTestPanelItem", &ui::CollectionItem::staticClassInfo(),
        {
            P::text("Text", &TTestPanelItem::text, &TTestPanelItem::setText),
            P::integer("Width", &TTestPanelItem::width, &TTestPanelItem::setWidth),
        });
    return info;
}

const ui::ClassInfo& TTestExtra::staticClassInfo()
{
    using P = ui::Published<TTestExtra>;
    static const ui::ClassInfo info(
        "TTestExtra", &ui::Persistent::staticClassInfo(),
        {
            P::text("Note", &TTestExtra::note, &TTestExtra::setNote),
            P::integer("Level", &TTestExtra::level, &TTestExtra::setLevel),
        });
    return info;
}

TTestLabel::TTestLabel(ui::Component* owner) : ui::Control(owner)
{
    m_panels.add().setText("designed 0");
    m_panels.add().setText("designed 1");
}

const ui::ClassInfo& TTestLabel::staticClassInfo()
{
    using P = ui::Published<TTestLabel>;
    static const ui::ClassInfo info(
        "TTestLabel", &ui::Control::staticClassInfo(),
        {
            P::text("Caption", &ui::Control::text, &ui::Control::setText),
            P::integer("Small", &TTestLabel::smallValue, &TTestLabel::setSmallValue),
            P::integer("Short", &TTestLabel::shortValue, &TTestLabel::setShortValue),
            P::floating("Ratio", &TTestLabel::ratio, &TTestLabel::setRatio),
            P::enumeration("Alignment", &TTestLabel::alignment, &TTestLabel::setAlignment,
                           {"taLeftJustify", "taRightJustify", "taCenter"}),
            P::text("Version", &TTestLabel::version, nullptr),
            P::object("Items", &TTestLabel::items),
            P::object("Panels", &TTestLabel::panels),
            P::object("Extra", &TTestLabel::extra),
            P::object("Missing", &TTestLabel::missing),
            P::object("Font", &ui::Control::font),
            P::other("OnClick"),
        });
    return info;
}

const ui::ClassInfo& TTestPanel::staticClassInfo()
{
    static const ui::ClassInfo info("TTestPanel", &ui::WinControl::staticClassInfo(), {});
    return info;
}

const ui::ClassInfo& TTestForm::staticClassInfo()
{
    static const ui::ClassInfo info("TTestForm", &ui::Form::staticClassInfo(), {});
    return info;
}

TTestForm::TTestForm(ui::Component* owner, TbsPolyglotManager* manager) : ui::Form(owner)
{
    setName("TestForm");
    setCaption("Designed caption");
    Label1 = new TTestLabel(this);
    Label1->setName("Label1");
    Label1->setParent(this);
    Label1->setText("Designed label");
    Panel1 = new TTestPanel(this);
    Panel1->setName("Panel1");
    Panel1->setParent(this);
    Label3 = new TTestLabel(this);
    Label3->setName("Label3");
    Label3->setParent(Panel1);
    Label3->setText("Designed label 3");
    Inner = new TTestLabel(Panel1);
    Inner->setName("Inner");
    Inner->setText("Designed inner");
    bsPolyglotTranslator1 = new TbsPolyglotTranslator(this);
    bsPolyglotTranslator1->setName("bsPolyglotTranslator1");
    bsPolyglotTranslator1->setManager(manager);
    OnCreate = [this](ui::Persistent&) { captionAtCreate = caption(); };
    finishCreation();
}

std::string dump(TTestForm& form)
{
    std::ostringstream out;
    out << "caption " << form.caption() << "\nfont " << form.font().name() << " "
        << int(form.font().charset()) << " colour " << std::hex << form.font().color() << std::dec
        << "\n";
    for (TTestLabel* label : {form.Label1, form.Label3, form.Inner}) {
        out << label->name() << ": " << label->text() << " | visible " << label->visible()
            << " | small " << int(label->smallValue()) << " | short " << label->shortValue()
            << " | ratio " << label->ratio() << " | align " << int(label->alignment())
            << " | version " << label->version() << " | items";
        for (const auto& line : label->items().lines())
            out << " [" << line << "]";
        out << " | panels";
        for (int i = 0; i < label->panels().count(); ++i)
            out << " [" << label->panels().item(i).text() << " " << label->panels().item(i).width()
                << "]";
        out << " | extra " << label->extra().note() << " " << int(label->extra().level())
            << " | font " << label->font().name() << "\n";
    }
    return out.str();
}

} // namespace i18n::test
