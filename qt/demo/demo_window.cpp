#include "demo_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "jex_po_discussions_widget.h"
#include "platform/error.h"

namespace jex::demo {
namespace {

// The user name the control expects: display name, person identifier and person type.
const QString kDemoUser = QStringLiteral("Demo Clerk|1001|1");

QString firstLine(const QString& text) {
    const QString line = text.section(QLatin1Char('\n'), 0, 0).trimmed();
    return line.size() > 200 ? line.left(200) + QStringLiteral("...") : line;
}

}  // namespace

DemoWindow::DemoWindow(const QString& serverAddress, const QString& order, QWidget* parent)
    : QMainWindow(parent),
      m_server(new QLineEdit(serverAddress)),
      m_order(new QLineEdit(order)),
      m_userName(new QLineEdit(kDemoUser)),
      m_corporate(new QCheckBox(tr("Corporate level"))),
      m_viewMode(new QComboBox),
      m_status(new QLabel),
      m_discussions(new qt::JEXPODiscussionsWidget) {
    setWindowTitle(tr("Order discussion"));
    auto* central = new QWidget;
    auto* layout = new QVBoxLayout(central);
    layout->addWidget(makeHostBar());
    layout->addWidget(m_discussions, 1);
    setCentralWidget(central);
    statusBar()->addWidget(m_status, 1);
    m_status->setText(tr("Server: %1").arg(serverAddress));
}

QWidget* DemoWindow::makeHostBar() {
    m_corporate->setChecked(true);
    m_viewMode->addItem(tr("Add"), 0);
    m_viewMode->addItem(tr("Update"), 1);
    m_viewMode->addItem(tr("View only"), 2);
    m_viewMode->setCurrentIndex(1);
    m_order->setMaximumWidth(120);

    m_loadButton = new QPushButton(tr("Load"));
    m_saveButton = new QPushButton(tr("Save"));
    connect(m_loadButton, &QPushButton::clicked, this, &DemoWindow::load);
    connect(m_saveButton, &QPushButton::clicked, this, &DemoWindow::save);
    connect(m_order, &QLineEdit::returnPressed, this, [this] {
        if (m_loadButton->isEnabled()) load();
    });

    auto* bar = new QWidget;
    auto* row = new QHBoxLayout(bar);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(new QLabel(tr("Server")));
    row->addWidget(m_server, 2);
    row->addWidget(new QLabel(tr("Order")));
    row->addWidget(m_order);
    row->addWidget(new QLabel(tr("User")));
    row->addWidget(m_userName, 1);
    row->addWidget(m_corporate);
    row->addWidget(m_viewMode);
    row->addWidget(m_loadButton);
    row->addWidget(m_saveButton);
    return bar;
}

void DemoWindow::setServerAddress(const QString& address) {
    m_server->setText(address);
    m_status->setText(tr("Server: %1").arg(address));
}

bool DemoWindow::applyHostSettings() {
    try {
        m_discussions->setUserName(m_userName->text());
        m_discussions->setCorporateLevel(m_corporate->isChecked());
        m_discussions->setViewMode(m_viewMode->currentData().toInt());
        return true;
    } catch (const Error& e) {
        m_status->setText(tr("Refused: %1").arg(QString::fromStdString(e.description())));
        return false;
    }
}

void DemoWindow::load() {
    if (!applyHostSettings()) return;
    m_lastWasSave = false;
    m_discussions->loadData(m_server->text(), m_order->text().trimmed());
}

// While the control waits for the server it lets the window work: neither a second save nor a
// load may start then.
void DemoWindow::save() {
    m_status->setText(tr("Saving..."));
    m_lastWasSave = true;
    m_loadButton->setEnabled(false);
    m_saveButton->setEnabled(false);
    m_discussions->saveData();
    m_loadButton->setEnabled(true);
    m_saveButton->setEnabled(true);
}

void DemoWindow::showServerAnswer(const QString& method, int status, const QString& body) {
    const QString what = method == QLatin1String("POST") ? tr("Save") : tr("Load");
    if (status >= 400) {
        m_status->setText(tr("%1: %2 %3").arg(what).arg(status).arg(firstLine(body)));
        return;
    }
    if (method == QLatin1String("POST")) {
        m_status->setText(tr("Save: %1, stored").arg(status));
        return;
    }
    if (m_lastWasSave) return;
    m_status->setText(tr("Load: %1, %2 bytes").arg(status).arg(body.toUtf8().size()));
}

}  // namespace jex::demo
