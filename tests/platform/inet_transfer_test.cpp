// The asynchronous transfer against a server in the test: it runs only while pumped.
#include "platform/inet_transfer.h"

#include <gtest/gtest.h>
#include <httplib.h>

#include <string>
#include <thread>
#include <vector>

#include "support/error_of.h"

namespace jex {
namespace {

// Answers every POST with `status` and a body of `size` letters.
struct PostPage {
    PostPage(int status, size_t size) {
        server.Post(".*", [=](const httplib::Request&, httplib::Response& res) {
            res.status = status;
            res.set_content(std::string(size, 'x'), "text/plain");
        });
        url = "http://127.0.0.1:" + std::to_string(server.bind_to_any_port("127.0.0.1"));
        thread = std::thread([this] { server.listen_after_bind(); });
    }
    ~PostPage() {
        server.stop();
        thread.join();
    }
    httplib::Server server;
    std::string url;
    std::thread thread;
};

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
        PostPage page(status, 2500);
        TransferRun run(page.url);
        EXPECT_TRUE(run.transfer.stillExecuting()) << "execute returns at once";
        EXPECT_EQ(test::errorOf([&] { run.transfer.execute(page.url, "Get", "", ""); }),
                  inetErr::StillExecuting)
            << "one request at a time";
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
    EXPECT_EQ(run.transfer.responseCode(), 0);
    EXPECT_NE(run.transfer.responseInfo(), "");
    EXPECT_EQ(run.chunks, std::vector<size_t>{});
}

}  // namespace
}  // namespace jex
