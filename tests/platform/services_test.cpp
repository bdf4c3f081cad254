// The headless message box answers the control's questions in the tests, from a queue (seen in
// the editing tests) or, as here, with the default button.
#include <gtest/gtest.h>

#include "platform/message_box.h"

namespace jex {
namespace {

TEST(HeadlessMessageBox_answers, defaultButtonOfEachSet) {
    struct Case {
        MsgButtons buttons;
        int defaultButton;
        MsgResult expected;
    } cases[] = {
        {MsgButtons::OK, 1, MsgResult::OK},
        {MsgButtons::OKCancel, 2, MsgResult::Cancel},
        {MsgButtons::AbortRetryIgnore, 3, MsgResult::Ignore},
        {MsgButtons::YesNoCancel, 1, MsgResult::Yes},
        {MsgButtons::YesNo, 2, MsgResult::No},
        {MsgButtons::RetryCancel, 1, MsgResult::Retry},
        {MsgButtons::YesNo, 3, MsgResult::Yes},
    };
    for (const Case& c : cases) {
        const MessageBoxRequest request{"?", c.buttons, MsgIcon::None, "", c.defaultButton};
        EXPECT_EQ(defaultAnswer(request), c.expected) << static_cast<int>(c.buttons);
    }
}

}  // namespace
}  // namespace jex
