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

// The page the control asks for, in a directory of its own that goes with the process;
// memory-backed when the system has it, as the page is rewritten for every input.
std::filesystem::path pageDirectory() {
    static std::string directory;
    for (const char* base : {"/dev/shm", "/tmp"}) {
        directory = std::string(base) + "/jex-fuzz-document-XXXXXX";
        if (mkdtemp(directory.data()) != nullptr) break;
    }
    std::atexit([] {
        std::error_code ignored;
        std::filesystem::remove_all(directory, ignored);
    });
    return directory;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::filesystem::path directory = pageDirectory();
    std::ofstream(directory / "PODiscussion.asp", std::ios::binary)
        .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    jex::HeadlessServices host;
    jex::JEXPODiscussionsXML control(host.services());
    control.LoadData("file://" + directory.string(), "PO1001");
    // What was loaded also goes out again: the exports and the save batches read every field.
    (void)control.GetDiscussions("|", "\n");
    (void)control.GetComments("|", "\n");
    (void)control.SaveDataToIIS("\n");
    return 0;
}
