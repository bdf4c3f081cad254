#include <gtest/gtest.h>

#include "platform/event_log.h"
#include "platform/message_box.h"

namespace jex {
namespace {

TEST(HeadlessMessageBox_answers, fromTheQueueThenTheDefaultButton) {
    HeadlessMessageBox box;
    int printed = 0;
    box.onShow = [&](const MessageBoxRequest&) { ++printed; };
    box.queueAnswer(MsgResult::No);
    MessageBoxRequest question{"Delete this issue?", MsgButtons::YesNo, MsgIcon::Question,
                               "Information Validation"};
    EXPECT_EQ(box.show(question), MsgResult::No);
    EXPECT_EQ(box.show(question), MsgResult::Yes);
    ASSERT_EQ(box.shown().size(), 2u);
    EXPECT_EQ(box.shown()[0].title, "Information Validation");
    EXPECT_EQ(printed, 2);
    box.clear();
    EXPECT_TRUE(box.shown().empty());
}

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
        MessageBoxRequest request{"?", c.buttons, MsgIcon::None, "", c.defaultButton};
        EXPECT_EQ(defaultAnswer(request), c.expected) << static_cast<int>(c.buttons);
    }
}

TEST(MemoryEventLog_write, keepsEntriesWhole) {
    MemoryEventLog log;
    log.write("\r\n\r\nError Number - 5\r\nProject Associated - JEXPODiscussionsXML");
    log.write("second");
    ASSERT_EQ(log.entries().size(), 2u);
    EXPECT_EQ(log.entries()[0],
              "\r\n\r\nError Number - 5\r\nProject Associated - JEXPODiscussionsXML");
}

}  // namespace
}  // namespace jex
