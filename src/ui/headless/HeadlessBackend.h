#pragma once
// The headless backend: keeps only the model. Whatever would wait for the user is answered
// by a callback that a test sets, and everything shown is recorded, so a test can drive
// the program's forms on Linux and check what the user would have seen.
//
//     ui::headless::HeadlessBackend backend;            // installed until it goes
//     backend.answerMessageBoxes([](const ui::MessageBoxRequest&) { return ui::ModalResult::No; });
//     ... run the code under test ...
//     EXPECT_EQ(backend.messageBoxes().at(0).caption, "Error");
//
// Without an answer set, a message box is answered with its first button (OK, Abort, Yes or
// Retry).

#include "ui/Backend.h"

#include <functional>
#include <vector>

namespace ui::headless {

class HeadlessBackend : public ui::Backend {
public:
    using MessageBoxAnswer = std::function<ModalResult(const MessageBoxRequest&)>;

    HeadlessBackend() = default;

    // Sets the answer to every following message box; an empty function restores the default.
    void answerMessageBoxes(MessageBoxAnswer answer) { m_answer = std::move(answer); }
    // Every message box shown, in order.
    const std::vector<MessageBoxRequest>& messageBoxes() const { return m_messageBoxes; }
    void clearMessageBoxes() { m_messageBoxes.clear(); }

    ModalResult showMessageBox(const MessageBoxRequest& request) override;
    std::uint32_t systemColor(int index) const override;

private:
    MessageBoxAnswer m_answer;
    std::vector<MessageBoxRequest> m_messageBoxes;
};

// The first button of a button set: the answer of a user who presses Enter.
ModalResult firstButton(MessageButtons buttons);

} // namespace ui::headless
