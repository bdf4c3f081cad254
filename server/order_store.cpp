#include <string_view>

#include "postgres_store.h"
#include "sql_connection.h"
#include "sqlite_store.h"

namespace jex::server {

namespace {

bool isPostgresUri(std::string_view connection) {
    return connection.starts_with("postgresql://") || connection.starts_with("postgres://");
}

}  // namespace

std::unique_ptr<OrderStore> openOrderStore(const std::string& connection,
                                           const StoreOptions& options) {
    if (isPostgresUri(connection)) return openPostgresStore(connection, options.grantTo);
    return openSqliteStore(connection);
}

}  // namespace jex::server
