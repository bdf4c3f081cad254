#include "bench_support.h"

#include <curl/curl.h>

#include <memory>
#include <stdexcept>

namespace jex::bench {

namespace {

constexpr const char* kBenchUser = "Bench User|900|1";
// Batches never hold this character, so it can carry them through SaveDataToIIS.
constexpr const char* kBatchSeparator = "\x1e";

struct CurlFree {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};

size_t appendBody(char* data, size_t size, size_t count, void* body) {
    static_cast<std::string*>(body)->append(data, size * count);
    return size * count;
}

std::string perform(CURL* curl, const std::string& url) {
    std::string body;
    curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, appendBody);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &body);
    const CURLcode result = curl_easy_perform(curl);
    if (result != CURLE_OK) {
        throw std::runtime_error(url + ": " + curl_easy_strerror(result));
    }
    long status = 0;
    curl_easy_getinfo(curl, CURLINFO_RESPONSE_CODE, &status);
    if (status >= 400) {
        throw std::runtime_error(url + ": HTTP " + std::to_string(status) + " " + body);
    }
    return body;
}

std::unique_ptr<CURL, CurlFree> newHandle() {
    std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) throw std::runtime_error("libcurl could not start a transfer");
    return curl;
}

}  // namespace

Paths& paths() {
    static Paths shared;
    return shared;
}

LocalServer::LocalServer(const std::filesystem::path& database)
    : server(database), base("http://127.0.0.1:" + std::to_string(server.start()) + "/") {}

const std::string& generatedBase() {
    static LocalServer shared(paths().database);
    return shared.base;
}

std::string loadUrl(const std::string& base, const char* orderId) {
    return base + "/PODiscussion.asp?OrderID=" + orderId;
}

HeadlessControl::HeadlessControl() {
    control.setUserName(kBenchUser);
    control.setCorporateLevel(true);
}

void HeadlessControl::load(const std::string& base, const char* orderId) {
    control.LoadData(base, orderId);
    requireNoMessage(std::string("loading ") + orderId);
}

void HeadlessControl::requireNoMessage(const std::string& what) const {
    if (host.messageBox.shown().empty()) return;
    throw std::runtime_error(what + ": " + host.messageBox.shown().front().text);
}

std::vector<std::string> pendingBatches(JEXPODiscussionsXML& control) {
    const std::string text = control.SaveDataToIIS(kBatchSeparator);
    std::vector<std::string> batches;
    for (std::size_t begin = 0; begin < text.size();) {
        const std::size_t end = text.find(kBatchSeparator, begin);
        batches.push_back(text.substr(begin, end - begin));
        begin = end + 1;
    }
    return batches;
}

std::string formBody(JEXPODiscussionsXML& control, const std::vector<std::string>& batches) {
    std::string body;
    for (const std::string& batch : batches) body += "SQL=" + control.urlEncode(batch) + "&";
    return body;
}

std::string curlGet(const std::string& url) {
    const auto curl = newHandle();
    return perform(curl.get(), url);
}

std::string curlPost(const std::string& url, const std::string& body) {
    const auto curl = newHandle();
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body.size()));
    curl_easy_setopt(curl.get(), CURLOPT_POSTFIELDS, body.data());
    return perform(curl.get(), url);
}

void copyDatabase(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing);
}

std::filesystem::path scratchCopy(const std::string& name) {
    const std::filesystem::path copy = paths().scratch / name;
    copyDatabase(paths().database, copy);
    return copy;
}

}  // namespace jex::bench
