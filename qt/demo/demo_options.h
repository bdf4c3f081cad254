#pragma once

#include <QString>

namespace jex::demo {

// What the demo was asked to do on its command line.
struct DemoOptions {
    QString dataFolder;  // where the demo database lives; empty: the user's data folder
    QString order = QStringLiteral("PO1001");
    bool forceOffscreen = false;
};

// Reads --data DIR, --order ID and --offscreen; unknown arguments are ignored.
DemoOptions parseDemoOptions(int argc, char** argv);

// True when no display can be reached: neither DISPLAY nor WAYLAND_DISPLAY names one.
bool displayMissing();

}  // namespace jex::demo
