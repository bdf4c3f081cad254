#pragma once

#include <string>

#include "sql_connection.h"

namespace jex::server {

// The size of a generated order.
struct OrderShape {
    std::string orderId;
    int issues = 0;
    int comments = 0;  // spread over the issues; needs at least one issue
};

// Writes order shape.orderId with shape.issues issues (sequences 1..n) and shape.comments comments
// (sequences 1..m in date order), replacing whatever the order held. The rows read like a busy
// order's discussion: texts of varied length, some issues resolved, follow-ups and focus flags on
// some comments, types, priorities and comment types taken from the vocabulary tables. The same
// shape always gives the same rows. Runs in one transaction of its own: on failure nothing of it
// stays. Throws std::invalid_argument for counts the control can't number (negative, beyond 16
// bits, comments without issues) or a database without vocabularies, SqlError for a failing
// database.
void generateOrder(SqlConnection& connection, const OrderShape& shape);

}  // namespace jex::server
