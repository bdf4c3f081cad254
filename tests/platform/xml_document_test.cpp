// Loading over HTTP itself is on the issue and comment roads and in the load tests, which fetch
// from real servers.
#include "platform/xml_document.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/error.h"
#include "support/error_of.h"

namespace jex {
namespace {

using test::errorOf;

// Malformed text and failed transfers alike leave no root of what was loaded before.
TEST(XmlDocument_load, refusesWhatIsNotWellFormedOrNotFetched) {
    const auto refuses = [](const HttpResponse& response, const char* text) {
        XmlDocument document([&](const std::string&) { return response; });
        EXPECT_TRUE(document.loadXml("<ok/>"));
        EXPECT_FALSE(text ? document.loadXml(text) : document.load("http://server/x.asp?a=1"))
            << (text ? text : response.body);
        EXPECT_TRUE(document.root().isNull());
        EXPECT_FALSE(document.parseError().empty());
    };
    for (const char* text :
         {"", "not xml", "<a><b></a>", "<a>", "<a/><b/>", "text<a/>", "<a/>text", "<!-- c -->"})
        refuses({}, text);
    for (const HttpResponse& response :
         {HttpResponse{false, 0, {}, "Connection refused"}, HttpResponse{true, 500, "<error/>", {}},
          HttpResponse{true, 404, "<html/>", {}}, HttpResponse{true, 200, "<a><b></a>", {}}})
        refuses(response, nullptr);
}

TEST(XmlDocument_elements, positionsCountElementsOnlyAndTextsJoinTheirPartsInPlace) {
    XmlDocument document;
    ASSERT_TRUE(document.loadXml(
        "<?xml version=\"1.0\"?>\n<root xmlns:x=\"urn:x\">\n  <types/>\n  <groups>\n"
        "    <g>A</g>\n    <x:Sequence>7</x:Sequence>\n  </groups>\n"
        "  <mixed>a<![CDATA[<b>]]><i>c</i>&amp;</mixed>\n"
        "  <o>x<i>y<j>z</j>w</i><![CDATA[c]]>v</o>\n</root>\n"));
    const XmlElement root = document.root();
    EXPECT_EQ(root.childCount(), 4);
    const XmlElement groups = root.child(1);
    EXPECT_EQ(groups.child(0).text(), "A");
    EXPECT_EQ(groups.child(1).localName(), "Sequence");
    for (const std::string_view name : {"Sequence", "Seq", "Sequences", "x:Sequence", ""})
        EXPECT_EQ(groups.child(1).hasLocalName(name), name == "Sequence") << name;
    EXPECT_TRUE(root.child(0).childTexts().empty());
    EXPECT_EQ(root.child(2).childTexts(), (std::vector<std::string>{"a", "<b>", "c", "&"}));
    EXPECT_EQ(root.child(2).text(), "a<b>c&");
    const XmlElement o = root.child(3);
    EXPECT_EQ(o.text(), "xyzwcv");
    EXPECT_EQ(o.childTexts(), (std::vector<std::string>{"x", "yzw", "c", "v"}));
    EXPECT_EQ(o.child(0).childTexts(), (std::vector<std::string>{"y", "z", "w"}));
    EXPECT_EQ(errorOf([&] { root.child(4); }), err::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { root.child(-1); }), err::ObjectNotSet);
    EXPECT_EQ(errorOf([&] { XmlElement().childCount(); }), err::ObjectNotSet);
}

}  // namespace
}  // namespace jex
