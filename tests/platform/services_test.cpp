// The headless message box answers the control's questions in the tests, from a queue (seen in
// the editing tests) or, as here, with the default button.
#include <gtest/gtest.h>

#include <tuple>

#include "platform/message_box.h"

namespace jex {
namespace {

TEST(HeadlessMessageBox_answers, defaultButtonOfEachSet) {
    using enum MsgResult;
    const std::tuple<MsgButtons, int, MsgResult> cases[] = {
        {MsgButtons::OK, 1, OK},           {MsgButtons::OKCancel, 2, Cancel},
        {MsgButtons::YesNo, 2, No},        {MsgButtons::AbortRetryIgnore, 3, Ignore},
        {MsgButtons::YesNoCancel, 1, Yes}, {MsgButtons::RetryCancel, 1, Retry},
        {MsgButtons::YesNo, 3, Yes}};
    for (const auto& [buttons, defaultButton, expected] : cases) {
        EXPECT_EQ(defaultAnswer({"?", buttons, MsgIcon::None, "", defaultButton}), expected)
            << static_cast<int>(buttons) << " " << defaultButton;
    }
}

}  // namespace
}  // namespace jex
