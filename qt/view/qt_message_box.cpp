#include "qt_message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <utility>
#include <vector>

#include "qt_text.h"

namespace jex::qt {
namespace {

using Choice = std::pair<QMessageBox::StandardButton, MsgResult>;

std::vector<Choice> choicesOf(MsgButtons buttons) {
    switch (buttons) {
        case MsgButtons::OK:
            return {{QMessageBox::Ok, MsgResult::OK}};
        case MsgButtons::OKCancel:
            return {{QMessageBox::Ok, MsgResult::OK}, {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::AbortRetryIgnore:
            return {{QMessageBox::Abort, MsgResult::Abort},
                    {QMessageBox::Retry, MsgResult::Retry},
                    {QMessageBox::Ignore, MsgResult::Ignore}};
        case MsgButtons::YesNoCancel:
            return {{QMessageBox::Yes, MsgResult::Yes},
                    {QMessageBox::No, MsgResult::No},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
        case MsgButtons::YesNo:
            return {{QMessageBox::Yes, MsgResult::Yes}, {QMessageBox::No, MsgResult::No}};
        case MsgButtons::RetryCancel:
            return {{QMessageBox::Retry, MsgResult::Retry},
                    {QMessageBox::Cancel, MsgResult::Cancel}};
    }
    return {{QMessageBox::Ok, MsgResult::OK}};
}

QMessageBox::Icon iconOf(MsgIcon icon) {
    switch (icon) {
        case MsgIcon::Critical:
            return QMessageBox::Critical;
        case MsgIcon::Question:
            return QMessageBox::Question;
        case MsgIcon::Exclamation:
            return QMessageBox::Warning;
        case MsgIcon::Information:
            return QMessageBox::Information;
        case MsgIcon::None:
            break;
    }
    return QMessageBox::NoIcon;
}

// The control writes line breaks as "\r\n"; a plain-text box wants "\n".
QString plainText(const std::string& text) {
    return toQString(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

MsgResult unanswered(const MessageBoxRequest& request, const std::vector<Choice>& choices) {
    for (const Choice& choice : choices) {
        if (choice.second == MsgResult::Cancel) return MsgResult::Cancel;
    }
    return defaultAnswer(request);
}

}  // namespace

MsgResult QtMessageBox::show(const MessageBoxRequest& request) {
    const QString title =
        request.title.empty() ? QApplication::applicationDisplayName() : toQString(request.title);
    QMessageBox box(iconOf(request.icon), title, plainText(request.text), QMessageBox::NoButton,
                    m_parent ? m_parent->window() : nullptr);
    box.setTextFormat(Qt::PlainText);
    const std::vector<Choice> choices = choicesOf(request.buttons);
    const MsgResult preferred = defaultAnswer(request);
    for (const auto& [button, result] : choices) {
        QPushButton* added = box.addButton(button);
        if (result == preferred) box.setDefaultButton(added);
    }
    box.exec();
    const QMessageBox::StandardButton clicked = box.standardButton(box.clickedButton());
    for (const auto& [button, result] : choices) {
        if (button == clicked) return result;
    }
    return unanswered(request, choices);
}

}  // namespace jex::qt
