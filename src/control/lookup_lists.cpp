#include <algorithm>

#include "control/jex_po_discussions_xml.h"
#include "platform/int16.h"

// The vocabularies of the order: issue types and groups as lookup lists behind their pickers,
// priorities as the captions of the priority menu, comment types as the entries of their
// picker. Each load replaces what an earlier order left, so a reload never shows the first
// order's vocabularies.
namespace jex {
namespace {

// The text of field element `position` of a record; raises Object variable not set (91) when
// the record has fewer field elements.
std::string fieldText(const XmlElement& record, int position) {
    return record.child(position).text();
}

LookupEntry readEntry(const XmlElement& record) {
    return {fieldText(record, 0), fieldText(record, 1), fieldText(record, 2)};
}

// Reads each record of `records` into `list` and its description into `picker`, the picker
// entry first, so that a record cut short leaves its entry in the picker only.
void fillLookup(const XmlElement& records, LookupList& list, ui::ComboBox& picker) {
    list.clear();
    picker.clear();
    const int count = records.childCount();
    for (int i = 0; i < count; ++i) {
        const XmlElement record = records.child(i);
        picker.addItem(fieldText(record, 1));
        list.push_back(readEntry(record));
    }
}

// Lookup codes are held as text and compared as numbers; a code that is not a number raises
// Type mismatch (13).
double codeValue(const std::string& code) { return Value(code).toDouble(); }

constexpr int kFirstPriorityItem = 1;

// Menu item k carries priority k; the design-time item 1 stays even without priorities.
void showPriorities(ui::PopupMenu& menu, const std::vector<std::string>& captions) {
    menu.setCaption(kFirstPriorityItem, captions.empty() ? std::string() : captions.front());
    const int count = static_cast<int>(captions.size());
    for (int k = kFirstPriorityItem + 1; k <= count; ++k) {
        if (!menu.exists(k)) menu.load(k);
        menu.setCaption(k, captions[static_cast<size_t>(k - 1)]);
    }
    for (int k = menu.upperBound(); k > std::max(count, kFirstPriorityItem); --k) {
        if (menu.exists(k)) menu.unload(k);
    }
}

}  // namespace

void JEXPODiscussionsXML::DiscussionTypes() {
    trap("DiscussionTypes", [&] { fillLookup(section(0), DiscussionTypeList, cboDiscussionType); });
}

void JEXPODiscussionsXML::DiscussionGroups() {
    trap("DiscussionGroups", [&] {
        fillLookup(section(1), DiscussionGroupList, cboDiscussionGroup);
        // Choosing the first group narrows the type picker to its types.
        cboDiscussionGroup.setListIndex(0);
    });
}

void JEXPODiscussionsXML::DiscussionPriorities() {
    trap("DiscussionPriorities", [&] {
        const XmlElement records = section(2);
        std::vector<std::string> PriorityList;
        const int count = records.childCount();
        for (int i = 0; i < count; ++i) PriorityList.push_back(fieldText(records.child(i), 0));
        showPriorities(mnuPriority, PriorityList);
    });
}

void JEXPODiscussionsXML::CommentTypes() {
    trap("CommentTypes", [&] {
        const XmlElement records = section(3);
        cboCommentType.clear();
        const int count = records.childCount();
        for (int i = 0; i < count; ++i) cboCommentType.addItem(fieldText(records.child(i), 1));
        cboCommentType.setListIndex(0);
    });
}

void JEXPODiscussionsXML::DisplayDiscussionTypes() {
    trap("DisplayDiscussionTypes", [&] {
        const int16_t group = GroupIndex(cboDiscussionGroup.text());
        cboDiscussionType.clear();
        for (const LookupEntry& type : DiscussionTypeList) {
            if (codeValue(type[2]) == group) cboDiscussionType.addItem(type[1]);
        }
        cboDiscussionType.setListIndex(0);
    });
}

int16_t JEXPODiscussionsXML::GroupIndex(const std::string& description) {
    int16_t code = 0;
    trap("GroupIndex", [&] {
        for (const LookupEntry& group : DiscussionGroupList) {
            if (group[1] != description) continue;
            code = Value(group[0]).toInteger();
            return;
        }
    });
    return code;
}

// The issue types are looked up by description; the comment types, the only other types, by
// their entry in the comment-type picker, whose position is their code.
int16_t JEXPODiscussionsXML::TypeIndex(const std::string& description, bool issueTypes) {
    int16_t code = 0;
    trap("TypeIndex", [&] {
        if (!issueTypes) {
            const auto& entries = cboCommentType.items();
            const auto found = std::find(entries.begin(), entries.end(), description);
            if (found != entries.end()) code = toInt16(found - entries.begin());
            return;
        }
        for (const LookupEntry& type : DiscussionTypeList) {
            if (type[1] != description) continue;
            code = Value(type[0]).toInteger();
            return;
        }
    });
    return code;
}

int16_t JEXPODiscussionsXML::PriorityIndex(const std::string& caption) {
    int16_t code = 0;
    trap("PriorityIndex", [&] {
        for (const auto& [index, item] : mnuPriority.items()) {
            if (index < kFirstPriorityItem || item.caption != caption) continue;
            code = toInt16(index);
            return;
        }
    });
    return code;
}

}  // namespace jex
