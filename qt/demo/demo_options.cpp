#include "demo_options.h"

#include <cstdlib>
#include <string_view>

namespace jex::demo {
namespace {

bool isSet(const char* variable) {
    const char* value = std::getenv(variable);
    return value != nullptr && *value != '\0';
}

}  // namespace

DemoOptions parseDemoOptions(int argc, char** argv) {
    DemoOptions options;
    for (int i = 1; i < argc; ++i) {
        const std::string_view flag = argv[i];
        const bool hasValue = i + 1 < argc;
        if (flag == "--offscreen") options.forceOffscreen = true;
        if (flag == "--data" && hasValue) options.dataFolder = QString::fromLocal8Bit(argv[++i]);
        if (flag == "--order" && hasValue) options.order = QString::fromLocal8Bit(argv[++i]);
    }
    return options;
}

bool displayMissing() { return !isSet("DISPLAY") && !isSet("WAYLAND_DISPLAY"); }

}  // namespace jex::demo
