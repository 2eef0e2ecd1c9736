#include "profile/SoundsDlg.h"

#include "ui/Application.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/User.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

using namespace profile;
namespace user = ui::headless;
using ui::ModalResult;

namespace {

class SoundsDlgTest : public ::testing::Test {
protected:
    ui::headless::HeadlessBackend backend;
    ui::Application app;
    TSoundsDlg& dlg = *new TSoundsDlg(&app, nullptr);

    // Shows the dialog modally; `act` is what the user does in it.
    ModalResult show(const std::function<ModalResult(TSoundsDlg&)>& act)
    {
        backend.answerModalForms([&](ui::Form&) { return act(dlg); });
        return dlg.showModal();
    }

    struct Shown {
        bool defaultChecked;
        bool customChecked;
        std::string path;
        bool pathEnabled;
        friend bool operator==(const Shown&, const Shown&) = default;
    };
    Shown shown() const
    {
        return {dlg.RadioButton1->checked(), dlg.RadioButton2->checked(), dlg.Edit1->text(),
                dlg.Edit1->enabled()};
    }
};

TEST_F(SoundsDlgTest, PrimingSelectsTheBuiltInSoundOnlyForTheDefaultWord)
{
    EXPECT_EQ(shown(), (Shown{false, false, "", true})); // as first created
    struct Case {
        std::string value;
        Shown expected;
        std::string readBack;
    };
    const Case cases[] = {
        {"C:\\Sounds\\alpha.wav",
         {false, true, "C:\\Sounds\\alpha.wav", true},
         "C:\\Sounds\\alpha.wav"},
        {"DEFAULT", {true, false, "", false}, "DEFAULT"},
        {"dEfAuLt", {true, false, "", false}, "DEFAULT"},
        {"", {false, true, "", true}, ""},
        {" DEFAULT", {false, true, " DEFAULT", true}, " DEFAULT"},
        {"DEFAULTS", {false, true, "DEFAULTS", true}, "DEFAULTS"},
        {"D\xC9"
         "FAULT",
         {false, true,
          "D\xC9"
          "FAULT",
          true},
         "D\xC9"
         "FAULT"},
    };
    for (const Case& c : cases) {
        dlg.prime(c.value);
        EXPECT_EQ(shown(), c.expected) << c.value;
        EXPECT_EQ(dlg.chosenSound(), c.readBack) << c.value;
    }
}

TEST_F(SoundsDlgTest, TheUsersChoiceIsReadBackAndKeptForTheNextShowing)
{
    dlg.prime("DEFAULT");
    // "Custom" with a path typed by hand that names no file: accepted as it stands.
    EXPECT_EQ(show([](TSoundsDlg& d) {
                  user::click(*d.RadioButton2);
                  EXPECT_TRUE(d.Edit1->enabled());
                  user::typeText(*d.Edit1, "Z:\\no\\such.wav");
                  user::click(*d.OkBtn);
                  return ModalResult::None;
              }),
              ModalResult::Ok);
    EXPECT_EQ(dlg.chosenSound(), "Z:\\no\\such.wav");

    // Cancel after changing the choice keeps the change in the dialog; the path text stays
    // while "Default Sound" disables its field.
    EXPECT_EQ(show([](TSoundsDlg& d) {
                  EXPECT_EQ(d.Edit1->text(), "Z:\\no\\such.wav");
                  user::click(*d.RadioButton1);
                  user::click(*d.CancelBtn);
                  return ModalResult::None;
              }),
              ModalResult::Cancel);
    EXPECT_EQ(shown(), (Shown{true, false, "Z:\\no\\such.wav", false}));
    EXPECT_EQ(dlg.chosenSound(), "DEFAULT");

    // "Custom" with the path emptied gives the empty text.
    show([](TSoundsDlg& d) {
        user::click(*d.RadioButton2);
        d.Edit1->textEdited("");
        user::click(*d.OkBtn);
        return ModalResult::None;
    });
    EXPECT_EQ(dlg.chosenSound(), "");
}

TEST_F(SoundsDlgTest, BrowsingFillsThePathButLeavesTheChoice)
{
    dlg.prime("DEFAULT");
    std::optional<std::string> chosen = "C:\\Sounds\\bell.wav";
    backend.answerFileDialogs([&](ui::OpenDialog& d) {
        // The file and its folder must exist; the user cannot ask for read-only opening.
        EXPECT_EQ(d.options() & (ui::ofFileMustExist | ui::ofPathMustExist | ui::ofHideReadOnly),
                  ui::ofFileMustExist | ui::ofPathMustExist | ui::ofHideReadOnly);
        EXPECT_EQ(d.filter(), "Wave Files|*.wav");
        EXPECT_EQ(d.defaultExt(), "wav");
        return chosen;
    });
    show([](TSoundsDlg& d) {
        user::click(*d.BrowseBtn); // works with the path field disabled
        user::click(*d.OkBtn);
        return ModalResult::None;
    });
    EXPECT_EQ(shown(), (Shown{true, false, "C:\\Sounds\\bell.wav", false}));
    EXPECT_EQ(dlg.chosenSound(), "DEFAULT"); // not used until "Custom" is selected

    chosen.reset(); // the user cancels the file dialog
    show([](TSoundsDlg& d) {
        user::click(*d.RadioButton2);
        user::click(*d.BrowseBtn);
        user::click(*d.OkBtn);
        return ModalResult::None;
    });
    EXPECT_EQ(dlg.chosenSound(), "C:\\Sounds\\bell.wav");
    EXPECT_EQ(backend.fileDialogs(),
              (std::vector<std::string>{"Select Custom Sound", "Select Custom Sound"}));
}

// Sounds on other computers are never played: a file picked there is not taken, and the
// user is told why and what to do instead. A folder or file name that a language file gave
// the file dialog is dropped before the dialog opens when it names another computer.
TEST_F(SoundsDlgTest, AFileOnAnotherComputerIsNotTakenAndTheUserIsToldToCopyIt)
{
    app.setTitle("Kestrion");
    dlg.prime("C:\\Sounds\\bell.wav");
    for (const std::string remote :
         {"\\\\host\\share\\a.wav", "//host/share/a.wav", "\\\\?\\UNC\\host\\share\\a.wav"}) {
        dlg.OpenDialog1->setInitialDir("\\\\host\\share");
        dlg.OpenDialog1->setFileName("\\\\host\\share\\old.wav");
        backend.clearMessageBoxes();
        backend.answerFileDialogs([&](ui::OpenDialog& d) -> std::optional<std::string> {
            EXPECT_EQ(d.initialDir(), "") << remote;
            EXPECT_EQ(d.fileName(), "") << remote;
            return remote;
        });
        show([](TSoundsDlg& d) {
            user::click(*d.BrowseBtn);
            user::click(*d.OkBtn);
            return ModalResult::None;
        });
        EXPECT_EQ(dlg.chosenSound(), "C:\\Sounds\\bell.wav") << remote;
        ASSERT_EQ(backend.messageBoxes().size(), 1u) << remote;
        EXPECT_EQ(
            backend.messageBoxes()[0],
            (ui::MessageBoxRequest{"Sounds on other computers are not played. Copy the file "
                                   "to this computer and choose it there:\r\n" +
                                       remote,
                                   "Kestrion", ui::MessageIcon::Warning, ui::MessageButtons::Ok}))
            << remote;
    }

    // A folder and a file on this computer stay as they were given.
    dlg.OpenDialog1->setInitialDir("D:\\Sounds");
    dlg.OpenDialog1->setFileName("D:\\Sounds\\old.wav");
    backend.answerFileDialogs([&](ui::OpenDialog& d) -> std::optional<std::string> {
        EXPECT_EQ(d.initialDir(), "D:\\Sounds");
        EXPECT_EQ(d.fileName(), "D:\\Sounds\\old.wav");
        return std::string("D:\\Sounds\\gong.wav");
    });
    show([](TSoundsDlg& d) {
        user::click(*d.BrowseBtn);
        user::click(*d.OkBtn);
        return ModalResult::None;
    });
    EXPECT_EQ(dlg.chosenSound(), "D:\\Sounds\\gong.wav");
}

TEST_F(SoundsDlgTest, OnlyTheFocusedButtonTakesEnterAndEscapeDoesNothing)
{
    struct Case {
        const char* what;
        std::function<void(TSoundsDlg&)> act;
        ModalResult expected; // None: the dialog is still open
    };
    const Case cases[] = {
        {"Enter in the path field",
         [](TSoundsDlg& d) {
             d.RadioButton2->setChecked(true);
             d.Edit1->setFocus();
             user::pressKey(d, ui::vk::Return);
         },
         ModalResult::None},
        {"Escape", [](TSoundsDlg& d) { user::pressKey(d, ui::vk::Escape); }, ModalResult::None},
        {"Enter on OK",
         [](TSoundsDlg& d) {
             d.OkBtn->setFocus();
             user::pressKey(d, ui::vk::Return);
         },
         ModalResult::Ok},
        {"Enter on Cancel",
         [](TSoundsDlg& d) {
             d.CancelBtn->setFocus();
             user::pressKey(d, ui::vk::Return);
         },
         ModalResult::Cancel},
        {"close button", [](TSoundsDlg& d) { user::closeForm(d); }, ModalResult::Cancel},
    };
    for (const Case& c : cases) {
        ModalResult during = ModalResult::None;
        const ModalResult result = show([&](TSoundsDlg& d) {
            c.act(d);
            during = d.modalResult();
            return ModalResult::Abort; // closes a dialog that is still open
        });
        EXPECT_EQ(during, c.expected) << c.what;
        EXPECT_EQ(result, c.expected == ModalResult::None ? ModalResult::Abort : c.expected)
            << c.what;
    }
}

TEST_F(SoundsDlgTest, TabVisitsTheControlsInTheirOrder)
{
    show([](TSoundsDlg& d) {
        const ui::WinControl* expected[] = {d.RadioButton1, d.RadioButton2, d.Edit1,
                                            d.BrowseBtn,    d.OkBtn,        d.CancelBtn,
                                            d.RadioButton1};
        EXPECT_EQ(d.activeControl(), expected[0]); // the first control has the focus at first
        for (std::size_t i = 1; i < std::size(expected); ++i) {
            user::pressKey(d, ui::vk::Tab);
            EXPECT_EQ(d.activeControl(), expected[i]) << i;
        }
        return ModalResult::Cancel;
    });
}

} // namespace

TEST_F(SoundsDlgTest, TheFileFieldAndItsButtonHaveNamesAScreenReaderReads)
{
    // The radio buttons and OK and Cancel are named by the system after their captions.
    EXPECT_EQ(dlg.Edit1->accessibleName(), "Sound file");
    EXPECT_EQ(dlg.BrowseBtn->accessibleName(), "Browse for a sound file");
    EXPECT_EQ(dlg.RadioButton2->accessibleName(), "");
    EXPECT_EQ(dlg.OkBtn->accessibleName(), "");
}
