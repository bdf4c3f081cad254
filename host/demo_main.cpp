// The demo: serves the demo order database, loads one order into a control without a display
// and prints what the control holds.
#include <cstdio>
#include <iostream>
#include <string>

#include "control/jex_po_discussions_xml.h"
#include "discussion_server.h"

namespace {

struct Arguments {
    std::string database = "demo.db";
    std::string order = "PO1001";
};

Arguments parseArguments(int argc, char** argv) {
    Arguments args;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        if (flag == "--db") args.database = argv[i + 1];
        if (flag == "--order") args.order = argv[i + 1];
    }
    return args;
}

std::string cell(const jex::Value& value) {
    if (value.isNull()) return "(null)";
    return value.toText();
}

void printTable(jex::RecordTable& table) {
    std::cout << table.name() << ": " << table.recordCount() << " rows\n";
    for (table.moveFirst(); !table.atEnd(); table.moveNext()) {
        std::cout << "  ";
        for (int i = 0; i < table.fieldCount(); ++i) {
            std::cout << (i ? " | " : "") << table.fieldName(i) << "=" << cell(table.field(i));
        }
        std::cout << "\n";
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Arguments args = parseArguments(argc, argv);
    try {
        jex::server::DiscussionServer server(args.database);
        const int port = server.start();
        const std::string url = "http://127.0.0.1:" + std::to_string(port);
        std::cout << "discussion server on " << url << "/PODiscussion.asp (database "
                  << args.database << ")\n";

        jex::HeadlessMessageBox messageBox;
        messageBox.onShow = [](const jex::MessageBoxRequest& box) {
            std::cout << "[message box] " << box.text << "\n";
        };
        jex::MemoryEventLog eventLog;
        jex::SystemClock clock;
        jex::NullMessagePump pump;
        jex::JEXPODiscussionsXML control({messageBox, eventLog, clock, pump});
        control.setUserName("Demo Clerk|1001|1");
        control.setCorporateLevel(true);
        control.LoadData(url, args.order);

        const jex::ControlState& state = control.state();
        std::cout << "order " << state.OrderID << ", next issue " << state.NextIssueSequence
                  << ", next comment " << state.NextCommentSequence << "\n";
        printTable(*state.DiscussionTable);
        printTable(*state.CommentTable);
        return 0;
    } catch (const std::exception& e) {
        std::cerr << "demo: " << e.what() << "\n";
        return 1;
    }
}
