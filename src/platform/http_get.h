#pragma once

#include <string>

namespace jex {

// The outcome of one HTTP GET. `transferOk` is false when no complete answer arrived (refused
// connection, timeout, malformed address); `error` then says why and `status` is 0.
struct HttpResponse {
    bool transferOk = false;
    long status = 0;
    std::string body;
    std::string error;
};

// Fetches `url` synchronously, following no redirects, giving up after about 10 s without a
// connection or 60 s in all. Never throws: every failure is reported in the response.
HttpResponse httpGet(const std::string& url);

}  // namespace jex
