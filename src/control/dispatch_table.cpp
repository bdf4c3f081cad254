#include "control/dispatch_table.h"

#include <algorithm>
#include <cctype>
#include <functional>

#include "control/jex_po_discussions_xml.h"
#include "platform/text.h"

namespace jex {
namespace {

using Args = std::span<const Value>;
using Call = std::function<Value(JEXPODiscussionsXML&, Args)>;

struct Entry {
    DispatchMember member;
    Call call;
};

Value none() { return Value(); }

const std::vector<Entry>& entries() {
    using C = JEXPODiscussionsXML;
    using K = InvokeKind;
    static const std::vector<Entry> table = {
        {{"CorporateLevel", 0x68030002, K::PropertyPut, 1},
         [](C& c, Args a) { return c.setCorporateLevel(a[0].toBoolean()), none(); }},
        {{"ViewMode", 0x68030001, K::PropertyPut, 1},
         [](C& c, Args a) { return c.setViewMode(a[0].toLong()), none(); }},
        {{"ViewMode", 0x68030001, K::PropertyGet, 0},
         [](C& c, Args) { return Value(c.viewMode()); }},
        {{"UserName", 0x68030000, K::PropertyPut, 1},
         [](C& c, Args a) { return c.setUserName(a[0].toText()), none(); }},
        {{"DiscussionTypes", 0x6003001D, K::Method, 0},
         [](C& c, Args) { return c.DiscussionTypes(), none(); }},
        {{"CommentTypes", 0x6003001E, K::Method, 0},
         [](C& c, Args) { return c.CommentTypes(), none(); }},
        {{"DiscussionGroups", 0x6003001F, K::Method, 0},
         [](C& c, Args) { return c.DiscussionGroups(), none(); }},
        {{"LetDiscussions", 0x60030021, K::Method, 0},
         [](C& c, Args) { return c.LetDiscussions(), none(); }},
        {{"LetComments", 0x60030022, K::Method, 0},
         [](C& c, Args) { return c.LetComments(), none(); }},
        {{"GetDiscussions", 0x60030023, K::Method, 2, true},
         [](C& c, Args a) { return Value(c.GetDiscussions(a[0].toText(), a[1].toText())); }},
        {{"GetComments", 0x60030024, K::Method, 2, true},
         [](C& c, Args a) { return Value(c.GetComments(a[0].toText(), a[1].toText())); }},
        {{"DiscussionPriorities", 0x60030025, K::Method, 0},
         [](C& c, Args) { return c.DiscussionPriorities(), none(); }},
        {{"SaveData", 0x60030036, K::Method, 0}, [](C& c, Args) { return c.SaveData(), none(); }},
        {{"SaveDataToIIS", 0x60030038, K::Method, 1, true},
         [](C& c, Args a) { return Value(c.SaveDataToIIS(a[0].toText())); }},
        {{"LoadData", 0x60030039, K::Method, 2},
         [](C& c, Args a) { return c.LoadData(a[0].toText(), a[1].toText()), none(); }},
        {{"urlEncode", 0x6003003A, K::Method, 1, true},
         [](C& c, Args a) { return Value(c.urlEncode(a[0].toText())); }},
        {{"StringToArray", 0x6003003B, K::Method, 3, true},
         [](C& c, Args a) { return c.StringToArray(a[0].toText(), a[1].toText(), a[2].toText()); }},
    };
    return table;
}

}  // namespace

std::span<const DispatchMember> dispatchMembers() {
    static const std::vector<DispatchMember> members = [] {
        std::vector<DispatchMember> list;
        for (const Entry& e : entries()) list.push_back(e.member);
        return list;
    }();
    return members;
}

std::optional<int32_t> dispidOf(std::string_view name) {
    for (const Entry& e : entries()) {
        if (equalsIgnoringCase(e.member.name, name)) return e.member.dispid;
    }
    return std::nullopt;
}

Value invoke(JEXPODiscussionsXML& control, int32_t dispid, InvokeKind kind, Args arguments) {
    auto it = std::ranges::find_if(entries(), [&](const Entry& e) {
        return e.member.dispid == dispid && e.member.kind == kind;
    });
    if (it == entries().end())
        raiseComponent(kMemberNotFound, "Member not found.", kDispatchSource);
    if (static_cast<int>(arguments.size()) != it->member.argumentCount) {
        raiseComponent(kBadParamCount, "Invalid number of parameters.", kDispatchSource);
    }
    return it->call(control, arguments);
}

}  // namespace jex
