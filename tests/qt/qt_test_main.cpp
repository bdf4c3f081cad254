// Runs every registered Qt Test class in turn and fails when any of them does. A first argument
// naming a class ("RenderersTest") runs only that one; the rest go to Qt Test as usual.
#include <QApplication>
#include <QtTest>
#include <vector>

#include "qt_test_registry.h"

namespace {

QString unqualifiedName(const QObject& test) {
    return QString::fromLatin1(test.metaObject()->className()).section(QStringLiteral("::"), -1);
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    std::vector<char*> args(argv, argv + argc);
    QString only;
    if (args.size() > 1 && args[1][0] != '-') {
        only = QString::fromLocal8Bit(args[1]);
        args.erase(args.begin() + 1);
    }
    int failures = 0;
    for (const auto& make : jex::test::registeredTests()) {
        const std::unique_ptr<QObject> test = make();
        if (!only.isEmpty() && unqualifiedName(*test) != only) continue;
        failures += QTest::qExec(test.get(), static_cast<int>(args.size()), args.data());
    }
    return failures == 0 ? 0 : 1;
}
