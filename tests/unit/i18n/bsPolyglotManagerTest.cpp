#include "i18n/bsPolyglotManager.h"

#include "TempDir.h"
#include "i18n/bsCorePolyglot.h"
#include "i18n/bsPolyglotTranslator.h"

#include "ui/Text.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

using namespace i18n;
using i18n::test::ScopedWorkingDir;
using i18n::test::TempDir;

namespace {

// A core over a folder with English and French, started in an empty working directory,
// with English selected.
struct CoreFixture {
    TempDir cwd;
    TempDir dir;
    ScopedWorkingDir inside{cwd.path()};
    std::unique_ptr<TbsCorePolyglot> core;

    CoreFixture()
    {
        dir.write("English.lng", "[ResourceStrings]\n65325='Error!'\n");
        dir.write("French.lng", "[ResourceStrings]\n65325='Erreur !'\n");
        core = std::make_unique<TbsCorePolyglot>();
        core->setLangsDir(dir.dir());
        core->SelectLang("English");
    }
};

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

TEST(bsPolyglotManager, WithoutACoreReadsAndWritesFailWithTheirTexts)
{
    ASSERT_EQ(TbsCorePolyglot::GetCorePolyglot(), nullptr);
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    const std::string noCoreToRead = "Core polyglot is not assigned.";
    const std::string noCoreToWrite = "Core multi lang is not assigned";
    EXPECT_EQ(errorOf([&] { manager->CurrentLang(); }), noCoreToRead);
    EXPECT_EQ(errorOf([&] { manager->LangsDir(); }), noCoreToRead);
    EXPECT_EQ(errorOf([&] { manager->LangsCount(); }), noCoreToRead);
    EXPECT_EQ(errorOf([&] { manager->Langs(0); }), noCoreToRead);
    EXPECT_EQ(errorOf([&] { manager->TranslateResourceStrings(); }), noCoreToRead);
    EXPECT_EQ(errorOf([&] { manager->setCurrentLang("English"); }), noCoreToWrite);
    EXPECT_EQ(errorOf([&] { manager->setLangsDir("x"); }), noCoreToWrite);
    EXPECT_EQ(errorOf([&] { manager->setTranslateResourceStrings(false); }), "<no error>");

    // A manager made before the core is not registered with it.
    CoreFixture fixture;
    int translations = 0;
    manager->AfterAllTranslate = [&](ui::Persistent&) { ++translations; };
    manager->setCurrentLang("French");
    EXPECT_EQ(manager->CurrentLang(), "French");
    EXPECT_EQ(translations, 0);
}

TEST(bsPolyglotManager, ChangingHandlersSeeOldAndNewValuesAndMayCancel)
{
    CoreFixture fixture;
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    std::vector<std::string> calls;
    bool cancel = false;
    manager->CurrentLangChanging = [&](ui::Persistent& sender, const std::string& oldLanguage,
                                       const std::string& newLanguage, bool& cancelled) {
        EXPECT_EQ(&sender, manager.get());
        EXPECT_FALSE(cancelled);
        calls.push_back("lang " + oldLanguage + "->" + newLanguage);
        cancelled = cancel;
    };
    manager->LangsDirChanging = [&](ui::Persistent&, const std::string& oldFolder,
                                    const std::string& newFolder, bool& cancelled) {
        calls.push_back("dir " + oldFolder + "->" + newFolder);
        cancelled = cancel;
    };
    manager->BeforeAllTranslate = [&](ui::Persistent&) { calls.push_back("before"); };
    manager->AfterAllTranslate = [&](ui::Persistent&) { calls.push_back("after"); };

    manager->setCurrentLang("English");
    EXPECT_EQ(calls, (std::vector<std::string>{"lang English->English"}));
    calls.clear();
    manager->setCurrentLang("French");
    EXPECT_EQ(calls, (std::vector<std::string>{"lang English->French", "before", "after"}));
    calls.clear();
    cancel = true;
    manager->setCurrentLang("English");
    manager->setLangsDir("elsewhere");
    EXPECT_EQ(manager->CurrentLang(), "French");
    EXPECT_EQ(manager->LangsCount(), 2);
    EXPECT_EQ(calls, (std::vector<std::string>{"lang French->English",
                                               "dir " + fixture.dir.dir() + "->elsewhere"}));

    manager->setTranslateResourceStrings(false);
    EXPECT_FALSE(fixture.core->TranslateResourceStrings());
    EXPECT_FALSE(manager->TranslateResourceStrings());
}

TEST(bsPolyglotManager, EveryRegisteredManagerTranslatesAfterAChangeInRegistrationOrder)
{
    CoreFixture fixture;
    std::vector<std::string> calls;
    auto first = ui::makeComponent<TbsPolyglotManager>(nullptr);
    auto second = ui::makeComponent<TbsPolyglotManager>(nullptr);
    auto third = ui::makeComponent<TbsPolyglotManager>(nullptr);
    first->AfterAllTranslate = [&](ui::Persistent&) { calls.push_back("first"); };
    second->AfterAllTranslate = [&](ui::Persistent&) { calls.push_back("second"); };
    third->AfterAllTranslate = [&](ui::Persistent&) { calls.push_back("third"); };
    // Registering twice keeps one place.
    fixture.core->RegisterManager(*first);
    second.reset();

    third->setCurrentLang("French");
    EXPECT_EQ(calls, (std::vector<std::string>{"first", "third"}));
    EXPECT_EQ(third->Langs(1), first->Langs(1));
}

TEST(bsPolyglotManager, TranslatorsRegisterOnceAndDetachWhicheverGoesFirst)
{
    CoreFixture fixture;
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    auto a = ui::makeComponent<TbsPolyglotTranslator>(nullptr);
    auto b = ui::makeComponent<TbsPolyglotTranslator>(nullptr);
    std::vector<std::string> calls;
    for (auto* t : {a.get(), b.get()}) {
        std::string name = t == a.get() ? "a" : "b";
        t->BeforeTranslate = [&calls, name](ui::Persistent&) { calls.push_back(name + "<"); };
        t->AfterTranslate = [&calls, name](ui::Persistent&) { calls.push_back(name + ">"); };
    }
    b->setManager(manager.get());
    a->setManager(manager.get());
    a->setManager(manager.get());
    manager->RegisterTranslator(*a);
    EXPECT_EQ(manager->translators(), (std::vector<TbsPolyglotTranslator*>{b.get(), a.get()}));

    // Without an owner to translate, the events still run, in registration order.
    manager->setCurrentLang("French");
    EXPECT_EQ(calls, (std::vector<std::string>{"b<", "b>", "a<", "a>"}));

    b.reset();
    EXPECT_EQ(manager->translators(), std::vector<TbsPolyglotTranslator*>{a.get()});
    manager.reset();
    EXPECT_EQ(a->Manager(), nullptr);
}

TEST(bsPolyglotManager, AnErrorOfATranslatorEndsTranslateAll)
{
    CoreFixture fixture;
    auto manager = ui::makeComponent<TbsPolyglotManager>(nullptr);
    auto failing = ui::makeComponent<TbsPolyglotTranslator>(nullptr);
    auto later = ui::makeComponent<TbsPolyglotTranslator>(nullptr);
    failing->setManager(manager.get());
    later->setManager(manager.get());
    std::vector<std::string> calls;
    failing->BeforeTranslate = [&](ui::Persistent&) { throw ui::Error("broken"); };
    failing->AfterTranslate = [&](ui::Persistent&) { calls.push_back("failing after"); };
    later->BeforeTranslate = [&](ui::Persistent&) { calls.push_back("later"); };
    manager->AfterAllTranslate = [&](ui::Persistent&) { calls.push_back("all after"); };
    EXPECT_EQ(errorOf([&] { manager->setCurrentLang("French"); }), "broken");
    EXPECT_TRUE(calls.empty());
    // The language did change.
    EXPECT_EQ(manager->CurrentLang(), "French");
}
