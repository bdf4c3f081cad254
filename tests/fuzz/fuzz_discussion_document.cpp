// Arbitrary bytes as an order's discussion document: loading them ends in loaded tables or in
// the control's error reports, never in a crash, a hang or a leak. The control reads the
// document through a file:// base address, which libcurl reads as it reads the server's page,
// so no server runs per input.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "control/headless_services.h"

namespace {

// The page the control asks for, in a directory of its own that goes with the process.
class DocumentFile {
  public:
    DocumentFile() {
        std::string pattern = (baseDirectory() / "jex-fuzz-document-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        m_directory = pattern;
    }
    ~DocumentFile() {
        std::error_code ignored;
        std::filesystem::remove_all(m_directory, ignored);
    }

    void write(const uint8_t* data, size_t size) const {
        std::ofstream page(m_directory / "PODiscussion.asp", std::ios::binary | std::ios::trunc);
        page.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    std::string baseAddress() const { return "file://" + m_directory.string(); }

  private:
    // Memory-backed when the system has it: the page is rewritten for every input.
    static std::filesystem::path baseDirectory() {
        std::error_code ignored;
        if (std::filesystem::is_directory("/dev/shm", ignored)) return "/dev/shm";
        return std::filesystem::temp_directory_path();
    }

    std::filesystem::path m_directory;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const DocumentFile page;
    page.write(data, size);
    jex::HeadlessServices host;
    jex::JEXPODiscussionsXML control(host.services());
    control.LoadData(page.baseAddress(), "PO1001");
    // What was loaded also goes out again: the exports and the save batches read every field.
    (void)control.GetDiscussions("|", "\n");
    (void)control.GetComments("|", "\n");
    (void)control.SaveDataToIIS("\n");
    return 0;
}
