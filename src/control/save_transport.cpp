#include <algorithm>
#include <optional>
#include <string_view>
#include <utility>

#include "control/held_rows.h"
#include "control/jex_po_discussions_xml.h"
#include "platform/int16.h"
#include "platform/mouse_pointer.h"
#include "platform/text.h"
#include "platform/windows1252.h"

namespace jex {

namespace {

constexpr const char* kSavePage = "PODiscussion.asp";
constexpr const char* kFormHeader = "Content-Type: application/x-www-form-urlencoded";
constexpr const char* kUtf8FormHeader =
    "Content-Type: application/x-www-form-urlencoded; charset=utf-8";
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

// The form encoding of `bytes`, one escape a byte where one is needed.
std::string formEncodedBytes(std::string_view bytes) {
    static constexpr char kHexDigits[] = "0123456789ABCDEF";
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

// The form encoding of the text's bytes in the Western European code page, which is what the
// server page decodes unless told otherwise.
std::string formEncoded(const std::string& text) {
    return formEncodedBytes(utf8ToWindows1252(text));
}

// A batch holding text the code page lacks is sent as UTF-8, the whole body alike, and says so;
// every other save goes out as it always has.
bool needsUtf8(const std::vector<std::string>& batches) {
    return !std::all_of(batches.begin(), batches.end(),
                        [](const std::string& batch) { return fitsWindows1252(batch); });
}

// The transfer failed, or the server refused the batches: the rows sent are still unsaved.
bool saveFailed(int16_t state, long responseCode) {
    return state == InetTransfer::kError || responseCode >= kFirstHttpErrorStatus;
}

}  // namespace

// A save asked for while one waits for the server (the host's messages are processed meanwhile)
// runs once that one has ended and its rows carry their stored numbers: run at once it would
// find the rows in flight unmarked, and send again those edited meanwhile as new rows.
void JEXPODiscussionsXML::SaveData() {
    if (m_saving) {
        m_saveAgain = true;
        return;
    }
    m_saving = true;
    do {
        m_saveAgain = false;
        saveMarkedRows();
    } while (m_saveAgain);
    m_saving = false;
}

void JEXPODiscussionsXML::saveMarkedRows() {
    trap(
        "SaveData",
        [&] {
            setMousePointer(MousePointer::Hourglass);
            HeldRows held = rowsStillEdited(screen(), *this);
            held.takeMarks();
            SaveMarks rows = SaveMarks::ofMarkedRows(*DiscussionTable, *CommentTable);
            SentNewRows newRows = SentNewRows::ofMarkedRows(*DiscussionTable, *CommentTable);
            std::optional<std::vector<std::string>> built = FormatData();
            held.giveMarksBack();
            const std::vector<std::string> batches = batchesOf(std::move(built));
            const bool utf8 = needsUtf8(batches);
            std::string body;
            forEachBatch(batches, [&](const std::string& batch) {
                body += "SQL=";
                body += utf8 ? formEncodedBytes(batch) : urlEncode(batch);
                body += '&';
            });
            if (!body.empty()) {
                Inet1.execute(ServerName + kSavePage, "Post", body,
                              utf8 ? kUtf8FormHeader : kFormHeader);
                m_sentMarks = std::move(rows);
                m_sentNewRows = std::move(newRows);
                m_sentLoad = m_loads;
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
        const SentNewRows sentNewRows = std::exchange(m_sentNewRows, {});
        const bool failed = saveFailed(State, Inet1.responseCode());
        // After a load in the meantime the tables hold another discussion's rows.
        if (m_sentLoad == m_loads) {
            if (failed)
                sent.markAgain(*DiscussionTable, *CommentTable);
            else if (!sent.empty())
                NumberSavedRows(sentNewRows);
        }
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
