#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

namespace jex {

enum class MsgIcon { None, Critical, Question, Exclamation, Information };
enum class MsgButtons { OK, OKCancel, AbortRetryIgnore, YesNoCancel, YesNo, RetryCancel };
enum class MsgResult { OK = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };

struct MessageBoxRequest {
    std::string text;
    MsgButtons buttons = MsgButtons::OK;
    MsgIcon icon = MsgIcon::None;
    std::string title;      // empty: the application's title
    int defaultButton = 1;  // 1-based among the set's buttons
};

// The modal message box: shows the request and returns the button the user chose. A failure
// of the platform's box is raised as the control's Error.
class MessageBoxService {
  public:
    virtual ~MessageBoxService() = default;
    virtual MsgResult show(const MessageBoxRequest& request) = 0;
};

// The button a box answers with when the user just presses Enter: the request's default
// button, or the first one when the set has fewer buttons.
MsgResult defaultAnswer(const MessageBoxRequest& request);

// A message box without a display: records every request and answers from a queue, then
// with the default button. Never fails.
class HeadlessMessageBox : public MessageBoxService {
  public:
    MsgResult show(const MessageBoxRequest& request) override;

    // The next show() answers `answer`; queued answers are used in order.
    void queueAnswer(MsgResult answer) { m_answers.push_back(answer); }
    const std::vector<MessageBoxRequest>& shown() const { return m_shown; }
    void clear() { m_shown.clear(); }

    // Called with every request before it is answered, e.g. for a host to print it.
    std::function<void(const MessageBoxRequest&)> onShow;

  private:
    std::vector<MessageBoxRequest> m_shown;
    std::deque<MsgResult> m_answers;
};

}  // namespace jex
