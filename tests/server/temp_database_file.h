#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

namespace jex::server::testing {

// A database file name under the temporary directory, unique to the running test and process;
// the file and SQLite's journal are removed with the object.
class TempDatabaseFile {
  public:
    TempDatabaseFile() {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string("jex-") + test->test_suite_name() + "-" + test->name() +
                           "-" + std::to_string(getpid()) + ".db";
        for (char& c : name) {
            if (c == '/') c = '_';
        }
        m_path = std::filesystem::temp_directory_path() / name;
        removeFiles();
    }
    ~TempDatabaseFile() { removeFiles(); }
    TempDatabaseFile(const TempDatabaseFile&) = delete;
    TempDatabaseFile& operator=(const TempDatabaseFile&) = delete;

    const std::filesystem::path& path() const { return m_path; }

  private:
    void removeFiles() {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        std::filesystem::remove(m_path.string() + "-journal", ignored);
    }

    std::filesystem::path m_path;
};

}  // namespace jex::server::testing
