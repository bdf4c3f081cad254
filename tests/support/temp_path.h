#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <string>

namespace jex::test {

// A file name in the temporary directory, unique to this process and call; the file (and the
// journal files beside it) are removed when the object goes.
class TempPath {
  public:
    explicit TempPath(const std::string& stem = "jex-test") {
        static std::atomic<int> counter{0};
        m_path = std::filesystem::temp_directory_path() / (stem + "-" + std::to_string(::getpid()) +
                                                           "-" + std::to_string(counter++) + ".db");
        removeAll();
    }
    ~TempPath() { removeAll(); }
    const std::filesystem::path& path() const { return m_path; }

  private:
    void removeAll() {
        std::error_code ec;
        for (const char* suffix : {"", "-wal", "-shm", "-journal"}) {
            std::filesystem::remove(m_path.string() + suffix, ec);
        }
    }
    std::filesystem::path m_path;
};

}  // namespace jex::test
