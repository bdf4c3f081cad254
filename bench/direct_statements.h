#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The floor of a save: the SQL the server ends up running, without the control, the transfer or
// the batch translation around it.
namespace jex::bench {

// Every statement the server's batch runner executes for the batches, in order, as SQLite ran it
// (T-SQL translated, variables' values written in), captured by running the batches once on the
// database file, which they change. Throws std::runtime_error when the batches don't store.
std::vector<std::string> executedStatements(const std::filesystem::path& database,
                                            const std::vector<std::string>& batches);

// Runs the statements in one transaction on a connection of its own, with the GETDATE() the
// statements call. Throws std::runtime_error carrying SQLite's message; nothing stays then.
void runInOneTransaction(const std::filesystem::path& database,
                         const std::vector<std::string>& statements);

}  // namespace jex::bench
