#pragma once

#include <string>
#include <vector>

#include "data/record_table.h"

namespace jex {

// The batches that store the marked rows of both tables, for the order key and the user literal
// in their written forms, ending in one empty entry: new issues each with their comments, then
// the stored issues' changes and the comments of stored issues in one batch, then the order's
// open-problem flag. The marks of the rows written are cleared. Raises the tables' errors;
// nothing written before a failure is undone, and the tables' filters stay set.
std::vector<std::string> buildSaveBatches(RecordTable& issues, RecordTable& comments,
                                          std::string orderKey, std::string userLiteral);

}  // namespace jex
