#include "platform/http_get.h"

#include <curl/curl.h>

#include <memory>

#include "platform/curl_support.h"

namespace jex {

namespace {

constexpr long kConnectTimeoutSeconds = 10;
constexpr long kTotalTimeoutSeconds = 60;

struct CurlDeleter {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

}  // namespace

HttpResponse httpGet(const std::string& url) {
    HttpResponse response;
    if (!ensureCurlInitialised()) {
        response.error = "the transfer library could not be initialised";
        return response;
    }
    std::unique_ptr<CURL, CurlDeleter> curl(curl_easy_init());
    if (!curl) {
        response.error = "the transfer library could not start a transfer";
        return response;
    }
    char errorBuffer[CURL_ERROR_SIZE] = {};
    curl_easy_setopt(curl.get(), CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl.get(), CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl.get(), CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(curl.get(), CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_TIMEOUT, kTotalTimeoutSeconds);
    curl_easy_setopt(curl.get(), CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, appendToString);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &response.body);

    CURLcode result = curl_easy_perform(curl.get());
    if (result != CURLE_OK) {
        response.error = errorBuffer[0] != '\0' ? errorBuffer : curl_easy_strerror(result);
        response.body.clear();
        return response;
    }
    response.transferOk = true;
    curl_easy_getinfo(curl.get(), CURLINFO_RESPONSE_CODE, &response.status);
    return response;
}

}  // namespace jex
