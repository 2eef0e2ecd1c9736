#include "TestForm.h"

#include "ui/Application.h"
#include "ui/Text.h"
#include "ui/headless/HeadlessBackend.h"
#include "ui/headless/User.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

using Log = std::vector<std::string>;
namespace user = ui::headless;

struct FormTest : ::testing::Test {
    ui::headless::HeadlessBackend backend;
    ui::Application app;
    TTestForm& form = app.createForm<TTestForm>();

    FormTest()
    {
        app.setTitle("Kestrion");
        form.show();
        form.log.clear();
    }
};

TEST_F(FormTest, ComponentsAndTheirPropertiesAreReachedByNameAndKind)
{
    struct Case {
        const char* component; // empty: the form itself
        const char* property;
        ui::PropertyKind kind;
    };
    const Case cases[] = {
        {"", "caption", ui::PropertyKind::Text},
        {"", "Font", ui::PropertyKind::Object},
        {"", "ClientWidth", ui::PropertyKind::Integer},
        {"exit1", "Caption", ui::PropertyKind::Text},
        {"Exit1", "Checked", ui::PropertyKind::Enumeration},
        {"EXIT1", "OnClick", ui::PropertyKind::Other},
        {"TrackBar1", "position", ui::PropertyKind::Integer},
        {"TrackBar1", "Orientation", ui::PropertyKind::Enumeration},
        {"ListBox1", "Items", ui::PropertyKind::Object},
        {"ListBox1", "Hint", ui::PropertyKind::Text},
        {"Edit1", "Text", ui::PropertyKind::Text},
        {"PasswordEdit", "PasswordChar", ui::PropertyKind::Other},
        {"CheckBox2", "HelpContext", ui::PropertyKind::Integer},
        {"OkBtn", "ModalResult", ui::PropertyKind::Enumeration},
        {"Bevel1", "Shape", ui::PropertyKind::Enumeration},
        {"OpenDialog1", "Filter", ui::PropertyKind::Text},
        {"PopupMenu1", "AutoHotkeys", ui::PropertyKind::Enumeration},
    };
    for (const Case& c : cases) {
        ui::Component* target = *c.component ? form.findComponent(c.component) : &form;
        ASSERT_NE(target, nullptr) << c.component;
        const ui::PropertyInfo* p = ui::findProperty(*target, c.property);
        ASSERT_NE(p, nullptr) << c.component << "." << c.property;
        EXPECT_EQ(p->kind(), c.kind) << c.component << "." << c.property;
    }
    EXPECT_EQ(form.className(), "TTestForm");
    EXPECT_EQ(form.FindChildControl("panel1")->className(), "TPanel");
    EXPECT_EQ(form.Panel1->FindChildControl("LABEL2"), form.Label2);
    EXPECT_EQ(form.FindChildControl("Label2"), nullptr);

    // Writes by name reach the controls' setters: the list and the form's font follow.
    auto* items = dynamic_cast<ui::StringList*>(
        ui::findProperty(*form.ListBox1, "Items")->object(*form.ListBox1));
    ASSERT_NE(items, nullptr);
    items->assign({"a", "b"});
    EXPECT_EQ(form.ListBox1->items().count(), 2);
    ui::Persistent* font = ui::findProperty(form, "Font")->object(form);
    ui::findProperty(*font, "Name")->setText(*font, "Tahoma");
    EXPECT_EQ(form.Label2->font().name(), "Tahoma");
    EXPECT_EQ(ui::findProperty(*form.Label2, "visible")->setIdentifier(*form.Label2, "false"),
              ui::SetResult::Done);
    EXPECT_FALSE(form.Label2->visible());
}

TEST_F(FormTest, TrackBarReportsUserScrollsAndProgramChangesButNotRepeatedPositions)
{
    struct Step {
        const char* what;
        std::function<void(ui::TrackBar&)> act;
        Log expected;
    };
    const Step steps[] = {
        {"program move", [](ui::TrackBar& b) { b.setPosition(3); }, {"bar 3"}},
        {"same position by program", [](ui::TrackBar& b) { b.setPosition(3); }, {}},
        {"user scroll", [](ui::TrackBar& b) { user::scroll(b, 4); }, {"bar 4"}},
        {"user scroll that stays", [](ui::TrackBar& b) { user::scroll(b, 4); }, {"bar 4"}},
        {"beyond the end", [](ui::TrackBar& b) { b.setPosition(99); }, {"bar 5"}},
        {"below the start", [](ui::TrackBar& b) { b.setPosition(-1); }, {"bar 0"}},
        {"new max moves the thumb",
         [](ui::TrackBar& b) {
             b.setPosition(5);
             b.setMax(2);
         },
         {"bar 5", "bar 2"}},
        {"detached handler",
         [](ui::TrackBar& b) {
             auto handler = b.OnChange;
             b.OnChange = nullptr;
             b.setMin(0);
             b.setMax(0);
             b.OnChange = handler;
         },
         {}},
        {"disabled bar takes no scroll",
         [](ui::TrackBar& b) {
             b.setEnabled(false);
             user::scroll(b, 0);
             b.setEnabled(true);
         },
         {}},
    };
    for (const Step& s : steps) {
        form.log.clear();
        s.act(*form.TrackBar1);
        EXPECT_EQ(form.log, s.expected) << s.what;
    }
    EXPECT_EQ(form.TrackBar1->position(), 0);
    EXPECT_EQ(form.TrackBar1->boundsRect(), (ui::Box{0, 259, 400, 300}));
}

TEST_F(FormTest, MenusRunHandlersKeepRadioGroupsAndGiveAccessKeys)
{
    EXPECT_TRUE(user::chooseMenuItem(*form.RadioB1));
    EXPECT_TRUE(form.RadioB1->checked());
    EXPECT_FALSE(form.RadioA1->checked());
    EXPECT_TRUE(form.Sounds1->checked() == false);
    EXPECT_TRUE(user::chooseMenuItem(*form.Exit1));
    form.Options1->setEnabled(false);
    EXPECT_FALSE(user::chooseMenuItem(*form.Sounds1));
    form.Options1->setEnabled(true);
    EXPECT_FALSE(user::chooseMenuItem(*form.File1)); // a submenu is opened, not chosen
    EXPECT_EQ(form.log, (Log{"radio B", "exit 1"}));
    EXPECT_EQ(form.MainMenu1->findByCommand(form.Exit1->command()), form.Exit1);

    // The menu bar keeps captions as written; the Channels submenu marks access keys.
    form.addChannelItems({"Alpha", "Bravo", "C", "D", "E", "F", "G", "H", "I", "Kilo"});
    struct Case {
        int index;
        const char* caption;
        char key;
    };
    const Case cases[] = {
        {0, "&1 - Alpha", '1'},
        {1, "&2 - Bravo", '2'},
        {8, "&9 - I", '9'},
        {9, "1&0 - Kilo", '0'},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(form.Channels1->item(c.index)->caption(), c.caption);
        EXPECT_EQ(form.Channels1->item(c.index)->accessKey(), c.key);
    }
    EXPECT_EQ(form.Exit1->accessKey(), 'X');
    EXPECT_EQ(form.Sounds1->caption(), "&Disable Sounds");
    auto* plain = new ui::MenuItem(&form);
    plain->setCaption("Deutsch");
    form.File1->add(plain);
    EXPECT_EQ(plain->caption(), "Deutsch");
    EXPECT_EQ(form.File1->item(3), plain);

    form.log.clear();
    user::chooseMenuItem(*form.Channels1->item(1));
    user::chooseMenuItem(*form.Channels1->item(3));
    EXPECT_FALSE(form.Channels1->item(1)->checked());
    EXPECT_TRUE(form.Channels1->item(3)->checked());
    EXPECT_EQ(form.log, (Log{"channel 2", "channel 4"}));

    // Deleting items takes them out of their menu and frees their command numbers.
    const std::uint32_t command = form.Channels1->item(9)->command();
    ui::destroy(form.Channels1->item(9));
    EXPECT_EQ(form.Channels1->count(), 9);
    EXPECT_EQ(form.MainMenu1->findByCommand(command), nullptr);
}

TEST_F(FormTest, ListBoxRightClickOpensItsMenuWithoutChangingTheSelection)
{
    EXPECT_TRUE(user::selectItem(*form.ListBox1, 1));
    form.ListBox1->setItemIndex(0); // by program: no click
    EXPECT_EQ(form.log, (Log{"select 1"}));

    form.log.clear();
    backend.answerPopupMenus([&](ui::PopupMenu& menu, int, int) {
        EXPECT_EQ(&menu, form.PopupMenu1);
        EXPECT_TRUE(form.Delete1->enabled());
        EXPECT_FALSE(form.MoveUp1->enabled()); // the first line is selected
        return form.MoveUp1;                   // disabled: choosing it does nothing
    });
    EXPECT_TRUE(user::rightClick(*form.ListBox1, 300, 200));
    EXPECT_EQ(form.ListBox1->itemIndex(), 0);
    backend.answerPopupMenus([&](ui::PopupMenu&, int, int) { return form.Delete1; });
    user::rightClick(*form.ListBox1, 301, 201);
    EXPECT_EQ(form.log, (Log{"popup", "popup", "delete"}));
    EXPECT_EQ(backend.popupPoints(), (std::vector<std::pair<int, int>>{{300, 200}, {301, 201}}));
    EXPECT_FALSE(user::rightClick(*form.Edit1, 1, 1)); // no menu there

    // The selection survives edits of the lines while it stays inside the list.
    form.ListBox1->setItemIndex(2);
    form.ListBox1->items().remove(0);
    EXPECT_EQ(form.ListBox1->itemIndex(), -1);
    form.ListBox1->setItemIndex(1);
    form.ListBox1->items().set(1, "Charlie 2");
    EXPECT_EQ(form.ListBox1->itemIndex(), 1);
    form.ListBox1->setTopIndex(7);
    EXPECT_EQ(form.ListBox1->topIndex(), 1);
    // A popup menu that goes is forgotten by the list.
    ui::destroy(form.PopupMenu1);
    EXPECT_EQ(form.ListBox1->popupMenu(), nullptr);
    EXPECT_FALSE(user::rightClick(*form.ListBox1, 1, 1));
}

TEST_F(FormTest, KeysFollowTheDialogRulesThenReachTheFocusedField)
{
    struct Step {
        std::uint16_t key;
        std::uint8_t shift;
        const char* keyEditText;
        const char* focused;
    };
    form.KeyEdit->setFocus();
    const Step steps[] = {
        {ui::vk::F5, ui::ssCtrl, "116", "KeyEdit"},
        {ui::vk::Shift, ui::ssShift, "116", "KeyEdit"},
        {ui::vk::Return, ui::ssNone, "13", "KeyEdit"}, // no default button: the field gets it
        {ui::vk::Left, ui::ssNone, "37", "KeyEdit"},
        {ui::vk::Tab, ui::ssNone, "37", "PasswordEdit"},
        {ui::vk::Tab, ui::ssShift, "37", "KeyEdit"},
    };
    for (const Step& s : steps) {
        user::pressKey(form, s.key, s.shift);
        EXPECT_EQ(form.KeyEdit->text(), s.keyEditText) << s.key;
        ASSERT_NE(form.activeControl(), nullptr);
        EXPECT_EQ(form.activeControl()->name(), s.focused) << s.key;
    }
    // Read-only: typing does nothing; the other fields take it and report each change.
    EXPECT_FALSE(user::typeText(*form.KeyEdit, "x"));
    EXPECT_EQ(form.KeyEdit->text(), "37");
    EXPECT_TRUE(user::typeText(*form.Edit1, "!"));
    form.Edit1->setText("");
    EXPECT_EQ(form.log, (Log{"edit Channel Name!", "edit "}));
    EXPECT_EQ(form.activeControl(), form.Edit1);
    // Tab order starts with the track bar, which was moved to the front.
    form.setActiveControl(nullptr);
    user::pressKey(form, ui::vk::Tab);
    EXPECT_EQ(form.activeControl(), form.TrackBar1);
}

TEST_F(FormTest, ModalShowingEndsWithTheResultOfTheButtonThatClosedIt)
{
    struct Case {
        const char* what;
        std::function<ui::ModalResult(ui::Form&)> user;
        ui::ModalResult expected;
    };
    const Case cases[] = {
        {"OK button",
         [&](ui::Form&) {
             user::click(*form.OkBtn);
             return ui::ModalResult::None;
         },
         ui::ModalResult::Ok},
        {"Escape presses Cancel",
         [&](ui::Form& f) {
             user::pressKey(f, ui::vk::Escape);
             return ui::ModalResult::None;
         },
         ui::ModalResult::Cancel},
        {"title bar close",
         [&](ui::Form& f) {
             user::closeForm(f);
             return ui::ModalResult::None;
         },
         ui::ModalResult::Cancel},
        {"a button without result keeps it open, the answer closes it",
         [&](ui::Form&) {
             user::click(*form.CheckBox1);
             return ui::ModalResult::Retry;
         },
         ui::ModalResult::Retry},
        {"nobody answers", nullptr, ui::ModalResult::Cancel},
    };
    form.hide();
    for (const Case& c : cases) {
        backend.answerModalForms(c.user);
        EXPECT_EQ(form.showModal(), c.expected) << c.what;
        EXPECT_FALSE(form.visible()) << c.what;
        EXPECT_FALSE(form.isModal()) << c.what;
    }
    EXPECT_EQ(backend.modalForms().size(), 5u);
    // Showing a visible form modally is refused.
    form.show();
    EXPECT_THROW(form.showModal(), ui::Error);
}

TEST_F(FormTest, PostedMessagesWaitInTheQueueAndModalLoopsHandThemOut)
{
    form.postMessage(0x401, 7, -3);
    form.postMessage(0x999); // no handler: ignored
    form.postMessage(0x40E, 0, 516);
    EXPECT_TRUE(form.log.empty());
    EXPECT_EQ(backend.pendingMessages(), 3u);
    app.processMessages();
    EXPECT_EQ(form.log, (Log{"message 0x401 7 -3", "tray 516"}));

    // A message posted before a message box is handled while the box is open.
    form.log.clear();
    form.postMessage(0x401, 1, 1);
    backend.answerMessageBoxes([&](const ui::MessageBoxRequest&) {
        form.log.push_back("box answered");
        return ui::ModalResult::Ok;
    });
    app.messageBox("About", "About Kestrion");
    EXPECT_EQ(form.log, (Log{"message 0x401 1 1", "box answered"}));

    // Messages to a form that is gone vanish.
    ui::Component elsewhere(nullptr); // form names are unique per owner
    auto* second = new TTestForm(&elsewhere);
    second->postMessage(0x401);
    ui::destroy(second);
    app.processMessages();
    EXPECT_EQ(backend.pendingMessages(), 0u);
}

TEST_F(FormTest, AnExceptionInAHandlerEndsOnlyThatActionAndShowsTheErrorBox)
{
    form.setMessageHandler(0x402, [](const ui::Message&) { throw ui::ListIndexError(4); });
    form.postMessage(0x402);
    form.postMessage(0x401, 2, 2);
    EXPECT_TRUE(user::click(*form.FailBtn));
    app.processMessages();
    EXPECT_EQ(form.log, (Log{"fail", "message 0x401 2 2"}));
    const std::vector<ui::MessageBoxRequest> expected = {
        {"Unable to write to C:\\profile.ini", "Kestrion", ui::MessageIcon::Error,
         ui::MessageButtons::Ok},
        {"List index out of bounds (4)", "Kestrion", ui::MessageIcon::Error,
         ui::MessageButtons::Ok},
    };
    EXPECT_EQ(backend.messageBoxes(), expected);
}

TEST_F(FormTest, ChecksAndRadioButtonsReportChangesOnly)
{
    user::click(*form.CheckBox1);
    user::click(*form.CheckBox1);
    form.CheckBox1->setChecked(false); // no change
    user::click(*form.RadioButton2);
    user::click(*form.RadioButton2); // checked already
    user::click(*form.RadioButton1);
    EXPECT_TRUE(form.RadioButton1->checked());
    EXPECT_FALSE(form.RadioButton2->checked());
    form.Label1->setEnabled(false);
    EXPECT_FALSE(user::click(*form.Label1));
    EXPECT_EQ(form.log, (Log{"alt on", "alt off", "custom sound", "default sound"}));
    // The panel's check box is in another parent: not part of the radio group rules, and
    // hidden with its panel.
    form.Panel1->hide();
    EXPECT_FALSE(user::click(*form.CheckBox2));
}

TEST_F(FormTest, TheOpenDialogReturnsTheChosenFileOrNothing)
{
    backend.answerFileDialogs([](ui::OpenDialog& d) -> std::optional<std::string> {
        EXPECT_EQ(d.defaultExt(), "ini");
        return std::string("C:\\profiles\\team.ini");
    });
    user::chooseMenuItem(*form.Open1);
    backend.answerFileDialogs(nullptr);
    user::chooseMenuItem(*form.Open1);
    EXPECT_EQ(form.log, (Log{"open C:\\profiles\\team.ini", "open cancelled"}));
    EXPECT_EQ(form.OpenDialog1->fileName(), "C:\\profiles\\team.ini");
    EXPECT_EQ(backend.fileDialogs(), (std::vector<std::string>{"Open File", "Open File"}));
}

TEST_F(FormTest, TheLoopShowsTheMainFormAndEndsWhenTerminated)
{
    form.hide();
    app.setShowMainForm(false);
    form.postMessage(0x401);
    app.run();
    EXPECT_FALSE(form.visible());
    EXPECT_EQ(form.log, (Log{"message 0x401 0 0"}));

    form.setMessageHandler(0x403, [&](const ui::Message&) { app.terminate(); });
    form.postMessage(0x403);
    form.postMessage(0x401);
    app.setShowMainForm(true);
    app.run();
    EXPECT_TRUE(form.visible());
    EXPECT_TRUE(app.terminated());
    EXPECT_EQ(backend.pendingMessages(), 1u); // the loop ended before the last message
    // Closing the main form ends the program unless its close handler says otherwise.
    ui::Application second;
    auto& main = second.createForm<TTestForm>();
    main.show();
    main.OnClose = [](ui::Persistent&, ui::CloseAction& action) { action = ui::CloseAction::Hide; };
    user::closeForm(main);
    EXPECT_FALSE(main.visible());
    EXPECT_FALSE(second.terminated());
    main.show();
    main.OnClose = nullptr;
    user::closeForm(main);
    EXPECT_TRUE(second.terminated());
}

TEST_F(FormTest, TheBevelDrawsItsLineInTheSystemColours)
{
    app.processMessages(); // paints what asked for it
    const ui::Raster& shown = form.Bevel1->surface();
    ASSERT_EQ(shown.width(), 130);
    EXPECT_EQ(shown.pixel(127, 10), 0xF0F0F0u);
    EXPECT_EQ(shown.pixel(128, 10), 0xA0A0A0u);
    EXPECT_EQ(shown.pixel(129, 159), 0xFFFFFFu);
    EXPECT_GE(form.Bevel1->presentCount(), 1u);
}

} // namespace
