// Loading over HTTP itself is on the display road and in the load tests, which fetch from real
// servers.
#include "platform/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/error.h"
#include "support/error_of.h"

namespace jex {
namespace {

using test::errorOf;

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

TEST(XmlDocument_elements, positionsCountElementsOnlyAndTextsJoinTheirParts) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXml(
        "<?xml version=\"1.0\"?>\n<root xmlns:x=\"urn:x\">\n  <types/>\n  <groups>\n"
        "    <g>A</g>\n    <x:IssueSequence>7</x:IssueSequence>\n  </groups>\n"
        "  <mixed>a<![CDATA[<b>]]><i>c</i>&amp;</mixed>\n</root>\n"));
    const XmlElement root = document.root();
    EXPECT_EQ(root.childCount(), 3);
    const XmlElement groups = root.child(1);
    EXPECT_EQ(groups.child(0).text(), "A");
    EXPECT_EQ(groups.child(1).localName(), "IssueSequence");
    EXPECT_TRUE(groups.child(1).hasLocalName("IssueSequence"));
    for (const char* other : {"Issue", "IssueSequences", "x:IssueSequence", ""})
        EXPECT_FALSE(groups.child(1).hasLocalName(other)) << other;
    EXPECT_TRUE(root.child(0).childTexts().empty());
    EXPECT_EQ(root.child(2).childTexts(), (std::vector<std::string>{"a", "<b>", "c", "&"}));
    EXPECT_EQ(root.child(2).text(), "a<b>c&");
    EXPECT_EQ(errorOf([&] { root.child(3); }), err::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { root.child(-1); }), err::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { XmlElement().childCount(); }), err::ObjectNotSet);
}

TEST(XmlDocument_elements, leadingTextsKeepTheirPlaceAtEveryDepth) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXml("<o>x<i>y<j>z</j>w</i><![CDATA[c]]>v</o>"));
    EXPECT_EQ(document.root().text(), "xyzwcv");
    EXPECT_EQ(document.root().childTexts(), (std::vector<std::string>{"x", "yzw", "c", "v"}));
    EXPECT_EQ(document.root().child(0).childTexts(), (std::vector<std::string>{"y", "z", "w"}));
}

TEST(XmlDocument_load, failedTransfersLeaveNoRoot) {
    const std::pair<const char*, HttpResponse> cases[] = {
        {"refused", HttpResponse{false, 0, {}, "Connection refused"}},
        {"server error", HttpResponse{true, 500, "<error/>", {}}},
        {"not found", HttpResponse{true, 404, "<html/>", {}}},
        {"malformed", HttpResponse{true, 200, "<a><b></a>", {}}},
    };
    for (const auto& [name, response] : cases) {
        XmlDocument document([&](const std::string&) { return response; });
        EXPECT_TRUE(document.loadXml("<ok/>"));
        EXPECT_FALSE(document.load("http://server/PODiscussion.asp?OrderID=1")) << name;
        EXPECT_TRUE(document.root().isNull()) << name;
        EXPECT_FALSE(document.parseError().empty()) << name;
    }
}

}  // namespace
}  // namespace jex
