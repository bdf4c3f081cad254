#pragma once

#include <QMainWindow>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace jex::qt {
class JEXPODiscussionsWidget;
}

namespace jex::demo {

// The demo's main window: a small host bar (server, order, user, corporate level, view mode,
// Load and Save) above the discussion widget, and a status line with the server's answers.
// It is a host like any other: it only sets the control's properties and calls its methods.
class DemoWindow : public QMainWindow {
    Q_OBJECT

  public:
    DemoWindow(const QString& serverAddress, const QString& order, QWidget* parent = nullptr);

    qt::JEXPODiscussionsWidget& discussions() { return *m_discussions; }
    void setServerAddress(const QString& address);

    // Applies the host bar to the control and loads the order it names.
    void load();
    void save();

  public slots:
    // Shows one answer of the server in the status line; safe to queue from another thread.
    void showServerAnswer(const QString& method, int status, const QString& body);

  private:
    QWidget* makeHostBar();
    // Sets user name, corporate level and view mode; a refused value goes to the status line.
    bool applyHostSettings();

    QLineEdit* m_server;
    QLineEdit* m_order;
    QLineEdit* m_userName;
    QCheckBox* m_corporate;
    QComboBox* m_viewMode;
    QLabel* m_status;
    QPushButton* m_loadButton = nullptr;
    QPushButton* m_saveButton = nullptr;
    qt::JEXPODiscussionsWidget* m_discussions;
    // The load that follows a save, to number its new rows, is the save's own business.
    bool m_lastWasSave = false;
};

}  // namespace jex::demo
