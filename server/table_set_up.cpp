#include "table_set_up.h"

#include "demo_data.h"
#include "schema.h"

namespace jex::server {

void setUpTables(SqlConnection& connection) {
    const SchemaState state = schemaState(connection);
    if (state != SchemaState::Complete) createSchema(connection);
    if (state == SchemaState::Empty) insertDemoData(connection);
}

}  // namespace jex::server
