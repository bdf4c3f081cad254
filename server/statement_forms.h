#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "batch_tokens.h"
#include "sql_connection.h"

namespace jex::server {

// A statement that is not one the control writes, or a request that names two orders: refused
// before any database sees it.
class StatementRefused : public std::runtime_error {
  public:
    explicit StatementRefused(const std::string& what)
        : std::runtime_error("statement not allowed: " + what) {}
};

// One statement shape of the control's batch builder, written by the builder itself with its
// values left open: the places a value stands are slot tokens (isSlot()).
struct StatementForm {
    Tokens tokens;       // as written, blanks included: they view text that lives on
    Tokens significant;  // the same without the blanks, as statements are matched
};

// A posted statement recognized as one of the shapes: the shape's tokens, and the values the
// statement wrote into its slots, in order, as they are bound (text unquoted, whole numbers,
// NULL).
struct RecognizedStatement {
    const StatementForm* form;
    std::vector<SqlValue> values;
    std::string written;  // the statement as posted, for the error texts
};

using RecognizedBatch = std::vector<RecognizedStatement>;

// True for a token standing for a value of the shape.
bool isSlot(const Token& token);

// Every statement of every batch recognized, in order. A statement recognized must match a
// shape token for token (blanks aside, keywords and names in any letter case), with a literal
// in each slot: quoted text, a whole number, or Null; the order key in every statement of the
// request must be the same. Throws StatementRefused naming the first statement as posted that
// is none of the shapes (a comment, another table, column or condition, a subquery or function
// other than the shape's, a second statement), or the request's second order.
std::vector<RecognizedBatch> recognizeRequest(const std::vector<std::string>& batches);

}  // namespace jex::server
