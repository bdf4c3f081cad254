// A host window around the discussion widget.
//   embed_widget [--smoke] [server-address order]
// With a server address and an order it loads that order's discussion; --smoke exits as soon
// as the window is built, which proves the installed package links and starts.
#include <QApplication>
#include <QMainWindow>
#include <QStringList>
#include <cstdio>

#include "jex_po_discussions_widget.h"

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QStringList args = QApplication::arguments().mid(1);
    const bool smoke = args.removeAll(QStringLiteral("--smoke")) > 0;
    if (args.size() == 1 || args.size() > 2) {
        std::fprintf(stderr, "usage: embed_widget [--smoke] [server-address order]\n");
        return 2;
    }

    QMainWindow window;
    auto* discussions = new jex::qt::JEXPODiscussionsWidget(&window);
    window.setCentralWidget(discussions);
    // name|person id|person type
    discussions->setUserName(QStringLiteral("Ann|7|1"));
    if (smoke) return 0;

    if (args.size() == 2) discussions->loadData(args[0], args[1]);
    window.show();
    return QApplication::exec();
}
