#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>

namespace jex::server {

// The user name and password a client must send.
struct Credentials {
    std::string user;
    std::string password;
};

// The credentials in the first line of file, written "user:password" (the password may hold
// colons, the user name may not). Throws std::runtime_error when the file can't be read or the
// line has no colon or no user name.
Credentials readCredentialsFile(const std::filesystem::path& file);

// HTTP basic authentication against one set of credentials: it tells whether the Authorization
// header of a request carries them.
class BasicAuth {
  public:
    // The WWW-Authenticate value of a refusal, which asks a client for credentials.
    static constexpr const char* kChallenge = "Basic realm=\"JEXDiscussions\"";

    // Throws std::runtime_error when the check can't be prepared.
    explicit BasicAuth(const Credentials& credentials);

    // True when authorization (the header's value) names the basic scheme with exactly the
    // credentials given. The time taken doesn't depend on how much of the secret matches, so a
    // client can't guess it piece by piece. Never throws.
    bool admits(std::string_view authorization) const noexcept;

  private:
    using Digest = std::array<unsigned char, 32>;
    // False when the digest can't be made.
    static bool digestOf(std::string_view text, Digest& digest) noexcept;

    Digest m_expected{};
};

}  // namespace jex::server
