#include "control/jex_po_discussions_xml.h"
#include "platform/int16.h"

namespace jex {
namespace {

// The text split at every bar; raises Subscript out of range (9) for a part that isn't there.
class BarFields {
  public:
    explicit BarFields(std::string_view text) {
        std::size_t start = 0;
        for (;;) {
            const std::size_t bar = text.find('|', start);
            m_parts.emplace_back(text.substr(start, bar - start));
            if (bar == std::string_view::npos) break;
            start = bar + 1;
        }
        if (text.empty()) m_parts.clear();
    }
    const std::string& operator[](std::size_t i) const {
        if (i >= m_parts.size()) raiseRuntime(err::SubscriptOutOfRange);
        return m_parts[i];
    }

  private:
    std::vector<std::string> m_parts;
};

}  // namespace

void JEXPODiscussionsXML::setCorporateLevel(bool pbNewCorporateLevel) {
    CorporateLevel = pbNewCorporateLevel;
}

void JEXPODiscussionsXML::setViewMode(int32_t pmViewMode) { ViewMode = toInt16(pmViewMode); }

// The three parts are stored in order, so a failure part-way leaves the earlier ones stored
// and the whole text unchanged.
void JEXPODiscussionsXML::setUserName(const std::string& ptNewUserName) {
    const BarFields fields(ptNewUserName);
    CurrentUserName = fields[0];
    CurrentPersonID = fields[1];
    CurrentPersonType = Value(fields[2]).toInteger();
    UserName = ptNewUserName;
}

}  // namespace jex
