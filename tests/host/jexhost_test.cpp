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

struct HostRun {
    std::vector<json> answers;
    int exitStatus = -1;
};

// Runs the jexhost program on the script, one request a line, and parses every answer line.
HostRun runHost(const std::vector<std::string>& script) {
    const test::TempPath file("jexhost-script");
    {
        std::ofstream out(file.path());
        for (const std::string& line : script) out << line << "\n";
    }
    const std::string command = std::string(JEXHOST_PATH) + " < " + file.path().string();
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return {};
    std::string output;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) output.append(buffer, n);
    const int status = pclose(pipe);

    HostRun run;
    run.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) run.answers.push_back(json::parse(line));
    return run;
}

// The answers of a script that must run to its end, one answer per request.
std::vector<json> answersOf(const std::vector<std::string>& script) {
    HostRun run = runHost(script);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_EQ(run.answers.size(), script.size());
    run.answers.resize(script.size());
    return run.answers;
}

bool isRequestError(const json& answer) {
    return answer.value("ok", true) == false && answer["error"]["number"] == 0 &&
           !answer["error"]["description"].get<std::string>().empty();
}

// The texts of one field over every row of a "table" answer.
std::vector<std::string> columnOf(const json& table, const std::string& field) {
    const auto& fields = table["fields"];
    const auto position = std::find(fields.begin(), fields.end(), field) - fields.begin();
    std::vector<std::string> texts;
    for (const json& row : table["rows"]) texts.push_back(row[position].get<std::string>());
    return texts;
}

TEST(JexHost, Requests_wrongOnesAreRefusedAndTheHostGoesOn) {
    struct Case {
        std::string line;
        std::string refusal;  // a part of the description; empty when the request is fine
    };
    const std::vector<Case> cases = {
        {"not json", "bad JSON"},
        {R"([1,2])", "JSON object"},
        {R"({"name":"ViewMode"})", "missing field \"op\""},
        {R"({"op":"fly"})", "unknown op"},
        {R"({"op":"get","name":"ViewMode"})", "\"create\" comes first"},
        {R"({"op":"clock","now":"2026-12-06T09:30:00"})", ""},
        {R"({"op":"answer","buttons":["No"]})", ""},
        {R"({"op":"answer","buttons":["Yes","Maybe"]})", "Maybe"},
        {R"({"op":"clock","now":"2026-12-06 09:30:00"})", "now"},
        {R"({"op":"create"})", ""},
        {R"({"op":"create"})", "already"},
        {R"({"op":"widget","name":"lstNowhere"})", "unknown widget"},
        {R"({"op":"member","name":"Colour"})", "unknown member"},
        {R"({"op":"table","name":"Orders"})", "unknown table"},
        {R"({"op":"get","name":"Colour"})", "no member"},
        {R"({"op":"call","dispid":12})", "dispatch id"},
        {R"({"op":"put","name":"ViewMode"})", "missing field \"value\""},
        {R"({"op":"put","name":"ViewMode","value":{"colour":1}})", "JSON form"},
        {R"({"op":"select","widget":"lstDiscussions"})", "missing field \"index\""},
        {R"({"op":"key","widget":"cmdAddComment","code":40})", "does not apply"},
        {R"({"op":"check","widget":"chkCenterFocus","value":2})", "0 or 1"},
        {R"({"op":"date","widget":"DTPckrFollowUpDate","value":"12/19/2026"})", "yyyy-mm-dd"},
        {R"({"op":"release"})", ""},
        {R"({"op":"widget","name":"lstDiscussions"})", "\"create\" comes first"},
    };
    std::vector<std::string> script;
    for (const Case& c : cases) script.push_back(c.line);
    script.insert(script.begin() + 3, "   ");  // blank lines get no answer

    const HostRun run = runHost(script);

    EXPECT_EQ(run.exitStatus, 0);
    ASSERT_EQ(run.answers.size(), cases.size());
    for (size_t i = 0; i < cases.size(); ++i) {
        const json& answer = run.answers[i];
        if (cases[i].refusal.empty()) {
            EXPECT_EQ(answer, json({{"ok", true}})) << cases[i].line;
            continue;
        }
        EXPECT_TRUE(isRequestError(answer)) << cases[i].line << " -> " << answer;
        const std::string description = answer["error"].value("description", "");
        EXPECT_NE(description.find(cases[i].refusal), std::string::npos)
            << cases[i].line << " -> " << answer;
    }
}

TEST(JexHost, Properties_andMethodsGoThroughTheDispatchTable) {
    const std::vector<json> a = answersOf({
        R"({"op":"create"})",
        R"({"op":"put","name":"ViewMode","value":2})",
        R"({"op":"get","name":"viewmode"})",
        R"({"op":"put","name":"ViewMode","value":70000})",
        R"({"op":"get","name":"ViewMode"})",
        R"({"op":"get","name":"UserName"})",
        R"({"op":"put","name":"CorporateLevel","value":true})",
        R"({"op":"member","name":"CorporateLevel"})",
        R"({"op":"put","name":"LoadData","value":1})",
        R"({"op":"call","name":"ViewMode"})",
        R"({"op":"call","dispid":1610809402,"args":["a b"]})",
        R"({"op":"call","name":"GetDiscussions","args":[","]})",
    });

    EXPECT_EQ(a[2]["value"], 2);
    const json overflow = {
        {"number", 6}, {"description", "Overflow"}, {"source", "JEXDiscussionsXML"}};
    EXPECT_EQ(a[3], json({{"ok", false}, {"error", overflow}}));
    EXPECT_EQ(a[4]["value"], 2);
    for (int i : {5, 8, 9}) EXPECT_TRUE(isRequestError(a[i])) << a[i];
    EXPECT_EQ(a[7]["value"], true);
    EXPECT_TRUE(a[10]["value"].is_string()) << a[10];
    EXPECT_EQ(a[11]["error"]["number"], -2147352562);  // the automation runtime's own error
    EXPECT_EQ(a[11]["error"]["source"], "Automation");
}

TEST(JexHost, UserOps_reachTheWidgetsOfAFreshControl) {
    const std::vector<json> a = answersOf({
        R"({"op":"create","version":"2.3.45"})",
        R"({"op":"click","widget":"cmdAddDiscussion"})",
        R"({"op":"click","widget":"lblMessage"})",
        R"({"op":"check","widget":"chkCenterFocus","value":1})",
        R"({"op":"widget","name":"chkCenterFocus"})",
        R"({"op":"type","widget":"txtDiscussion","text":"Late"})",
        R"({"op":"widget","name":"txtDiscussion"})",
        R"({"op":"date","widget":"DTPckrFollowUpDate","value":"2026-12-19"})",
        R"({"op":"widget","name":"DTPckrFollowUpDate"})",
        R"({"op":"select","widget":"cboCommentType","index":0})",
        R"({"op":"widget","name":"cboCommentType"})",
        R"({"op":"columnclick","widget":"lstDiscussions","column":2})",
        R"({"op":"key","widget":"lstDiscussions","code":40})",
        R"({"op":"dblclick","widget":"lstDiscussions"})",
        R"({"op":"mouse","widget":"lstDiscussions","event":"down","button":2})",
        R"({"op":"mouse","widget":"lstDiscussions","event":"up","button":2,"index":1})",
        R"({"op":"menu","index":1})",
        R"({"op":"drag","from":"lstComments","fromIndex":1,"to":"lstDiscussions","toIndex":0})",
        R"({"op":"blur","widget":"txtDiscussion"})",
        R"({"op":"widget","name":"lstDiscussions"})",
        R"({"op":"widget","name":"mnuPriorityMenu"})",
        R"({"op":"widget","name":"lblVersionNumber"})",
        R"({"op":"select","widget":"tabPODiscussion","index":2})",
        R"({"op":"widget","name":"tabPODiscussion"})",
    });
    const json done = {{"ok", true}};
    const json ignored = {{"ok", true}, {"ignored", true}};

    // Until an order is loaded and a command opens them, the fields refuse the user's hands.
    for (int i : {1, 3, 5, 7, 9}) EXPECT_EQ(a[i], ignored) << i;
    EXPECT_EQ(a[2], done);
    EXPECT_EQ(a[4]["value"], 0);
    EXPECT_EQ(a[6]["text"], "");
    EXPECT_EQ(a[6]["locked"], true);
    EXPECT_EQ(a[6]["backColor"], 0x8000000F);
    EXPECT_NE(a[8]["value"], "2026-12-19");
    EXPECT_EQ(a[8]["customFormat"], "MMM, dd yyyy");
    EXPECT_EQ(a[10], json({{"ok", true},
                           {"type", "ComboBox"},
                           {"visible", false},
                           {"enabled", true},
                           {"items", json::array()},
                           {"listIndex", -1},
                           {"text", ""}}));
    for (int i : {11, 12, 13, 14, 15, 17, 18}) EXPECT_EQ(a[i], done) << i;
    EXPECT_TRUE(isRequestError(a[16])) << a[16];  // no popup menu is showing

    const json& list = a[19];
    EXPECT_EQ(list["type"], "ListView");
    ASSERT_EQ(list["columns"].size(), 13u);
    EXPECT_EQ(list["columns"][0]["caption"], "Group");
    EXPECT_EQ(list["items"], json::array());
    EXPECT_EQ(list["selected"], 0);
    EXPECT_EQ(a[20]["items"], json::parse(R"([{"caption":"Priority","checked":false}])"));
    EXPECT_EQ(a[20]["open"], false);
    EXPECT_EQ(a[21]["caption"], "Version number: 2.3.45");
    EXPECT_EQ(a[23]["tabs"], json({"Discussion Issues", "Discussion Comments"}));
    EXPECT_EQ(a[23]["selected"], 2);
}

TEST(JexHost, Create_listWidthsScaleTheColumns) {
    const std::vector<json> a = answersOf({
        R"({"op":"create"})",
        R"({"op":"widget","name":"lstDiscussions"})",
        R"({"op":"release"})",
        R"({"op":"create","widths":{"lstDiscussions":18000}})",
        R"({"op":"widget","name":"lstDiscussions"})",
    });
    EXPECT_GT(a[4]["columns"][1]["width"].get<double>(), a[1]["columns"][1]["width"].get<double>());
}

TEST(JexHost, Messages_andEventLogAreReportedOnce) {
    const std::vector<json> a = answersOf({
        R"({"op":"create"})",
        R"({"op":"call","name":"LetDiscussions"})",
        R"({"op":"messages"})",
        R"({"op":"messages"})",
        R"({"op":"eventlog"})",
        R"({"op":"eventlog"})",
        R"({"op":"answer","buttons":["Yes","No"]})",
        R"({"op":"member","name":"MousePointer"})",
    });

    EXPECT_EQ(a[1], json({{"ok", true}, {"value", nullptr}}));
    ASSERT_EQ(a[2]["messages"].size(), 1u) << a[2];
    const json& box = a[2]["messages"][0];
    EXPECT_NE(box["text"].get<std::string>().find("LetDiscussions"), std::string::npos);
    EXPECT_EQ(box["title"], "");
    EXPECT_EQ(box["buttons"], "OK");
    EXPECT_EQ(box["icon"], "None");
    EXPECT_EQ(a[3]["messages"], json::array());
    EXPECT_EQ(a[4]["entries"], json({box["text"]}));
    EXPECT_EQ(a[5]["entries"], json::array());
    EXPECT_EQ(a[6], json({{"ok", true}}));
    EXPECT_EQ(a[7]["value"], 0);
}

TEST(JexHost, Road_loadsADemoOrderFromTheDiscussionServer) {
    const test::DemoServer demo("jexhost-road");

    const std::vector<json> a = answersOf({
        R"({"op":"create"})",
        R"({"op":"put","name":"UserName","value":"Ann|7|1"})",
        R"({"op":"put","name":"CorporateLevel","value":true})",
        json({{"op", "call"}, {"name", "LoadData"}, {"args", {demo.url, "PO1001"}}}).dump(),
        R"({"op":"messages"})",
        R"({"op":"table","name":"DiscussionTable"})",
        R"({"op":"table","name":"CommentTable"})",
        R"({"op":"member","name":"NextIssueSequence"})",
        R"({"op":"member","name":"OrderID"})",
        R"({"op":"widget","name":"cmdAddDiscussion"})",
        R"({"op":"select","widget":"lstDiscussions","index":2})",
        R"({"op":"click","widget":"cmdAddComment"})",
        R"({"op":"select","widget":"cboCommentType","index":1})",
        R"({"op":"type","widget":"txtCommentDescription","text":"Called the vendor"})",
        R"({"op":"click","widget":"cmdAddComment"})",
        R"({"op":"call","name":"SaveDataToIIS","args":["~"]})",
        R"({"op":"call","name":"StringToArray","args":["a,b;c,d;",",",";"]})",
        R"({"op":"call","name":"StringToArray","args":[" ",",",";"]})",
        R"({"op":"release"})",
    });

    EXPECT_EQ(a[3], json({{"ok", true}, {"value", nullptr}}));
    EXPECT_EQ(a[4]["messages"], json::array());
    const std::vector<std::string> issues = columnOf(a[5], "IssueSequence");
    ASSERT_FALSE(issues.empty()) << a[5];
    for (const std::string& sequence : issues) EXPECT_EQ(sequence.size(), 3u) << sequence;
    EXPECT_EQ(a[7]["value"], std::stoi(issues.back()) + 1);
    EXPECT_EQ(a[5]["filter"], "");
    EXPECT_FALSE(a[6]["rows"].empty());
    EXPECT_EQ(a[6]["fields"].size(), 18u);
    EXPECT_EQ(a[8]["value"], "PO1001");
    EXPECT_EQ(a[9]["enabled"], true);
    for (int i = 10; i <= 14; ++i) EXPECT_EQ(a[i], json({{"ok", true}})) << i;
    const std::string batches = a[15]["value"];
    EXPECT_NE(batches.find("INSERT INTO OrderDiscussionComment"), std::string::npos) << batches;
    EXPECT_NE(batches.find("'Called the vendor'"), std::string::npos) << batches;
    EXPECT_EQ(a[16]["value"], json::array({json::array({"a", "b"}), json::array({"c", "d"})}));
    EXPECT_EQ(a[17]["value"], json({{"empty", true}})) << "an Empty result is not no result";
    EXPECT_EQ(a[18], json({{"ok", true}}));
}

}  // namespace
}  // namespace jex
