#pragma once

#include <string>
#include <vector>

#include "sql_connection.h"

namespace jex::server {

// What became of a save request.
enum class BatchOutcome {
    Stored,   // every batch ran and the transaction was committed
    Refused,  // a statement was not one the control writes, or touched what it may not
    Failed,   // the database reported an error
};

struct BatchResult {
    BatchOutcome outcome = BatchOutcome::Stored;
    std::string error;  // empty when stored
};

// Runs the save batches that the control posts, in the T-SQL dialect its batch builder writes
// (DECLARE and SET of int @variables, INSERT INTO, UPDATE, GETDATE(), isnull), against the order
// database. Only those statement kinds run, and only against OrderDiscussion,
// OrderDiscussionComment and OrderHeader.
class BatchRunner {
  public:
    // Works on connection, which stays owned by the caller and is in no transaction.
    explicit BatchRunner(SqlConnection& connection) : m_connection(connection) {}

    // Runs the batches in order in one transaction; the variables a batch declares live only
    // within it. A request that meets a concurrent one runs again from the start, a bounded
    // number of times. Never throws: on any failure nothing of the request stays and the result
    // carries the error text, which names the statement at fault.
    BatchResult run(const std::vector<std::string>& batches) const;

  private:
    SqlConnection& m_connection;
};

}  // namespace jex::server
