#include "ui/Application.h"
#include "ui/Backend.h"
#include "ui/Text.h"
#include "ui/headless/HeadlessBackend.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

using ui::MessageBoxRequest;
using ui::ModalResult;

TEST(MessageBoxes, HeadlessRecordsEachBoxAndAnswersWithTheTestsChoice)
{
    ui::headless::HeadlessBackend backend;
    struct Case {
        ui::MessageButtons buttons;
        ModalResult byDefault;
    };
    const Case cases[] = {
        {ui::MessageButtons::Ok, ModalResult::Ok},
        {ui::MessageButtons::OkCancel, ModalResult::Ok},
        {ui::MessageButtons::AbortRetryIgnore, ModalResult::Abort},
        {ui::MessageButtons::YesNoCancel, ModalResult::Yes},
        {ui::MessageButtons::YesNo, ModalResult::Yes},
        {ui::MessageButtons::RetryCancel, ModalResult::Retry},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ui::showMessageBox({"text", "caption", ui::MessageIcon::Question, c.buttons}),
                  c.byDefault);
    }
    backend.answerMessageBoxes([](const MessageBoxRequest& r) {
        return r.text == "Save?" ? ModalResult::No : ModalResult::Cancel;
    });
    EXPECT_EQ(ui::showMessageBox(
                  {"Save?", "Kestrion", ui::MessageIcon::Question, ui::MessageButtons::YesNo}),
              ModalResult::No);
    ASSERT_EQ(backend.messageBoxes().size(), 7u);
    EXPECT_EQ(backend.messageBoxes().back().caption, "Kestrion");
}

TEST(MessageBoxes, BackendsNestAndWithoutOneShowingIsAProgramFault)
{
    EXPECT_EQ(ui::currentBackend(), nullptr);
    EXPECT_THROW(ui::showMessageBox({"lost", "", ui::MessageIcon::None, ui::MessageButtons::Ok}),
                 std::logic_error);
    ui::headless::HeadlessBackend outer;
    {
        ui::headless::HeadlessBackend inner;
        ui::showMessageBox({"inner", "", ui::MessageIcon::None, ui::MessageButtons::Ok});
        EXPECT_EQ(inner.messageBoxes().size(), 1u);
    }
    ui::showMessageBox({"outer", "", ui::MessageIcon::None, ui::MessageButtons::Ok});
    ASSERT_EQ(outer.messageBoxes().size(), 1u);
    EXPECT_EQ(outer.messageBoxes()[0].text, "outer");
}

TEST(Application, AnExceptionEndsTheActionAndShowsTheStandardErrorBox)
{
    ui::headless::HeadlessBackend backend;
    ui::Application app;
    app.setTitle("Kestrion");
    int steps = 0;
    const bool ok = app.handleExceptions([&] {
        ++steps;
        throw ui::Error("Unable to write to C:\\x.ini");
        ++steps;
    });
    EXPECT_FALSE(ok);
    EXPECT_EQ(steps, 1);
    ASSERT_EQ(backend.messageBoxes().size(), 1u);
    EXPECT_EQ(backend.messageBoxes()[0],
              (MessageBoxRequest{"Unable to write to C:\\x.ini", "Kestrion", ui::MessageIcon::Error,
                                 ui::MessageButtons::Ok}));

    EXPECT_TRUE(ui::runUserAction([&] { ++steps; }));
    EXPECT_FALSE(
        ui::runUserAction([] { throw std::out_of_range("List index out of bounds (3)"); }));
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(backend.messageBoxes().size(), 2u);
    EXPECT_EQ(backend.messageBoxes()[1].caption, "Kestrion");
    EXPECT_EQ(ui::Application::current(), &app);
}

} // namespace
