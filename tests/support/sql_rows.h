#pragma once

#include <cstdint>
#include <string>

#include "sql_connection.h"
#include "sql_values.h"

namespace jex::test {

// Every row of a query as text: columns joined by "|", each row ended by "\n", NULL as "NULL";
// the error text when the query fails.
inline std::string rows(server::SqlConnection& connection, const std::string& sql) {
    std::string text;
    try {
        const auto query = connection.prepare(sql);
        while (query->step()) {
            for (int column = 0; column < query->columnCount(); ++column) {
                const server::SqlValue value = query->column(column);
                if (const auto* number = std::get_if<std::int64_t>(&value)) {
                    text += std::to_string(*number);
                } else if (const auto* characters = std::get_if<std::string>(&value)) {
                    text += *characters;
                } else {
                    text += "NULL";
                }
                text += column + 1 < query->columnCount() ? "|" : "\n";
            }
        }
    } catch (const server::SqlError& error) {
        return error.what();
    }
    return text;
}

// The first column of the first row as a whole number (0 for what is none); -1 when there is no
// row.
inline std::int64_t number(server::SqlConnection& connection, const std::string& sql) {
    const auto query = connection.prepare(sql);
    return query->step() ? server::wholeNumberOf(query->column(0)).value_or(0) : -1;
}

}  // namespace jex::test
