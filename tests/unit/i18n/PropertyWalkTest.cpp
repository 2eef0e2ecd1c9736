#include "i18n/PropertyWalk.h"

#include "TempDir.h"
#include "TestForm.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsINIFile.h"
#include "i18n/bsPolyglotManager.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace i18n;
using namespace i18n::test;

namespace {

using Change = std::function<void(TTestForm&)>;

const Change kNothing = [](TTestForm&) {};

std::string translated(const std::string& entries)
{
    auto form = ui::makeComponent<TTestForm>(nullptr, nullptr);
    auto file = TbsINIFile::fromText("[TTestForm]\n" + entries);
    translateComponent(*file, *form);
    return dump(*form);
}

std::string changed(const Change& change)
{
    auto form = ui::makeComponent<TTestForm>(nullptr, nullptr);
    change(*form);
    return dump(*form);
}

std::string errorOf(const std::function<void()>& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        return e.what();
    }
    return "<no error>";
}

} // namespace

TEST(PropertyWalk, PathsReachPropertiesOfEveryKind)
{
    struct Case {
        std::string entry;
        Change change;
    };
    const Case cases[] = {
        {"Caption='Hello'", [](TTestForm& f) { f.setCaption("Hello"); }},
        {"Caption.Anything='Rest ignored'", [](TTestForm& f) { f.setCaption("Rest ignored"); }},
        {"Label1.Caption='It''s'", [](TTestForm& f) { f.Label1->setText("It's"); }},
        {"LABEL1.caption = 'Any case' ", [](TTestForm& f) { f.Label1->setText("Any case"); }},
        {"Label1.Caption=Bare text", [](TTestForm& f) { f.Label1->setText("Bare text"); }},
        {"Label1.Caption='broken'x", [](TTestForm& f) { f.Label1->setText(""); }},
        {"Panel1.Label3.Caption='child'", [](TTestForm& f) { f.Label3->setText("child"); }},
        {"Panel1.Inner.Caption='owned'", [](TTestForm& f) { f.Inner->setText("owned"); }},
        {"Label3.Caption='direct'", [](TTestForm& f) { f.Label3->setText("direct"); }},
        {"Label1.Visible=false", [](TTestForm& f) { f.Label1->setVisible(false); }},
        {"Label1.Alignment=TACENTER",
         [](TTestForm& f) { f.Label1->setAlignment(TestAlignment::Center); }},
        {"Label1.Small=0x10", [](TTestForm& f) { f.Label1->setSmallValue(16); }},
        {"Label1.Small=$FF", [](TTestForm& f) { f.Label1->setSmallValue(255); }},
        {"Label1.Small=300", [](TTestForm& f) { f.Label1->setSmallValue(255); }},
        {"Label1.Small=-5", [](TTestForm& f) { f.Label1->setSmallValue(0); }},
        {"Label1.Small=clRed", [](TTestForm& f) { f.Label1->setSmallValue(0); }},
        {"Label1.Short=-40000", [](TTestForm& f) { f.Label1->setShortValue(-32768); }},
        {"Label1.Short=$FFFFFFFF", [](TTestForm& f) { f.Label1->setShortValue(-1); }},
        {"Label1.Ratio=2.5", [](TTestForm& f) { f.Label1->setRatio(2.5); }},
        {"Label1.Ratio=wide", [](TTestForm& f) { f.Label1->setRatio(0); }},
        {"Label1.Items.Strings='a','b'",
         [](TTestForm& f) {
             f.Label1->items().assign({"a", "b"});
         }},
        {"Label1.Items.Strings=", [](TTestForm& f) { f.Label1->items().clear(); }},
        {"Label1.Items.strings='a','b'", kNothing},
        {"Label1.Items='a','b'", kNothing},
        {"Label1.Panels.Items(1).Text='second'",
         [](TTestForm& f) { f.Label1->panels().item(1).setText("second"); }},
        {"Label1.Panels.X(0).Text='zero'",
         [](TTestForm& f) { f.Label1->panels().item(0).setText("zero"); }},
        {"Label1.Panels.Items(0).Width=$20",
         [](TTestForm& f) { f.Label1->panels().item(0).setWidth(32); }},
        {"Label1.Panels.Items(2).Text='past the end'", kNothing},
        {"Label1.Panels.Items(-1).Text='negative'", kNothing},
        {"Label1.Panels.Items(one).Text='not a number'", kNothing},
        {"Label1.Panels.Items().Text='empty'", kNothing},
        {"Label1.Panels.Items0.Text='no parentheses'", kNothing},
        {"Label1.Panels.Items)0(.Text='reversed'", kNothing},
        {"Label1.Panels.Items(0)='no item path'", kNothing},
        {"Label1.Panels.Items(0).Nothing='no such property'", kNothing},
        {"Label1.Extra.Note='nested'", [](TTestForm& f) { f.Label1->extra().setNote("nested"); }},
        {"Label1.Extra.Level=999", [](TTestForm& f) { f.Label1->extra().setLevel(255); }},
        {"Label1.Missing.Note='none'", kNothing},
        {"Label1.Version='read-only'", kNothing},
        {"Label1.OnClick=Label1Click", kNothing},
        {"Font.Name='Arial'", [](TTestForm& f) { f.font().setName("Arial"); }},
        {"Font.Charset=300", [](TTestForm& f) { f.font().setCharset(255); }},
        // A colour is 32 bits, however it is written: system colours fit.
        {"Font.Color=$8000000F", [](TTestForm& f) { f.font().setColor(ui::clBtnFace); }},
        {"Font.Color=$FF000000", [](TTestForm& f) { f.font().setColor(0xFF000000); }},
        {"Font.Color=0x80000012", [](TTestForm& f) { f.font().setColor(0x80000012); }},
        {"Font.Color=-1", [](TTestForm& f) { f.font().setColor(0xFFFFFFFF); }},
        {"Font.Color=255", [](TTestForm& f) { f.font().setColor(0xFF); }},
        {"Font.Color=clRed", [](TTestForm& f) { f.font().setColor(0); }},
        {"Label1.Font.Name='Courier'", [](TTestForm& f) { f.Label1->font().setName("Courier"); }},
        // Components are not searched below a nested object.
        {"Font.Label1.Caption='x'", kNothing},
        {"Nobody.Caption='x'", kNothing},
        {"Panel1.Nobody.Caption='x'", kNothing},
        {"Label1='x'", kNothing},
        {"='x'", kNothing},
        {"no separator", kNothing},
        {"Label1..Caption='x'", kNothing},
    };
    for (const auto& c : cases)
        EXPECT_EQ(translated(c.entry + "\n"), changed(c.change)) << c.entry;
}

TEST(PropertyWalk, EntriesApplyInFileOrderWithTheLaterDuplicateValue)
{
    EXPECT_EQ(translated("Label1.Caption='one'\nLabel1.Small=3\nlabel1.caption='two'\n"),
              changed([](TTestForm& f) {
                  f.Label1->setText("two");
                  f.Label1->setSmallValue(3);
              }));
    // Another class's section is not applied.
    auto form = ui::makeComponent<TTestForm>(nullptr, nullptr);
    auto file = TbsINIFile::fromText("[TOtherForm]\nCaption='other'\n[TTestFormX]\nCaption='x'\n");
    translateComponent(*file, *form);
    EXPECT_EQ(form->caption(), "Designed caption");
}

TEST(PropertyWalk, AnUnknownIdentifierEndsTheFormAtThatEntry)
{
    struct Case {
        std::string value;
        std::string error;
    };
    const Case cases[] = {
        {"'False'", "Invalid property element: 'False'"},
        {"Maybe", "Invalid property element: Maybe"},
        {"", "Invalid property element: "},
        {"1", "Invalid property element: 1"},
    };
    for (const auto& c : cases) {
        auto form = ui::makeComponent<TTestForm>(nullptr, nullptr);
        auto file =
            TbsINIFile::fromText("[TTestForm]\nCaption='before'\nLabel1.Visible=" + c.value +
                                 "\nLabel1.Caption='after'\n");
        try {
            translateComponent(*file, *form);
            ADD_FAILURE() << c.value << " was accepted";
        } catch (const PropertyElementError& e) {
            EXPECT_EQ(e.what(), c.error);
        }
        EXPECT_EQ(form->caption(), "before");
        EXPECT_EQ(form->Label1->text(), "Designed label");
        EXPECT_TRUE(form->Label1->visible());
    }
}

TEST(Translation, FormsAreTranslatedOnCreationAndAfterEveryLanguageChange)
{
    TempDir dir, cwd;
    dir.write("English.lng", "[TTestForm]\nCaption='Settings'\nLabel1.Caption='Channel'\n");
    dir.write("German.lng", "[TTestForm]\nCaption='Einstellungen'\n");
    dir.write("Broken.lng", "[TTestForm]\nCaption='Broken'\nLabel1.Visible='False'\n"
                            "Label1.Caption='never'\n");
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    manager->setLangsDir(dir.dir());
    manager->setCurrentLang("English");

    // Translated once its components exist, before its own creation handler.
    auto form = ui::makeComponent<TTestForm>(nullptr, manager.get());
    auto second = ui::makeComponent<TTestForm>(nullptr, manager.get());
    EXPECT_EQ(form->captionAtCreate, "Settings");
    EXPECT_EQ(form->Label1->text(), "Channel");

    // A language without an entry leaves that text as the previous language set it.
    std::vector<std::string> events;
    form->bsPolyglotTranslator1->AfterTranslate = [&](ui::Persistent&) {
        events.push_back("form");
    };
    second->bsPolyglotTranslator1->AfterTranslate = [&](ui::Persistent&) {
        events.push_back("second");
    };
    manager->AfterAllTranslate = [&](ui::Persistent&) { events.push_back("all"); };
    manager->setCurrentLang("German");
    EXPECT_EQ(form->caption(), "Einstellungen");
    EXPECT_EQ(form->Label1->text(), "Channel");
    EXPECT_EQ(second->caption(), "Einstellungen");
    EXPECT_EQ(events, (std::vector<std::string>{"form", "second", "all"}));

    // A bad identifier stops the first form at that entry, skips the second form and the
    // manager's handler, and reaches whoever changed the language.
    events.clear();
    EXPECT_EQ(errorOf([&] { manager->setCurrentLang("Broken"); }),
              "Invalid property element: 'False'");
    EXPECT_EQ(form->caption(), "Broken");
    EXPECT_EQ(form->Label1->text(), "Channel");
    EXPECT_EQ(second->caption(), "Einstellungen");
    EXPECT_TRUE(events.empty());

    // A form made while that language is current fails in its creation.
    EXPECT_EQ(errorOf([&] { ui::makeComponent<TTestForm>(nullptr, manager.get()); }),
              "Invalid property element: 'False'");

    // Released forms are no longer translated.
    second.reset();
    manager->setCurrentLang("English");
    EXPECT_EQ(form->caption(), "Settings");
    EXPECT_EQ(manager->translators().size(), 1u);
}

TEST(Translation, OnlyFormsDataModulesAndFramesAreTranslated)
{
    TempDir dir, cwd;
    dir.write("English.lng", "[TComponent]\nTag=5\n[TTestForm]\nCaption='Settings'\n");
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    manager->setLangsDir(dir.dir());
    ASSERT_EQ(manager->CurrentLang(), "English");

    auto plain = ui::makeComponent<ui::Component>(nullptr);
    auto translator = new TbsPolyglotTranslator(plain.get());
    translator->setManager(manager.get());
    int calls = 0;
    translator->AfterTranslate = [&](ui::Persistent&) { ++calls; };
    translator->Translate();
    EXPECT_EQ(plain->tag(), 0);
    EXPECT_EQ(calls, 1);

    // Without a manager the form keeps its designed texts.
    auto form = ui::makeComponent<TTestForm>(nullptr, nullptr);
    EXPECT_EQ(form->caption(), "Designed caption");
    form->bsPolyglotTranslator1->setManager(manager.get());
    form->bsPolyglotTranslator1->Translate();
    EXPECT_EQ(form->caption(), "Settings");
}

TEST(Translation, AFileThatChangesTheLanguageWhileTranslatingIsNotFreedUnderTheWalk)
{
    TempDir dir, cwd;
    dir.write("English.lng", "[TTestForm]\nCaption='English'\n"
                             "bsPolyglotTranslator1.Manager.CurrentLang='French'\n"
                             "Label1.Caption='still English'\n");
    dir.write("French.lng", "[TTestForm]\nCaption='French'\n");
    ScopedWorkingDir inside(cwd.path());
    TbsCorePolyglot core;
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    manager->setLangsDir(dir.dir());
    manager->setCurrentLang("French");
    auto form = ui::makeComponent<TTestForm>(nullptr, manager.get());
    manager->setCurrentLang("English");
    EXPECT_EQ(manager->CurrentLang(), "French");
    EXPECT_EQ(form->Label1->text(), "still English");
}
