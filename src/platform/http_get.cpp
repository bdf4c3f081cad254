#include "platform/http_get.h"

#include <curl/curl.h>

#include <memory>
#include <string>

#include "platform/curl_support.h"

namespace jex {

namespace {

constexpr long kConnectTimeoutSeconds = 10;
constexpr long kTotalTimeoutSeconds = 60;
// Room made ahead for an announced length beyond this is left to grow as the body arrives.
constexpr curl_off_t kLargestReservation = curl_off_t{1} << 30;

// The answer's body. Room for the length the server announces is made once, before the first
// piece arrives, so that a large document is not copied over and over as it grows.
struct BodySink {
    CURL* curl;
    std::string* body;
    bool sized = false;
};

void reserveAnnouncedLength(BodySink& sink) {
    sink.sized = true;
    curl_off_t length = -1;
    if (curl_easy_getinfo(sink.curl, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length) != CURLE_OK ||
        length <= 0 || length > kLargestReservation)
        return;
    try {
        sink.body->reserve(static_cast<size_t>(length));
    } catch (...) {
        // Without the room made ahead the body still grows as it arrives.
    }
}

size_t appendToBody(char* data, size_t size, size_t count, void* sink) {
    auto& body = *static_cast<BodySink*>(sink);
    if (!body.sized) reserveAnnouncedLength(body);
    return appendToString(data, size, count, body.body);
}

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
    BodySink sink{curl.get(), &response.body};
    curl_easy_setopt(curl.get(), CURLOPT_WRITEFUNCTION, appendToBody);
    curl_easy_setopt(curl.get(), CURLOPT_WRITEDATA, &sink);

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
