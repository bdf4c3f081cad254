#include "control/jex_po_discussions_xml.h"
#include "save/batch_builder.h"
#include "save/sql_values.h"

namespace jex {
namespace {

// What the batches name as the order when no order is loaded.
constexpr const char* kMissingOrderKey = "PO_NUMBER_REQUIRED";

}  // namespace

// The batches that store the marked rows, ending in one empty entry; the marks of the rows
// written are cleared. After a failure, reported here, nothing is undone: rows written before
// it stay unmarked and the filters stay set.
std::optional<std::vector<std::string>> JEXPODiscussionsXML::FormatData() {
    std::optional<std::vector<std::string>> batches;
    trap("FormatData", [&] {
        const std::string orderKey = OrderID.empty() ? kMissingOrderKey : OrderID;
        batches = buildSaveBatches(*DiscussionTable, *CommentTable, sql::quoted(Value(orderKey)),
                                   sql::emptyIsBlank(Value(UserName)));
    });
    return batches;
}

}  // namespace jex
