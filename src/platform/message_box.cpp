#include "platform/message_box.h"

#include <cstddef>

namespace jex {

namespace {

std::vector<MsgResult> buttonsOf(MsgButtons set) {
    using enum MsgResult;
    switch (set) {
        case MsgButtons::OK:
            return {OK};
        case MsgButtons::OKCancel:
            return {OK, Cancel};
        case MsgButtons::AbortRetryIgnore:
            return {Abort, Retry, Ignore};
        case MsgButtons::YesNoCancel:
            return {Yes, No, Cancel};
        case MsgButtons::YesNo:
            return {Yes, No};
        case MsgButtons::RetryCancel:
            return {Retry, Cancel};
    }
    return {OK};
}

}  // namespace

MsgResult defaultAnswer(const MessageBoxRequest& request) {
    std::vector<MsgResult> buttons = buttonsOf(request.buttons);
    size_t index = static_cast<size_t>(request.defaultButton - 1);
    if (request.defaultButton < 1 || index >= buttons.size()) return buttons.front();
    return buttons[index];
}

MsgResult HeadlessMessageBox::show(const MessageBoxRequest& request) {
    m_shown.push_back(request);
    if (onShow) onShow(request);
    if (m_answers.empty()) return defaultAnswer(request);
    MsgResult answer = m_answers.front();
    m_answers.pop_front();
    return answer;
}

}  // namespace jex
