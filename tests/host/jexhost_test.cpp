#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "support/demo_server.h"

namespace jex {
namespace {

using nlohmann::json;

// What a step of a script expects: the whole answer when it names "ok", else the fields it names
// (nested objects likewise); "refused" is a request error whose description holds `refusal`.
struct Step {
    std::string request;
    json expected = {{"ok", true}};
    std::string refusal = "";
};
const json kRefused = "refused";

bool holds(const json& answer, const json& part) {
    if (!part.is_object() || !answer.is_object()) return answer == part;
    for (const auto& [key, value] : part.items()) {
        if (!answer.contains(key) || !holds(answer[key], value)) return false;
    }
    return true;
}

// Runs the steps in one host, which must answer each (but no blank line) and end well; the
// answers, for more checks.
std::vector<json> runSteps(const std::vector<Step>& steps) {
    const test::TempPath file("jexhost-script");
    {
        std::ofstream out(file.path());
        for (const Step& step : steps) out << "   \n" << step.request << "\n";
    }
    FILE* pipe = popen((std::string(JEXHOST_PATH) + " < " + file.path().string()).c_str(), "r");
    std::string output;
    char buffer[4096];
    for (size_t n; pipe != nullptr && (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        output.append(buffer, n);
    const int status = pipe != nullptr ? pclose(pipe) : -1;
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    std::vector<json> answers;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) answers.push_back(json::parse(line));
    EXPECT_EQ(answers.size(), steps.size());
    answers.resize(steps.size());
    for (size_t i = 0; i < steps.size(); ++i) {
        const json& answer = answers[i];
        const Step& step = steps[i];
        if (step.expected == kRefused) {
            EXPECT_TRUE(answer.value("ok", true) == false && answer["error"]["number"] == 0 &&
                        answer["error"]["description"].get<std::string>().find(step.refusal) !=
                            std::string::npos)
                << step.request << " -> " << answer;
        } else if (step.expected.contains("ok")) {
            EXPECT_EQ(answer, step.expected) << step.request;
        } else {
            EXPECT_TRUE(holds(answer, step.expected)) << step.request << " -> " << answer;
        }
    }
    return answers;
}

// Wrong requests are refused and the host goes on. Until an order is loaded and a command opens
// them, the fields refuse the user's hands.
TEST(JexHost, Session_wrongRequestsThenMembersWidgetsAndMessagesOfAFreshControl) {
    const auto refused = [](const char* request, const char* refusal) {
        return Step{request, kRefused, refusal};
    };
    const json ignored = {{"ok", true}, {"ignored", true}};
    const json overflow = {
        {"number", 6}, {"description", "Overflow"}, {"source", "JEXDiscussionsXML"}};
    const std::vector<json> all = runSteps({
        refused("not json", "bad JSON"),
        refused(R"([1,2])", "JSON object"),
        refused(R"({"name":"ViewMode"})", "missing field \"op\""),
        refused(R"({"op":"fly"})", "unknown op"),
        refused(R"({"op":"get","name":"ViewMode"})", "\"create\" comes first"),
        {R"({"op":"clock","now":"2026-12-06T09:30:00"})"},
        {R"({"op":"answer","buttons":["No"]})"},
        refused(R"({"op":"answer","buttons":["Yes","Maybe"]})", "Maybe"),
        refused(R"({"op":"clock","now":"2026-12-06 09:30:00"})", "now"),
        {R"({"op":"create"})"},
        refused(R"({"op":"create"})", "already"),
        refused(R"({"op":"widget","name":"lstNowhere"})", "unknown widget"),
        refused(R"({"op":"member","name":"Colour"})", "unknown member"),
        refused(R"({"op":"table","name":"Orders"})", "unknown table"),
        refused(R"({"op":"get","name":"Colour"})", "no member"),
        refused(R"({"op":"call","dispid":12})", "dispatch id"),
        refused(R"({"op":"put","name":"ViewMode"})", "missing field \"value\""),
        refused(R"({"op":"put","name":"ViewMode","value":{"colour":1}})", "JSON form"),
        refused(R"({"op":"select","widget":"lstDiscussions"})", "missing field \"index\""),
        refused(R"({"op":"key","widget":"cmdAddComment","code":40})", "does not apply"),
        refused(R"({"op":"check","widget":"chkCenterFocus","value":2})", "0 or 1"),
        refused(R"({"op":"date","widget":"DTPckrFollowUpDate","value":"12/19/2026"})",
                "yyyy-mm-dd"),
        {R"({"op":"release"})"},
        refused(R"({"op":"widget","name":"lstDiscussions"})", "\"create\" comes first"),
        {R"({"op":"create","version":"2.3.45"})"},
        {R"({"op":"call","name":"LetDiscussions"})", {{"ok", true}, {"value", nullptr}}},
        {R"({"op":"messages"})", json::object()},
        {R"({"op":"messages"})", {{"messages", json::array()}}},
        {R"({"op":"eventlog"})", json::object()},
        {R"({"op":"eventlog"})", {{"entries", json::array()}}},
        {R"({"op":"answer","buttons":["Yes","No"]})"},
        {R"({"op":"member","name":"MousePointer"})", {{"value", 0}}},
        {R"({"op":"click","widget":"cmdAddDiscussion"})", ignored},
        {R"({"op":"click","widget":"lblMessage"})"},
        {R"({"op":"check","widget":"chkCenterFocus","value":1})", ignored},
        {R"({"op":"widget","name":"chkCenterFocus"})", {{"value", 0}}},
        {R"({"op":"type","widget":"txtDiscussion","text":"Late"})", ignored},
        {R"({"op":"widget","name":"txtDiscussion"})",
         {{"text", ""}, {"locked", true}, {"backColor", 0x8000000F}}},
        {R"({"op":"date","widget":"DTPckrFollowUpDate","value":"2026-12-19"})", ignored},
        {R"({"op":"widget","name":"DTPckrFollowUpDate"})", {{"customFormat", "MMM, dd yyyy"}}},
        {R"({"op":"select","widget":"cboCommentType","index":0})", ignored},
        {R"({"op":"widget","name":"cboCommentType"})",
         {{"type", "ComboBox"}, {"visible", false}, {"items", json::array()}, {"listIndex", -1}}},
        {R"({"op":"columnclick","widget":"lstDiscussions","column":2})"},
        {R"({"op":"key","widget":"lstDiscussions","code":40})"},
        {R"({"op":"dblclick","widget":"lstDiscussions"})"},
        {R"({"op":"mouse","widget":"lstDiscussions","event":"down","button":2})"},
        {R"({"op":"mouse","widget":"lstDiscussions","event":"up","button":2,"index":1})"},
        {R"({"op":"menu","index":1})", kRefused},  // no popup menu is showing
        {R"({"op":"drag","from":"lstComments","fromIndex":1,"to":"lstDiscussions","toIndex":0})"},
        {R"({"op":"blur","widget":"txtDiscussion"})"},
        {R"({"op":"widget","name":"lstDiscussions"})",
         {{"type", "ListView"}, {"items", json::array()}, {"selected", 0}}},
        {R"({"op":"widget","name":"mnuPriorityMenu"})",
         {{"items", json::parse(R"([{"caption":"Priority","checked":false}])")}, {"open", false}}},
        {R"({"op":"widget","name":"lblVersionNumber"})", {{"caption", "Version number: 2.3.45"}}},
        {R"({"op":"select","widget":"tabPODiscussion","index":2})"},
        {R"({"op":"widget","name":"tabPODiscussion"})",
         {{"tabs", {"Discussion Issues", "Discussion Comments"}}, {"selected", 2}}},
        // Members go through the dispatch table, by name in any case or by number.
        {R"({"op":"put","name":"ViewMode","value":2})"},
        {R"({"op":"get","name":"viewmode"})", {{"value", 2}}},
        {R"({"op":"put","name":"ViewMode","value":70000})", {{"ok", false}, {"error", overflow}}},
        {R"({"op":"get","name":"ViewMode"})", {{"value", 2}}},
        {R"({"op":"get","name":"UserName"})", kRefused},
        {R"({"op":"put","name":"CorporateLevel","value":true})"},
        {R"({"op":"member","name":"CorporateLevel"})", {{"value", true}}},
        {R"({"op":"put","name":"LoadData","value":1})", kRefused},
        {R"({"op":"call","name":"ViewMode"})", kRefused},
        {R"({"op":"call","dispid":1610809402,"args":["a b"]})", {{"value", "a+b"}}},
        // The automation runtime's own error.
        {R"({"op":"call","name":"GetDiscussions","args":[","]})",
         {{"error", {{"number", -2147352562}, {"source", "Automation"}}}}},
        {R"({"op":"release"})"},
        {R"({"op":"create","widths":{"lstDiscussions":18000}})"},
        {R"({"op":"widget","name":"lstDiscussions"})", json::object()},
    });
    const json* a = &all[24];  // the fresh control's answers

    // An error report is shown and logged once.
    ASSERT_EQ(a[2]["messages"].size(), 1u) << a[2];
    const json& box = a[2]["messages"][0];
    EXPECT_NE(box["text"].get<std::string>().find("LetDiscussions"), std::string::npos);
    EXPECT_TRUE(holds(box, {{"title", ""}, {"buttons", "OK"}, {"icon", "None"}})) << box;
    EXPECT_EQ(a[4]["entries"], json({box["text"]}));
    const json& list = a[26];
    ASSERT_EQ(list["columns"].size(), 13u);
    EXPECT_EQ(list["columns"][0]["caption"], "Group");
    EXPECT_NE(a[15]["value"], "2026-12-19");
    EXPECT_GT(all.back()["columns"][1]["width"].get<double>(),
              list["columns"][1]["width"].get<double>())
        << "list widths scale the columns";
}

TEST(JexHost, Road_loadsADemoOrderFromTheDiscussionServer) {
    const test::DemoServer demo("jexhost-road");

    const std::vector<json> a = runSteps({
        {R"({"op":"create"})"},
        {R"({"op":"put","name":"UserName","value":"Ann|7|1"})"},
        {json({{"op", "call"}, {"name", "LoadData"}, {"args", {demo.url, "PO1001"}}}).dump(),
         {{"ok", true}, {"value", nullptr}}},
        {R"({"op":"messages"})", {{"messages", json::array()}}},
        {R"({"op":"table","name":"DiscussionTable"})", {{"filter", ""}}},
        {R"({"op":"table","name":"CommentTable"})", json::object()},
        {R"({"op":"member","name":"NextIssueSequence"})", json::object()},
        {R"({"op":"member","name":"OrderID"})", {{"value", "PO1001"}}},
        {R"({"op":"widget","name":"cmdAddDiscussion"})", {{"enabled", true}}},
        {R"({"op":"select","widget":"lstDiscussions","index":2})"},
        {R"({"op":"click","widget":"cmdAddComment"})"},
        {R"({"op":"select","widget":"cboCommentType","index":1})"},
        {R"({"op":"type","widget":"txtCommentDescription","text":"Called the vendor"})"},
        {R"({"op":"click","widget":"cmdAddComment"})"},
        {R"({"op":"call","name":"SaveDataToIIS","args":["~"]})", json::object()},
        {R"({"op":"call","name":"StringToArray","args":["a,b;c,d;",",",";"]})",
         {{"value", json::array({json::array({"a", "b"}), json::array({"c", "d"})})}}},
        // An Empty result is not no result.
        {R"({"op":"call","name":"StringToArray","args":[" ",",",";"]})",
         {{"value", {{"empty", true}}}}},
        {R"({"op":"release"})"},
    });

    const json& issues = a[4]["rows"];
    ASSERT_TRUE(!issues.empty() && a[4]["fields"][0] == "IssueSequence") << a[4];
    for (const json& issue : issues) EXPECT_EQ(issue[0].get<std::string>().size(), 3u) << issue;
    EXPECT_EQ(a[6]["value"], std::stoi(issues.back()[0].get<std::string>()) + 1);
    EXPECT_FALSE(a[5]["rows"].empty());
    EXPECT_EQ(a[5]["fields"].size(), 18u);
    const std::string batches = a[14]["value"];
    EXPECT_NE(batches.find("INSERT INTO OrderDiscussionComment"), std::string::npos) << batches;
    EXPECT_NE(batches.find("'Called the vendor'"), std::string::npos) << batches;
}

}  // namespace
}  // namespace jex
