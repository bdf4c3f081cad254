// The form encoding of the save request, from the Western European code page.
#include <gtest/gtest.h>

#include <string>

#include "control/headless_services.h"

namespace jex {
namespace {

TEST(UrlEncode, Characters_takeTheirFormFromTheCodePage) {
    struct Case {
        const char* text;
        const char* encoded;
    };
    const Case cases[] = {
        {"a b", "a+b"},
        {"50%", "50%25"},
        {"\t", "%09"},
        {"\r\n", "%0D%0A"},
        {"Joe's", "Joe%27s"},
        {"_-.*", "_-.*"},
        {"AZaz09", "AZaz09"},
        {"=&+/", "%3D%26%2B%2F"},
        {"caf\u00e9", "caf%E9"},
        {"\u20ac5", "%805"},
        {"\u00ff\u0178", "%FF%9F"},
        {"\u4e2d", "%3F"},
        {"\xff", "%3F"},
        {"\u0080\u2026", "%3F%85"},  // a C1 control the code page replaces, and one it holds
        {"", ""},
    };
    HeadlessServices host;
    JEXPODiscussionsXML control(host.services());
    for (const Case& c : cases) EXPECT_EQ(control.urlEncode(c.text), c.encoded) << c.text;
    EXPECT_TRUE(host.messageBox.shown().empty());
}

}  // namespace
}  // namespace jex
