#pragma once

#include <string>
#include <vector>

namespace jex::test {

using Fields = std::vector<std::string>;

// The text as XML character data.
inline std::string xmlText(const std::string& text) {
    std::string data;
    for (char ch : text) {
        data += ch == '<' ? "&lt;" : ch == '>' ? "&gt;" : ch == '&' ? "&amp;" : std::string(1, ch);
    }
    return data;
}

// A record of the given field texts; the field at `sequenceAt` is named "IssueSequence", the one
// name the loaders look at, the others are read by position only.
inline std::string record(const Fields& texts, int sequenceAt = -1) {
    std::string xml = "<r>";
    for (int i = 0; i < static_cast<int>(texts.size()); ++i) {
        const std::string name = i == sequenceAt ? "IssueSequence" : "f";
        xml += "<" + name + ">" + xmlText(texts[i]) + "</" + name + ">";
    }
    return xml + "</r>";
}

// An issue of order PO9: sequence, type and priority codes, then the fields from IssueDate on.
inline std::string issueRecord(const std::string& sequence, const std::string& type = "0",
                               const std::string& priority = "1", Fields rest = {}) {
    rest.insert(rest.begin(), {sequence, "PO9", type, priority});
    return record(rest, 0);
}

// A comment of order PO9: sequence, owning issue, type code, then the fields from CommentDate
// on.
inline std::string commentRecord(const std::string& sequence, const std::string& owner,
                                 const std::string& type = "0", Fields rest = {}) {
    rest.insert(rest.begin(), {sequence, owner, "PO9", type});
    return record(rest, 1);
}

// A discussion document: the vocabularies as field texts of their entries, issues and comments
// as records (issueRecord, commentRecord).
struct Document {
    std::vector<Fields> types = {{"0", "General Note", "1"}};  // code, description, group
    std::vector<Fields> groups = {{"1", "Center", "14"}};      // code, description, delay
    Fields priorities = {"High"};
    Fields commentTypes = {"Note"};
    std::vector<std::string> issues = {};
    std::vector<std::string> comments = {};
    int sections = 6;  // fewer leaves out the last ones

    std::string xml() const {
        std::vector<std::string> all(6);
        for (const Fields& type : types) all[0] += record(type);
        for (const Fields& group : groups) all[1] += record(group);
        for (const std::string& priority : priorities) all[2] += record({priority});
        for (const std::string& type : commentTypes) all[3] += record({"", type});
        for (const std::string& issue : issues) all[4] += issue;
        for (const std::string& comment : comments) all[5] += comment;
        std::string text = "<root>";
        for (int i = 0; i < sections; ++i) text += "<s>" + all[i] + "</s>";
        return text + "</root>";
    }
};

}  // namespace jex::test
