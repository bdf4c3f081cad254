#pragma once

#include <string>
#include <string_view>

#include "sql_connection.h"

namespace jex::server {

// The discussion document of one order as UTF-8 XML: root PODiscussion with the sections
// DiscussionTypes, DiscussionGroups, DiscussionPriorities, CommentTypes, Issues and Comments, in
// that order. The control reads records by the position of their field elements; a NULL in the
// database (and the never-stored IsUpdated) becomes an empty element, a focus flag "True" or
// "False". An unknown order gives the vocabularies and empty Issues and Comments. Throws SqlError
// when a query fails.
std::string discussionDocument(SqlConnection& connection, std::string_view orderId);

}  // namespace jex::server
