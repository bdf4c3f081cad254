#include <optional>
#include <utility>

#include "control/jex_po_discussions_xml.h"
#include "platform/int16.h"
#include "platform/mouse_pointer.h"
#include "platform/text.h"
#include "platform/windows1252.h"

namespace jex {

namespace {

constexpr const char* kSavePage = "PODiscussion.asp";
constexpr const char* kFormHeader = "Content-Type: application/x-www-form-urlencoded";
constexpr int16_t kChunkSize = 1024;
constexpr int32_t kTextChunk = 0;
constexpr long kFirstHttpErrorStatus = 400;

// FormatData reports its own failure and yields no list; the save then fails on the list, as
// reading the bounds of a list never filled does.
std::vector<std::string> batchesOf(std::optional<std::vector<std::string>> list) {
    if (!list) raiseRuntime(err::SubscriptOutOfRange);
    return std::move(*list);
}

// Every batch but the builder's closing empty entry, in order, counted in 16 bits.
template <class Visit>
void forEachBatch(const std::vector<std::string>& batches, Visit&& visit) {
    const int16_t last = toInt16(static_cast<long long>(batches.size()) - 1);
    for (int16_t i = 0; i < last; i = add16(i, 1)) visit(batches[i]);
}

bool isAsciiAlphanumeric(unsigned char code) {
    return (code >= '0' && code <= '9') || (code >= 'A' && code <= 'Z') ||
           (code >= 'a' && code <= 'z');
}

bool passesUnchanged(unsigned char code) {
    return isAsciiAlphanumeric(code) || code == '*' || code == '-' || code == '.' || code == '_';
}

// The form encoding of the text's bytes in the Western European code page, which is what the
// server page decodes.
std::string formEncoded(const std::string& text) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
    const std::string bytes = utf8ToWindows1252(text);
    std::string encoded;
    // Most of a batch passes unchanged; the escapes grow it by a fraction.
    encoded.reserve(bytes.size() + bytes.size() / 4);
    for (const char ch : bytes) {
        const auto code = static_cast<unsigned char>(ch);
        if (code == ' ') {
            encoded.push_back('+');
        } else if (passesUnchanged(code)) {
            encoded.push_back(ch);
        } else {
            const char escape[] = {'%', kHexDigits[code >> 4], kHexDigits[code & 0x0F]};
            encoded.append(escape, sizeof escape);
        }
    }
    return encoded;
}

// The transfer failed, or the server refused the batches: the rows sent are still unsaved.
bool saveFailed(int16_t state, long responseCode) {
    return state == InetTransfer::kError || responseCode >= kFirstHttpErrorStatus;
}

}  // namespace

void JEXPODiscussionsXML::SaveData() {
    trap(
        "SaveData",
        [&] {
            setMousePointer(MousePointer::Hourglass);
            SaveMarks rows = SaveMarks::ofMarkedRows(*DiscussionTable, *CommentTable);
            std::string body;
            forEachBatch(batchesOf(FormatData()), [&](const std::string& batch) {
                body += "SQL=";
                body += urlEncode(batch);
                body += '&';
            });
            if (!body.empty()) {
                Inet1.execute(ServerName + kSavePage, "Post", body, kFormHeader);
                m_sentMarks = std::move(rows);
                while (Inet1.stillExecuting()) DoEvents();
            }
            setMousePointer(MousePointer::Default);
        },
        [&] { setMousePointer(MousePointer::Default); });
}

std::string JEXPODiscussionsXML::SaveDataToIIS(const std::string& ptRecordSeparator) {
    std::string result;
    trap(
        "SaveDataToIIS",
        [&] {
            setMousePointer(MousePointer::Hourglass);
            std::string text;
            forEachBatch(batchesOf(FormatData()),
                         [&](const std::string& batch) { text += batch + ptRecordSeparator; });
            setMousePointer(MousePointer::Default);
            result = std::move(text);
        },
        [&] { setMousePointer(MousePointer::Default); });
    return result;
}

std::string JEXPODiscussionsXML::urlEncode(const std::string& theData) {
    std::string result;
    trap("urlEncode", [&] { result = formEncoded(theData); });
    return result;
}

void JEXPODiscussionsXML::DoEvents() {
    Inet1.pump();
    m_services.messagePump.doEvents();
}

void JEXPODiscussionsXML::Inet1_StateChanged(int16_t State) {
    trap("Inet1_StateChanged", [&] {
        if (State != InetTransfer::kError && State != InetTransfer::kResponseCompleted) return;
        const SaveMarks sent = std::exchange(m_sentMarks, {});
        const bool failed = saveFailed(State, Inet1.responseCode());
        if (failed) sent.markAgain(*DiscussionTable, *CommentTable);
        const auto showTransferError = [this] {
            m_services.messageBox.show({.text = "Error During saving to Database",
                                        .buttons = MsgButtons::OK,
                                        .icon = MsgIcon::None,
                                        .title = ""});
        };
        if (State == InetTransfer::kError) return showTransferError();
        const std::string answer = readAnswer();
        if (trimBlanks(answer).empty()) {
            // An error status with nothing to say must not pass for a save that went through.
            if (failed) showTransferError();
            return;
        }
        m_services.messageBox.show({.text = answer,
                                    .buttons = MsgButtons::OK,
                                    .icon = MsgIcon::Information,
                                    .title = "Velmora Messaging"});
    });
}

std::string JEXPODiscussionsXML::readAnswer() {
    const auto nextChunk = [this] {
        std::string chunk = Inet1.getChunk(kChunkSize, kTextChunk);
        DoEvents();
        return chunk;
    };
    std::string answer;
    for (std::string chunk = nextChunk(); !chunk.empty(); chunk = nextChunk()) answer += chunk;
    return answer;
}

}  // namespace jex
