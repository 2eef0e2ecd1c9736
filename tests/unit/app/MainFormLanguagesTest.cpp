// The main window and its languages, run headlessly over fake services: the Language menu,
// the language the program starts in, language files that cannot be read, and the storing
// of the language in the profile.

#include "MainFormFixture.h"

#include "i18n/bsINIFile.h"
#include "ui/Text.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>

using app::TMainForm;
using namespace mainformtest;
using testing::ElementsAre;
using testing::IsEmpty;
namespace fs = std::filesystem;

namespace {

TEST_F(MainFormTest, LanguagesAreListedSelectedAndRemembered)
{
    fs::create_directories(file("language"));
    write(file("language/English.lng"), "[TMainForm]\r\nExit1.Caption='E&xit'\r\n");
    write(file("language/Deutsch.lng"),
          "[TMainForm]\r\nExit1.Caption='&Beenden'\r\nLanguage1.Caption='Sprache'\r\n"
          "[ResourceStrings]\r\n65323='Bereit...'\r\n");
    write(homeProfile, "[options]\r\nlanguage=English\r\n");
    TMainForm& f = start();
    ASSERT_EQ(f.Language1->count(), 2);
    EXPECT_TRUE(f.Language1->visible());
    ui::MenuItem* deutsch =
        f.Language1->item(0)->caption() == "Deutsch" ? f.Language1->item(0) : f.Language1->item(1);
    ui::headless::chooseMenuItem(*deutsch);
    EXPECT_EQ(f.Exit1->caption(), "&Beenden");
    EXPECT_EQ(f.Language1->caption(), "Sprache");
    EXPECT_TRUE(deutsch->checked());
    EXPECT_EQ(profile::readText(homeProfile, "options", "language", ""), "Deutsch");
    send(0x40D);
    EXPECT_EQ(f.ChannelLCD->Caption(), "Bereit...");
    // The display names the lobby in the language; the client is still asked for its lobby.
    write(file("language/Deutsch.lng"), "[ResourceStrings]\r\n65360='Lobby'\r\n");
    ui::headless::chooseMenuItem(
        *(deutsch == f.Language1->item(0) ? f.Language1->item(1) : f.Language1->item(0)));
    ui::headless::chooseMenuItem(*deutsch);
    const std::size_t sent = commands().size();
    send(0x40C);
    EXPECT_EQ(f.ChannelLCD->Caption(), "Lobby");
    ASSERT_EQ(commands().size(), sent + 1);
    EXPECT_EQ(commands().back(), "/join1 127.0.0.1/ ");
}

TEST_F(MainFormTest, ColoursFromALanguageFileAdmitTheSystemColours)
{
    fs::create_directories(file("language"));
    write(file("language/English.lng"),
          "[TMainForm]\r\nChannelLCD.PixelOn=$8000000F\r\nChannelLCD.PixelOff=$FF000000\r\n"
          "ChannelLCD.BackGround=$80000005\r\nChannelLCD.BorderColor=0x80000010\r\n"
          "Font.Color=$80000012\r\n");
    write(homeProfile, "[options]\r\nlanguage=English\r\n");
    TMainForm& f = start();
    EXPECT_EQ(f.ChannelLCD->PixelOn(), ui::clBtnFace);
    EXPECT_EQ(f.ChannelLCD->PixelOff(), 0xFF000000u);
    EXPECT_EQ(f.ChannelLCD->BackGround(), ui::clWindow);
    EXPECT_EQ(f.ChannelLCD->BorderColor(), ui::clBtnShadow);
    EXPECT_EQ(f.font().color(), 0x80000012u);
}

// Names for a language that the program's folder lists before English (which one does
// depends on the file system).
std::vector<std::string> otherLanguageFiles()
{
    return {"Deutsch.lng", "Francais.lng", "Italiano.lng",  "Nederlands.lng", "Svenska.lng",
            "Dansk.lng",   "Norsk.lng",    "Suomi.lng",     "Polski.lng",     "Magyar.lng",
            "Cesky.lng",   "Espanol.lng",  "Portugues.lng", "Turkce.lng",     "Eesti.lng"};
}

const char EnglishFile[] = "[TMainForm]\r\nExit1.Caption='E&xit (en)'\r\n";
const char OtherFile[] = "[TMainForm]\r\nExit1.Caption='&Beenden'\r\n";

// Started from a working folder of its own (the tests' folder has no languages), with the
// program's folder listing another language first: the profile's stored language is what
// the program comes up in, and the profile keeps it.
TEST_F(MainFormTest, TheProfilesLanguageWinsOverTheFirstOneTheProgramsFolderLists)
{
    auto other = testsupport::writeFolderListedFirst(
        file("language"), {{"English.lng", EnglishFile}}, otherLanguageFiles(), OtherFile);
    ASSERT_TRUE(other) << "no name is listed before English.lng";
    write(homeProfile, "[options]\r\nlanguage=English\r\n");
    TMainForm& f = start();
    EXPECT_EQ(f.bsPolyglotManager1->CurrentLang(), "English");
    EXPECT_EQ(f.Exit1->caption(), "E&xit (en)");
    EXPECT_EQ(profile::readText(homeProfile, "options", "language", ""), "English");
    EXPECT_THAT(commands(), ElementsAre("/join1 127.0.0.1/ "));
}

// A language file that cannot be read (here one over the size limit) must not end the
// program: English is selected instead, silently, and when English cannot be read either,
// the program goes on with no language file at all.
struct UnreadableLanguageCase {
    const char* what;
    bool englishReadable;
    bool storedInProfile; // the unreadable language is the profile's
    const char* exitCaption;
};

class UnreadableLanguageTest : public MainFormTest {
protected:
    void check(const UnreadableLanguageCase& c, int n)
    {
        SCOPED_TRACE(c.what);
        // A program folder of its own for each case: the localization core lives on.
        const std::string folder = file("program" + std::to_string(n));
        programPath = folder + "/kestrion.exe";
        homeProfile = folder + "/kestrion.ini";
        auto bad = testsupport::writeFolderListedFirst(
            folder + "/language", {{"English.lng", EnglishFile}}, otherLanguageFiles(), OtherFile);
        ASSERT_TRUE(bad) << "no name is listed before English.lng";
        fs::resize_file(folder + "/language/" + *bad, i18n::TbsINIFile::kMaxFileSize + 1);
        if (!c.englishReadable)
            fs::resize_file(folder + "/language/English.lng", i18n::TbsINIFile::kMaxFileSize + 1);
        const std::string badName = bad->substr(0, bad->size() - 4);
        write(homeProfile, c.storedInProfile ? "[options]\r\nlanguage=" + badName + "\r\n"
                                             : std::string("[channels]\r\ncount=0\r\n"));
        clearRecords();
        const auto launches = fakes.processes.launches().size();
        TMainForm& f = start();
        EXPECT_EQ(f.Exit1->caption(), c.exitCaption);
        EXPECT_TRUE(ui::sameText(f.bsPolyglotManager1->CurrentLang(), "english"))
            << f.bsPolyglotManager1->CurrentLang();
        EXPECT_EQ(fakes.processes.launches().size(), launches + 1);
        EXPECT_EQ(newCommands(), std::vector<std::string>{"/join1 127.0.0.1/ "});
        EXPECT_FALSE(application.terminated());
        EXPECT_THAT(backend.messageBoxes(), IsEmpty());
        ui::destroy(form->SoundsDlg);
        ui::destroy(form);
        form = nullptr;
    }
};

TEST_F(UnreadableLanguageTest, AnUnreadableLanguageGivesWayToEnglishAndTheProgramStarts)
{
    check({"listed first", true, false, "E&xit (en)"}, 1);
    check({"the profile's", true, true, "E&xit (en)"}, 2);
}

TEST_F(UnreadableLanguageTest, WithEnglishUnreadableTooTheProgramStartsWithoutALanguageFile)
{
    // The localization core is made afresh for this test: no language file is loaded when
    // the forms are made, and none can be loaded after; the forms keep their own texts.
    check({"English unreadable too", false, false, "E&xit"}, 1);
}

// Storing the language follows every change of language. A profile that cannot be written
// is no reason for a message when the store merely follows the loading of a profile; when
// the user picks a language from the menu, the failure is shown.
TEST_F(MainFormTest, AReadOnlyProfileStartsWithoutAMessageAndAPickedLanguageReportsTheStore)
{
    auto other = testsupport::writeFolderListedFirst(
        file("language"), {{"English.lng", EnglishFile}}, otherLanguageFiles(), OtherFile);
    ASSERT_TRUE(other);
    const std::string otherName = other->substr(0, other->size() - 4);
    write(homeProfile, "[channels]\r\ncount=0\r\n");
    fs::permissions(homeProfile,
                    fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    TMainForm& f = start();
    EXPECT_THAT(backend.messageBoxes(), IsEmpty());
    EXPECT_EQ(fakes.processes.launches().size(), 1u);
    EXPECT_THAT(commands(), ElementsAre("/join1 127.0.0.1/ "));

    // Opening another read-only profile that names the other language: silent too.
    write(file("team.ini"), "[options]\r\nlanguage=" + otherName + "\r\n");
    fs::permissions(file("team.ini"), fs::perms::owner_read);
    fs::permissions(homeProfile, fs::perms::owner_read | fs::perms::owner_write);
    backend.answerFileDialogs([&](ui::OpenDialog&) { return file("team.ini"); });
    ui::headless::chooseMenuItem(*f.Open1);
    EXPECT_EQ(f.Exit1->caption(), "&Beenden");
    EXPECT_THAT(backend.messageBoxes(), IsEmpty());

    // The user picks English: the profile cannot take it, and says so.
    ui::MenuItem* english = nullptr;
    for (ui::MenuItem* item : f.Language1->items())
        if (item->caption() == "English")
            english = item;
    ASSERT_NE(english, nullptr);
    ui::headless::chooseMenuItem(*english);
    EXPECT_EQ(f.Exit1->caption(), "E&xit (en)");
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0].text, "Unable to write to " + file("team.ini"));
}

TEST_F(MainFormTest, TheLanguageInUseIsCheckedWhateverTheLetterCaseOfItsName)
{
    fs::create_directories(file("language"));
    write(file("language/English.lng"), "[TMainForm]\r\nExit1.Caption='E&xit'\r\n");
    write(file("language/Deutsch.lng"), "[TMainForm]\r\nExit1.Caption='&Beenden'\r\n");
    // Whichever of the two the folder lists first, the other one is checked only when the
    // names are matched without regard to letter case.
    auto checked = [](TMainForm& f) {
        std::vector<std::string> out;
        for (ui::MenuItem* item : f.Language1->items())
            if (item->checked())
                out.push_back(item->caption());
        return out;
    };
    write(homeProfile, "[options]\r\nlanguage=english\r\n");
    TMainForm& f = start();
    EXPECT_EQ(checked(f), std::vector<std::string>{"English"});
    EXPECT_EQ(f.Exit1->caption(), "E&xit");

    write(homeProfile, "[options]\r\nlanguage=DEUTSCH\r\n");
    f.LoadProfile(homeProfile);
    EXPECT_EQ(checked(f), std::vector<std::string>{"Deutsch"});
    EXPECT_EQ(f.Exit1->caption(), "&Beenden");
}

TEST_F(MainFormTest, NoLanguageFolderHidesTheLanguageMenu)
{
    TMainForm& f = start();
    EXPECT_FALSE(f.Language1->visible());
    EXPECT_EQ(f.Language1->count(), 0);
}

} // namespace
