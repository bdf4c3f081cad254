#include "platform/inet_transfer.h"

#include <curl/curl.h>

#include "platform/curl_support.h"
#include "platform/error.h"

namespace jex {

namespace {

constexpr const char* kSource = "Inet";
constexpr int kPollMilliseconds = 10;
// The component waits this long for a connection, or for the next byte of an answer.
constexpr long kRequestTimeoutSeconds = 60;
constexpr std::string_view kLineBreak = "\r\n";

[[noreturn]] void cannotStart(const std::string& why) {
    raiseComponent(inetErr::CannotStart, "Unable to start the request: " + why, kSource);
}

// The header lines as the transfer library takes them, plus an empty "Expect:" so that a large
// body goes at once instead of after a wait for the server's consent.
curl_slist* headerList(std::string_view headers) {
    curl_slist* list = curl_slist_append(nullptr, "Expect:");
    while (list && !headers.empty()) {
        const size_t end = headers.find(kLineBreak);
        const std::string line(headers.substr(0, end));
        headers = end == std::string_view::npos ? "" : headers.substr(end + kLineBreak.size());
        if (line.empty()) continue;
        curl_slist* longer = curl_slist_append(list, line.c_str());
        if (!longer) curl_slist_free_all(list);
        list = longer;
    }
    return list;
}

}  // namespace

InetTransfer::~InetTransfer() {
    releaseRequest();
    if (m_multi) curl_multi_cleanup(m_multi);
}

void InetTransfer::execute(const std::string& url, const std::string& operation,
                           const std::string& body, const std::string& headers) {
    if (m_executing)
        raiseComponent(inetErr::StillExecuting, "Still executing last request", kSource);
    if (operation != "Post" && operation != "Get") cannotStart("operation " + operation);
    releaseRequest();
    m_answer.clear();
    m_readPosition = 0;
    m_responseCode = 0;
    m_responseInfo.clear();
    m_requestBody = operation == "Post" ? body : "";
    try {
        startRequest(url, operation, headers);
    } catch (...) {
        releaseRequest();
        throw;
    }
    m_executing = true;
}

void InetTransfer::startRequest(const std::string& url, const std::string& operation,
                                const std::string& headers) {
    if (!ensureCurlInitialised()) cannotStart("the transfer library could not be initialised");
    if (!m_multi) m_multi = curl_multi_init();
    m_easy = curl_easy_init();
    m_headerList = headerList(headers);
    if (!m_multi || !m_easy || !m_headerList) cannotStart("out of resources");

    m_errorBuffer.assign(CURL_ERROR_SIZE, '\0');
    curl_easy_setopt(m_easy, CURLOPT_URL, url.c_str());
    curl_easy_setopt(m_easy, CURLOPT_NOSIGNAL, 1L);
    // One request a save: a connection kept open would only hold the server's worker.
    curl_easy_setopt(m_easy, CURLOPT_FORBID_REUSE, 1L);
    curl_easy_setopt(m_easy, CURLOPT_ERRORBUFFER, m_errorBuffer.data());
    curl_easy_setopt(m_easy, CURLOPT_CONNECTTIMEOUT, kRequestTimeoutSeconds);
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(m_easy, CURLOPT_LOW_SPEED_TIME, kRequestTimeoutSeconds);
    curl_easy_setopt(m_easy, CURLOPT_HTTPHEADER, m_headerList);
    curl_easy_setopt(m_easy, CURLOPT_WRITEFUNCTION, appendToString);
    curl_easy_setopt(m_easy, CURLOPT_WRITEDATA, &m_answer);
    if (operation == "Post") {
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(m_requestBody.size()));
        curl_easy_setopt(m_easy, CURLOPT_POSTFIELDS, m_requestBody.data());
    }
    const CURLMcode added = curl_multi_add_handle(m_multi, m_easy);
    if (added != CURLM_OK) cannotStart(curl_multi_strerror(added));
}

void InetTransfer::pump() {
    if (!m_executing) return;
    int running = 0;
    CURLMcode code = curl_multi_poll(m_multi, nullptr, 0, kPollMilliseconds, nullptr);
    if (code == CURLM_OK) code = curl_multi_perform(m_multi, &running);
    if (code != CURLM_OK) {
        m_responseInfo = curl_multi_strerror(code);
        finish(CURLE_RECV_ERROR);
        return;
    }
    int queued = 0;
    while (CURLMsg* message = curl_multi_info_read(m_multi, &queued)) {
        if (message->msg != CURLMSG_DONE) continue;
        finish(message->data.result);
        return;
    }
}

void InetTransfer::finish(int result) {
    m_executing = false;
    const auto code = static_cast<CURLcode>(result);
    if (code == CURLE_OK) {
        curl_easy_getinfo(m_easy, CURLINFO_RESPONSE_CODE, &m_responseCode);
    } else {
        m_answer.clear();
        if (m_responseInfo.empty()) {
            m_responseInfo =
                m_errorBuffer[0] != '\0' ? m_errorBuffer.c_str() : curl_easy_strerror(code);
        }
    }
    releaseRequest();
    announce(code == CURLE_OK ? kResponseCompleted : kError);
}

void InetTransfer::releaseRequest() {
    if (m_easy) {
        if (m_multi) curl_multi_remove_handle(m_multi, m_easy);
        curl_easy_cleanup(m_easy);
        m_easy = nullptr;
    }
    if (m_headerList) {
        curl_slist_free_all(static_cast<curl_slist*>(m_headerList));
        m_headerList = nullptr;
    }
}

void InetTransfer::announce(int16_t state) {
    if (onStateChanged) onStateChanged(state);
}

std::string InetTransfer::getChunk(int16_t size, int32_t /*dataType*/) {
    if (size < 1 || m_readPosition >= m_answer.size()) return {};
    std::string chunk = m_answer.substr(m_readPosition, static_cast<size_t>(size));
    m_readPosition += chunk.size();
    return chunk;
}

}  // namespace jex
