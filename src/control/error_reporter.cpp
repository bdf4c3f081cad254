#include <string>

#include "control/jex_po_discussions_xml.h"

namespace jex {
namespace {

constexpr const char* kCrLf = "\r\n";

std::string reportText(const Error& error, std::string_view procedure) {
    std::string text;
    text += kCrLf;
    text += kCrLf;
    text += "Error Number - " + std::to_string(error.number()) + kCrLf;
    text += "Error Description - " + error.description() + kCrLf;
    text += "Error Source - " + error.source() + " " + std::string(procedure) + kCrLf;
    text += "Project Associated - JEXPODiscussionsXML";
    return text;
}

}  // namespace

void JEXPODiscussionsXML::ReportError(const Error& error, std::string_view procedure) {
    const std::string text = reportText(error, procedure);
    MessageBoxRequest box;
    box.text = text;  // OK only, no icon, the application's title
    m_services.messageBox.show(box);
    m_services.eventLog.write(text);
}

}  // namespace jex
