#include "platform/xml_document.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <functional>
#include <string>
#include <thread>

#include "platform/error.h"

namespace jex {
namespace {

int32_t errorNumberOf(const std::function<void()>& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

HttpResponse answer(long status, std::string body) {
    return HttpResponse{true, status, std::move(body), {}};
}

TEST(XmlDocument_loadXml, refusesTextThatIsNotWellFormed) {
    for (const char* text :
         {"", "not xml", "<a><b></a>", "<a>", "<a/><b/>", "text<a/>", "<a/>text", "<!-- c -->"}) {
        XmlDocument document;
        EXPECT_TRUE(document.loadXml("<ok/>"));
        EXPECT_FALSE(document.loadXml(text)) << text;
        EXPECT_TRUE(document.root().isNull()) << text;
        EXPECT_FALSE(document.parseError().empty()) << text;
    }
}

TEST(XmlDocument_elements, positionsCountElementsOnly) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXml(
        "<?xml version=\"1.0\"?>\n<root>\n  <types/>\n  <groups>\n    <g>A</g>\n    <g>B</g>\n"
        "  </groups>\n</root>\n"));
    XmlElement root = document.root();
    EXPECT_EQ(root.childCount(), 2);
    XmlElement groups = root.child(1);
    EXPECT_EQ(groups.localName(), "groups");
    EXPECT_EQ(groups.child(1).text(), "B");
    EXPECT_EQ(groups.child(0).text(), "A");
    EXPECT_EQ(errorNumberOf([&] { root.child(2); }), err::ObjectNotSet);
    EXPECT_EQ(errorNumberOf([&] { root.child(-1); }), err::ObjectNotSet);
    EXPECT_EQ(errorNumberOf([&] { XmlElement().childCount(); }), err::ObjectNotSet);
}

TEST(XmlDocument_elements, fieldTextsAndLocalNames) {
    XmlDocument document;
    ASSERT_TRUE(
        document.loadXml("<r xmlns:x=\"urn:x\"><x:IssueSequence>7</x:IssueSequence><empty/>"
                         "<mixed>a<![CDATA[<b>]]><i>c</i>&amp;</mixed></r>"));
    XmlElement record = document.root();
    EXPECT_EQ(record.child(0).localName(), "IssueSequence");
    EXPECT_EQ(record.child(0).childTexts(), std::vector<std::string>{"7"});
    EXPECT_TRUE(record.child(1).childTexts().empty());
    EXPECT_EQ(record.child(2).childTexts(), (std::vector<std::string>{"a", "<b>", "c", "&"}));
    EXPECT_EQ(record.child(2).text(), "a<b>c&");
}

TEST(XmlDocument_load, failedTransfersLeaveNoRoot) {
    struct Case {
        const char* name;
        HttpResponse response;
    } cases[] = {
        {"refused", HttpResponse{false, 0, {}, "Connection refused"}},
        {"server error", answer(500, "<error/>")},
        {"not found", answer(404, "<html/>")},
        {"malformed", answer(200, "<a><b></a>")},
    };
    for (const Case& c : cases) {
        XmlDocument document([&](const std::string&) { return c.response; });
        EXPECT_FALSE(document.load("http://server/PODiscussion.asp?OrderID=1")) << c.name;
        EXPECT_TRUE(document.root().isNull()) << c.name;
    }
}

TEST(XmlDocument_load, unreachableServer) {
    XmlDocument document;
    EXPECT_FALSE(document.load("http://127.0.0.1:1/PODiscussion.asp?OrderID=1"));
    EXPECT_TRUE(document.root().isNull());
    EXPECT_FALSE(document.parseError().empty());
}

TEST(XmlDocument_load, fetchesOverHttp) {
    httplib::Server server;
    server.Get("/PODiscussion.asp", [](const httplib::Request& request, httplib::Response& reply) {
        reply.set_content("<d><order>" + request.get_param_value("OrderID") + "</order></d>",
                          "text/xml");
    });
    server.Get("/broken", [](const httplib::Request&, httplib::Response& reply) {
        reply.status = 500;
        reply.set_content("<d/>", "text/xml");
    });
    int port = server.bind_to_any_port("127.0.0.1");
    ASSERT_GT(port, 0);
    std::thread serving([&] { server.listen_after_bind(); });
    // The socket already listens, so requests wait in its queue until the thread serves them.
    std::string base = "http://127.0.0.1:" + std::to_string(port);

    XmlDocument document;
    EXPECT_TRUE(document.load(base + "/PODiscussion.asp?OrderID=A17"));
    EXPECT_EQ(document.root().child(0).text(), "A17");
    EXPECT_FALSE(document.load(base + "/broken"));
    EXPECT_TRUE(document.root().isNull());

    server.stop();
    serving.join();
}

}  // namespace
}  // namespace jex
