#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace jex {

// Error numbers the transfer raises, with "Inet" as source.
namespace inetErr {
// A request started while the one started last is still in progress.
inline constexpr int32_t StillExecuting = -35764;
// An operation other than "Post" or "Get", or a request the transfer library would not start.
inline constexpr int32_t CannotStart = -35750;
}  // namespace inetErr

// An asynchronous HTTP transfer that runs on the caller's thread: execute() starts a request
// and returns at once, and each pump() moves it on, announcing its end through onStateChanged.
// The answer's body is then read in chunks. One request at a time.
class InetTransfer {
  public:
    // The states announced: the request failed, or its whole answer arrived. An answer with an
    // HTTP error status is a completed answer.
    static constexpr int16_t kError = 11;
    static constexpr int16_t kResponseCompleted = 12;

    InetTransfer() = default;
    ~InetTransfer();
    InetTransfer(const InetTransfer&) = delete;
    InetTransfer& operator=(const InetTransfer&) = delete;

    // Starts `operation` ("Post" or "Get") on `url` with `body` (posted only) and `headers`
    // ("Name: value" lines separated by CRLF), forgetting the previous answer. Raises
    // StillExecuting while a request is in progress (which goes on), CannotStart when the
    // request cannot be started (nothing is then in progress).
    void execute(const std::string& url, const std::string& operation, const std::string& body,
                 const std::string& headers);
    // True from execute() until the request has ended, completed or failed.
    bool stillExecuting() const { return m_executing; }
    // Moves the request on, waiting at most a few milliseconds for the network, and fires
    // onStateChanged for each change of state; nothing happens when no request is in progress.
    // What the handler raises reaches the caller, the transfer's own state being settled first.
    void pump();
    // The next `size` bytes at most of the answer's body, "" once it is exhausted (or for a
    // size below 1). Every data type reads as text. Never fails.
    std::string getChunk(int16_t size, int32_t dataType);
    // The HTTP status of the completed answer; 0 before one, or after a failure.
    long responseCode() const { return m_responseCode; }
    // Why the request failed, as the transfer library says it; "" otherwise.
    const std::string& responseInfo() const { return m_responseInfo; }

    std::function<void(int16_t state)> onStateChanged;

  private:
    void startRequest(const std::string& url, const std::string& operation,
                      const std::string& headers);
    void finish(int result);
    void releaseRequest();
    void announce(int16_t state);

    // The transfer library's handles, opaque here so that its header stays out of the control.
    void* m_multi = nullptr;
    void* m_easy = nullptr;
    void* m_headerList = nullptr;
    std::string m_requestBody;
    std::string m_answer;
    size_t m_readPosition = 0;
    long m_responseCode = 0;
    std::string m_responseInfo;
    std::string m_errorBuffer;
    bool m_executing = false;
};

}  // namespace jex
