#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <deque>

namespace jex::test {

// Answers the message boxes a test raises, so that a modal box never hangs a run: every box
// that comes up is recorded and clicked with the next queued button, or with its default
// button when none is queued.
class ModalAnswerer {
  public:
    ModalAnswerer() {
        m_timer.setInterval(20);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { answer(); });
        m_timer.start();
    }

    void queue(QMessageBox::StandardButton button) { m_answers.push_back(button); }
    // The text of every box answered, in order.
    const QStringList& shown() const { return m_shown; }
    // The title and icon of the last box answered.
    QString lastTitle() const { return m_lastTitle; }
    QMessageBox::Icon lastIcon() const { return m_lastIcon; }

  private:
    void answer() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box || !box->isVisible()) return;
        m_shown << box->text();
        m_lastTitle = box->windowTitle();
        m_lastIcon = box->icon();
        QAbstractButton* button = box->defaultButton();
        if (!m_answers.empty()) {
            button = box->button(m_answers.front());
            m_answers.pop_front();
        }
        if (!button) button = box->buttons().value(0);
        button->click();
    }

    QTimer m_timer;
    std::deque<QMessageBox::StandardButton> m_answers;
    QStringList m_shown;
    QString m_lastTitle;
    QMessageBox::Icon m_lastIcon = QMessageBox::NoIcon;
};

}  // namespace jex::test
