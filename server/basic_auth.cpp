#include "basic_auth.h"

#include <httplib.h>
#include <openssl/crypto.h>
#include <openssl/evp.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <stdexcept>

#include "platform/text.h"

namespace jex::server {

namespace {

constexpr std::string_view kScheme = "basic ";

// What follows the scheme in an Authorization value: the encoded "user:password".
std::string_view tokenOf(std::string_view authorization) {
    return trimSpacesAndTabs(authorization.substr(kScheme.size()));
}

}  // namespace

Credentials readCredentialsFile(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::string line;
    if (!in || !std::getline(in, line)) {
        throw std::runtime_error("cannot read the credentials in " + file.string());
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos || colon == 0) {
        throw std::runtime_error(file.string() + " must hold one line \"user:password\"");
    }
    return {line.substr(0, colon), line.substr(colon + 1)};
}

BasicAuth::BasicAuth(const Credentials& credentials) {
    const auto header =
        httplib::make_basic_authentication_header(credentials.user, credentials.password);
    if (!digestOf(tokenOf(header.second), m_expected)) {
        throw std::runtime_error("cannot prepare the credentials check");
    }
}

bool BasicAuth::admits(std::string_view authorization) const noexcept {
    if (!startsWithIgnoringCase(authorization, kScheme)) return false;
    // Equal digests of equal length, compared in full: neither the length nor the first
    // difference of what was sent shows in the time.
    Digest sent{};
    if (!digestOf(tokenOf(authorization), sent)) return false;
    return CRYPTO_memcmp(sent.data(), m_expected.data(), sent.size()) == 0;
}

bool BasicAuth::digestOf(std::string_view text, Digest& digest) noexcept {
    unsigned int length = 0;
    return EVP_Digest(text.data(), text.size(), digest.data(), &length, EVP_sha256(), nullptr) ==
               1 &&
           length == digest.size();
}

}  // namespace jex::server
