#include "platform/curl_support.h"

#include <curl/curl.h>

#include <string>

namespace jex {

bool ensureCurlInitialised() {
    static const bool initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return initialised;
}

size_t appendToString(char* data, size_t size, size_t count, void* text) {
    try {
        static_cast<std::string*>(text)->append(data, size * count);
        return size * count;
    } catch (...) {
        return 0;
    }
}

}  // namespace jex
