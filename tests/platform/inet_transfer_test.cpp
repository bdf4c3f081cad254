// The asynchronous transfer against a server in the test: it runs only while pumped.
#include "platform/inet_transfer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/error_of.h"
#include "support/fixed_page_server.h"

namespace jex {
namespace {

// Runs one request to its end, collecting the states announced and the chunk sizes read.
struct TransferRun {
    explicit TransferRun(const std::string& url) {
        transfer.onStateChanged = [this](int16_t state) { states.push_back(state); };
        transfer.execute(url, "Post", "SQL=a", "Content-Type: text/plain\r\n");
    }
    void finish() {
        while (transfer.stillExecuting()) transfer.pump();
        for (std::string chunk; !(chunk = transfer.getChunk(1024, 0)).empty();)
            chunks.push_back(chunk.size());
    }
    InetTransfer transfer;
    std::vector<int16_t> states;
    std::vector<size_t> chunks;
};

TEST(InetTransfer, Answer_completesEvenWithAnErrorStatusAndReadsInChunks) {
    for (const int status : {200, 500}) {
        test::FixedPageServer page("");
        page.answer(status, std::string(2500, 'x'));
        TransferRun run(page.url());
        EXPECT_EQ(test::errorOf([&] { run.transfer.execute(page.url(), "Get", "", ""); }),
                  inetErr::StillExecuting)
            << "execute returns at once, and one request runs at a time";
        run.finish();
        EXPECT_EQ(run.states, std::vector<int16_t>{InetTransfer::kResponseCompleted}) << status;
        EXPECT_EQ(run.transfer.responseCode(), status);
        EXPECT_EQ(run.chunks, (std::vector<size_t>{1024, 1024, 452}));
    }
}

TEST(InetTransfer, NothingListening_failsWithTheReason) {
    TransferRun run("http://127.0.0.1:1/page");
    run.finish();
    EXPECT_EQ(run.states, std::vector<int16_t>{InetTransfer::kError});
    EXPECT_NE(run.transfer.responseInfo(), "");
}

}  // namespace
}  // namespace jex
