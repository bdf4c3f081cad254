#pragma once

#include <httplib.h>

#include <string>
#include <vector>

#include "support/save_statements.h"

namespace jex::test {

// A save of a new issue of order with one comment under it, both with the text tag, as the
// control writes it.
inline std::string newIssueSave(const std::string& order, const std::string& tag) {
    const std::string key = "'" + order + "'";
    return issueBase(order) + commentBase(order) + kIssueInsert + "Values(@MaxID+1," + key +
           ",2,1,'Dec 05, 2026 14:07:09','Ann|7|1','" + tag +
           "','Dec 19, 2026',Null,'', Null,GETDATE(),7,1,'',0);" + kNewIssueCommentInsert +
           "1,@MaxID+1 ," + key + ",1,'Dec 05, 2026 14:08:00','Ann|7|1','" + tag +
           "',-1,Null,0,Null,0,-1,GETDATE(),0,'7','1');";
}

// The url-encoded form body of a save request, one SQL field a batch.
inline std::string formBody(const std::vector<std::string>& batches) {
    std::string body;
    for (const std::string& batch : batches)
        body += "SQL=" + httplib::detail::encode_query_param(batch) + "&";
    return body;
}

}  // namespace jex::test
