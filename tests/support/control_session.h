#pragma once

#include <string>
#include <vector>

#include "control/headless_services.h"
#include "support/fixed_page_server.h"

namespace jex::test {

// Each message box shown, an error report as "<procedure> <error number>", any other as its
// text.
inline std::vector<std::string> reportsOf(const HeadlessMessageBox& boxes) {
    std::vector<std::string> found;
    for (const MessageBoxRequest& box : boxes.shown()) {
        const std::string& t = box.text;
        const auto source = t.find("Error Source - ");
        if (source == std::string::npos) {
            found.push_back(t);
            continue;
        }
        const auto end = t.find("\r\n", source);
        const auto name = t.rfind(' ', end) + 1;
        found.push_back(t.substr(name, end - name) + " " +
                        std::to_string(std::stol(t.substr(t.find("Number - ") + 9))));
    }
    return found;
}

// A control on a headless host, loaded from hand-written documents.
struct ControlSession {
    // Loads `body` as the discussion of order PO9; the reports of earlier loads are forgotten.
    void load(const std::string& body) {
        host.messageBox.clear();
        FixedPageServer page(body);
        control.LoadData(page.url(), "PO9");
    }
    std::vector<std::string> reports() const { return reportsOf(host.messageBox); }

    HeadlessServices host;
    JEXPODiscussionsXML control{host.services()};
    DiscussionScreen& ui = control.screen();
};

}  // namespace jex::test
