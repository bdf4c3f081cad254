// The demo: starts the discussion server on the demo database and opens a window hosting the
// discussion widget. Without a display it runs offscreen, loads the demo order, saves a
// screenshot beside the database and prints what the control shows.
#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QMetaObject>
#include <QPixmap>
#include <QPushButton>
#include <QStandardPaths>
#include <QTimer>
#include <cstdio>
#include <iostream>

#include "control/jex_po_discussions_xml.h"
#include "demo_options.h"
#include "demo_window.h"
#include "discussion_server.h"
#include "jex_po_discussions_widget.h"
#include "platform/program_about.h"
#include "shown_lists.h"

namespace {

constexpr const char* kUsage =
    "usage: jexdiscussions-demo [--data DIR] [--order ID] [--offscreen]\n"
    "       Serves the demo database in DIR (default: the user's data folder) and shows the\n"
    "       order's discussion (default: PO1001) in a window. Without a display, or with\n"
    "       --offscreen, it loads the order offscreen, saves a screenshot beside the database\n"
    "       and prints what the control shows.\n"
    "       jexdiscussions-demo --help | --version\n";

using jex::demo::DemoWindow;

QString demoDataFolder(const jex::demo::DemoOptions& options) {
    QString folder = options.dataFolder;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    }
    QDir().mkpath(folder);
    return QDir(folder).absolutePath();
}

void forwardAnswersTo(jex::server::DiscussionServer& server, DemoWindow& window) {
    server.setAnswerObserver([&window](const jex::server::AnsweredRequest& answer) {
        QMetaObject::invokeMethod(&window, "showServerAnswer", Qt::QueuedConnection,
                                  Q_ARG(QString, QString::fromStdString(answer.method)),
                                  Q_ARG(int, answer.status),
                                  Q_ARG(QString, QString::fromStdString(answer.body)));
    });
}

void printShownDiscussion(jex::qt::JEXPODiscussionsWidget& widget) {
    const jex::DiscussionScreen& screen = widget.control().screen();
    std::cout << "Issues of order " << widget.control().state().OrderID << ":\n"
              << jex::demo::describeShownList(screen.lstDiscussions)
              << "\nComments of the selected issue:\n"
              << jex::demo::describeShownList(screen.lstComments);
}

// Without a display nobody can answer a message box: print it and answer with its default
// button, as a user pressing Enter would.
void answerMessageBoxesAlone(QApplication& app) {
    auto* timer = new QTimer(&app);
    QObject::connect(timer, &QTimer::timeout, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) return;
        std::cout << "[message box] " << box->text().toStdString() << std::endl;
        QAbstractButton* button = box->defaultButton();
        if (button == nullptr && !box->buttons().isEmpty()) button = box->buttons().first();
        if (button != nullptr) button->click();
    });
    timer->start(50);
}

// Without a display nobody can use the window: show what it would show, as a picture and as
// text, and end.
int runOffscreen(QApplication& app, DemoWindow& window, const QString& folder) {
    answerMessageBoxesAlone(app);
    window.resize(1280, 860);
    window.show();
    window.load();
    app.processEvents();
    const QString picture = QDir(folder).filePath(QStringLiteral("demo-screenshot.png"));
    if (!window.grab().save(picture)) {
        std::cerr << "demo: could not write " << picture.toStdString() << "\n";
        return 1;
    }
    std::cout << "screenshot: " << picture.toStdString() << "\n";
    printShownDiscussion(window.discussions());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (const auto answered = jex::answerAbout(argc, argv, "jexdiscussions-demo", kUsage))
        return *answered;
    const jex::demo::DemoOptions options = jex::demo::parseDemoOptions(argc, argv);
    const bool offscreen = options.forceOffscreen || jex::demo::displayMissing();
    if (offscreen) {
        std::cout << "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): running with "
                     "Qt's offscreen platform.\n";
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("JEXDiscussionsXML"));
    QApplication::setApplicationDisplayName(QStringLiteral("Order discussion"));

    try {
        const QString folder = demoDataFolder(options);
        const QString database = QDir(folder).filePath(QStringLiteral("demo.db"));
        // The window outlives the server, whose answers it shows until the server stops.
        DemoWindow window(QString(), options.order);
        jex::server::DiscussionServer server(database.toStdString());
        forwardAnswersTo(server, window);
        const int port = server.start();
        const QString address = QStringLiteral("http://127.0.0.1:%1/").arg(port);
        window.setServerAddress(address);
        std::cout << "discussion server on " << address.toStdString() << " (database "
                  << database.toStdString() << ")" << std::endl;

        if (offscreen) return runOffscreen(app, window, folder);
        window.resize(1280, 860);
        window.show();
        window.load();
        return app.exec();
    } catch (const std::exception& e) {
        std::cerr << "demo: " << e.what() << "\n";
        return 1;
    }
}
