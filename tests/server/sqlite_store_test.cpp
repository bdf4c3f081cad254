// The SQLite order database: the connection's parameters, the failures a save runs again after
// and the guard of a save; setting a file up; the batch runner, on batches written as the
// control's batch builder writes them, blanks included; the page's document and the generator.
// The page over HTTP on it: what is a load, how a save's body is read and decoded, its limits, a
// stalled client, and the credentials gate.
#include "sqlite_store.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <optional>
#include <pugixml.hpp>
#include <stdexcept>
#include <string>
#include <vector>

#include "basic_auth.h"
#include "batch_runner.h"
#include "control/headless_services.h"
#include "discussion_document.h"
#include "discussion_server.h"
#include "order_generator.h"
#include "sql_values.h"
#include "sqlite_statement.h"
#include "support/save_statements.h"
#include "support/sql_rows.h"
#include "support/sqlite_database.h"
#include "support/temp_path.h"

namespace jex::server {
namespace {

// A demo database file, and the page served on it.
struct SqliteFile : ::testing::Test {
    void SetUp() override {
        server.setReadTimeout(std::chrono::seconds(1));
        port = server.start();
    }
    std::string stored(const std::string& sql) { return test::rows(*database, sql); }
    httplib::Client client() const { return httplib::Client("127.0.0.1", port); }
    std::string followUp() {
        return stored(
            "SELECT IssueFollowUp FROM OrderDiscussion WHERE OrderID='PO1001' AND IssueSequence=1");
    }

    test::TempPath file{"sqlite-file"};
    std::unique_ptr<SqliteConnection> database = test::openDatabase(file.path());
    DiscussionServer server{file.path()};
    int port = 0;
};

// Parameters are found by their number, wherever and however often the text names them; one
// never bound is NULL, and reset clears the bindings.
TEST_F(SqliteFile, StatementBindsAndReadsByNumber) {
    const auto query = database->prepare("SELECT $2 || $1, $1 + $1, 2.5, NULL, $3");
    query->bind(1, std::int64_t{4});
    query->bind(2, std::string("x"));
    query->bind(7, std::string("unused"));
    ASSERT_TRUE(query->step());
    const SqlValue expected[] = {std::string("x4"), std::int64_t{8}, std::string("2.5"), {}, {}};
    for (int column = 0; column < 5; ++column) EXPECT_EQ(query->column(column), expected[column]);
    query->reset();
    ASSERT_TRUE(query->step());
    EXPECT_EQ(query->column(1), SqlValue());
}

// Only a busy or locked file may pass when the request runs again.
TEST(SqliteError, RetryableOnlyWhenAnotherConnectionHoldsTheFile) {
    const std::pair<int, bool> cases[] = {
        {SQLITE_BUSY, true},        {SQLITE_BUSY_SNAPSHOT, true}, {SQLITE_LOCKED, true},
        {SQLITE_CONSTRAINT, false}, {SQLITE_ERROR, false},        {SQLITE_AUTH, false},
    };
    for (const auto& [code, retryable] : cases) {
        EXPECT_EQ(sqliteError(nullptr, code).retryable(), retryable) << sqlite3_errstr(code);
    }
}

// The guard is on only from beginSave() to the end of the transaction, and names what it refused.
TEST_F(SqliteFile, GuardHoldsOnlyDuringASave) {
    const char* const kDelete = "DELETE FROM OrderHeader WHERE OrderID = 'none'";
    database->prepare(kDelete)->step();
    EXPECT_FALSE(database->refusal());

    database->beginSave();
    EXPECT_THROW(database->prepare(kDelete), SqlError);
    EXPECT_EQ(database->refusal(), "delete OrderHeader");
    EXPECT_THROW(database->prepare("SELECT 1; SELECT 2"), SqlError);
    EXPECT_EQ(database->refusal(), "a second statement");
    database->prepare("UPDATE OrderHeader SET OpenProblemExists = 5");
    EXPECT_FALSE(database->refusal());
    database->rollback();

    database->prepare(kDelete)->step();
    EXPECT_THROW(database->prepare("SELECT 1; SELECT 2"), SqlError);
    EXPECT_FALSE(database->refusal());
}

// Opening a file again keeps one copy of the demo rows, and sets up only a missing table.
TEST_F(SqliteFile, StoreSetsUpOnlyWhatIsMissing) {
    const auto again = openSqliteStore(file.path())->connect();
    const char* const kCounts =
        "SELECT (SELECT count(*) FROM OrderHeader), (SELECT count(*) FROM OrderDiscussion), "
        "(SELECT count(*) FROM OrderDiscussionComment), (SELECT count(*) FROM CommentType)";
    EXPECT_EQ(test::rows(*again, kCounts), "3|6|6|4\n");

    again->execute("DROP TABLE CommentType; DELETE FROM OrderDiscussion");
    EXPECT_EQ(test::rows(*openSqliteStore(file.path())->connect(), kCounts), "3|0|6|0\n");
    EXPECT_THROW(openSqliteStore("/nonexistent-directory/orders.db"), SqlError);
}

// Issue 5 of PO1001, its text holding a doubled quote, and comments 7 and 8 under it.
const std::string kNewIssue = [] {
    const std::string save = test::newIssueSave("PO1001", "Joe''s order");
    std::string second = save.substr(save.find(test::kNewIssueCommentInsert));
    return save + second.replace(second.find("+1,@"), 4, "+2,@");
}();

// GETDATE() writes the control's own time stamp form; an order whose flag is already set keeps
// its time stamp.
TEST_F(SqliteFile, BatchRunnerStoresTheControlsBatches) {
    const BatchResult result =
        BatchRunner(*database).run({kNewIssue, test::openProblemBatch("PO1001")});
    EXPECT_EQ(result.outcome, BatchOutcome::Stored) << result.error;
    EXPECT_EQ(stored("SELECT IssueSequence, IssueDescription, IssueFollowUp, ResolvedDate, "
                     "CommentSequence, FocusCenter, c.RecordLastUpdated GLOB '[A-Z][a-z][a-z] "
                     "[0-3][0-9], 2[0-9][0-9][0-9] [0-2][0-9]:[0-5][0-9]:[0-5][0-9]', "
                     "OpenProblemExists, h.RecordLastUpdated FROM OrderDiscussion JOIN "
                     "OrderDiscussionComment c USING (OrderID, IssueSequence) JOIN OrderHeader h "
                     "USING (OrderID) WHERE OrderID = 'PO1001' AND IssueSequence > 4"),
              "5|Joe's order|Dec 19, 2026|NULL|7|-1|1|1|Nov 21, 2026 10:12:40\n"
              "5|Joe's order|Dec 19, 2026|NULL|8|-1|1|1|Nov 21, 2026 10:12:40\n");
}

// A value read that is not a number is reported without showing it: it may be any order's text.
TEST_F(SqliteFile, FailingBatchLeavesNothingOfTheRequest) {
    database->execute(
        "UPDATE OrderHeader SET OpenProblemExists = 'top secret' WHERE OrderID = 'PO1001'");
    const std::pair<std::vector<std::string>, const char*> cases[] = {
        // Comment 1 of the order is taken.
        {{kNewIssue, " DECLARE @MAXCommentID Int Set @MAXCommentID = 0" +
                         test::kStoredIssueCommentInsert +
                         "1,2,'PO1001',0,'Dec 05, 2026 15:00:00','Ann','Again',0,Null,0,Null,0,0,"
                         "GETDATE(),0,'7','1');"},
         "UNIQUE constraint failed"},
        // The first batch's variables died with it.
        {{kNewIssue, kNewIssue.substr(kNewIssue.find("INSERT"))},
         "Must declare the scalar variable \"@MaxID\"."},
        {{test::openProblemBatch("PO1001")}, "a value read is not a whole number in: "},
    };
    const auto snapshot = [&] {
        std::string text;
        for (const char* table : {"OrderHeader", "OrderDiscussion", "OrderDiscussionComment"})
            text += stored(std::string("SELECT * FROM ") + table);
        return text;
    };
    const std::string before = snapshot();
    for (const auto& [batches, error] : cases) {
        const BatchResult result = BatchRunner(*database).run(batches);

        EXPECT_EQ(result.outcome, BatchOutcome::Failed) << error;
        EXPECT_NE(result.error.find(error), std::string::npos) << result.error;
        EXPECT_EQ(result.error.find("top secret"), std::string::npos) << result.error;
        EXPECT_EQ(snapshot(), before) << error;
    }
}

// A connection whose commit meets a concurrent save the first `conflicts` times.
struct ConflictingConnection final : SqlConnection {
    ConflictingConnection(SqlConnection& inner, int conflicts, bool retryable)
        : inner(inner), conflicts(conflicts), retryable(retryable) {}
    std::unique_ptr<SqlStatement> prepare(std::string_view sql) override {
        return inner.prepare(sql);
    }
    void execute(std::string_view sql) override { inner.execute(sql); }
    bool hasTable(std::string_view name) override { return inner.hasTable(name); }
    const SqlDialect& dialect() const override { return inner.dialect(); }
    void beginSave() override {
        ++begun;
        inner.beginSave();
    }
    void commit() override {
        if (conflicts-- > 0) throw SqlError("could not serialize access", retryable);
        inner.commit();
    }
    void rollback() noexcept override { inner.rollback(); }
    std::optional<std::string> refusal() const override { return inner.refusal(); }

    SqlConnection& inner;
    int conflicts;
    bool retryable;
    int begun = 0;
};

// A request that met a concurrent one runs again from the start, rolled back in between, so
// that it is stored once; the retries are bounded.
TEST_F(SqliteFile, ConflictRunsTheRequestAgain) {
    const struct {
        int conflicts;
        bool retryable;
        BatchOutcome outcome;
        int runs;
    } cases[] = {
        {2, true, BatchOutcome::Stored, 3},
        {1, false, BatchOutcome::Failed, 1},
        {1000, true, BatchOutcome::Failed, 20},
    };
    for (const auto& c : cases) {
        ConflictingConnection connection(*database, c.conflicts, c.retryable);

        const BatchResult result = BatchRunner(connection).run({kNewIssue});

        EXPECT_EQ(result.outcome, c.outcome) << result.error;
        EXPECT_EQ(connection.begun, c.runs) << c.conflicts;
        EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussion WHERE OrderID = 'PO1001'"), "5\n");
    }
}

// The order database as the page reads it (the document's sections, vocabularies and shown
// fields are on the issue and comment roads, which load the demo orders through the control; here
// are the fields it does not show, and text that looks like markup) and as the generator fills it.
std::string fieldTexts(pugi::xml_node record) {
    std::string texts;
    for (pugi::xml_node field : record.children()) texts += field.child_value() + std::string("|");
    return texts;
}

// Issue 2 of PO1001 is open: no resolution, resolver or resolution date; IsUpdated is always
// unset.
TEST_F(SqliteFile, DocumentRecordsCarryEveryFieldOfTheTablesInOrder) {
    const std::string markup = "Vendor's \"rush\" fee & <surcharge> ]]> added";
    runWith(*database->prepare("INSERT INTO OrderDiscussion (IssueSequence, OrderID, Type, "
                               "Priority, IssueDescription) VALUES (1, 'PO1003', 0, 1, $1)"),
            markup);
    pugi::xml_document document;
    ASSERT_TRUE(document.load_string(discussionDocument(*database, "PO1001").c_str()));
    const pugi::xml_node issue =
        document.document_element().child("Issues").first_child().next_sibling();
    EXPECT_EQ(fieldTexts(issue),
              "2|PO1001|5|2|Nov 10, 2026 11:02:45|Priya Natarajan|Vendor's invoice lists 40 toner "
              "units; receiving counted 36 & the unit price differs.||||Nov 12, 2026 15:26:09|Nov "
              "17, 2026||4802|2|||");
    const pugi::xml_node comment =
        document.document_element().child("Comments").first_child().next_sibling().next_sibling();
    EXPECT_EQ(fieldTexts(comment),
              "3|2|PO1001|2|Nov 10, 2026 11:15:03|Priya Natarajan|A/P is holding payment until the "
              "vendor's credit memo arrives.|False||True|Nov 20, 2026|True|True|Nov 10, 2026 "
              "11:15:03|True||4802|2|");

    ASSERT_TRUE(document.load_string(discussionDocument(*database, "PO1003").c_str()));
    EXPECT_EQ(std::string(document.document_element().child("Issues").first_child().child_value(
                  "IssueDescription")),
              markup);
}

// Numbers run from 1 without gaps, codes come from the vocabularies, texts fit their columns,
// comments have their issue, and the open-problem flag agrees with the issues.
TEST_F(SqliteFile, GeneratorRowsMatchTheShapeAgainAndAgainAndLoadInTheControl) {
    const OrderShape shapes[] = {
        {"PO-G1", 5, 20}, {"PO-G2", 3, 0}, {"PO-G3", 0, 0}, {"PO-G4", 60, 900}};
    for (const OrderShape& shape : shapes) {
        generateOrder(*database, shape);
        const std::string of = " WHERE OrderID = '" + shape.orderId + "'";
        const std::string issues = std::to_string(shape.issues);
        const std::string comments = std::to_string(shape.comments);
        SCOPED_TRACE(shape.orderId);

        EXPECT_EQ(stored("SELECT count(DISTINCT IssueSequence), ifnull(max(IssueSequence), 0), "
                         "ifnull(sum(Type NOT IN (SELECT TypeCode FROM DiscussionType) OR Priority "
                         "NOT IN (SELECT PriorityCode FROM DiscussionPriority) OR "
                         "length(IssueDescription) > 255), 0) FROM OrderDiscussion" +
                         of),
                  issues + "|" + issues + "|0\n");
        EXPECT_EQ(stored("SELECT count(DISTINCT CommentSequence), ifnull(max(CommentSequence), 0), "
                         "ifnull(sum(CommentType NOT IN (SELECT CommentTypeCode FROM CommentType) "
                         "OR length(CommentDescription) > 500 OR IssueSequence NOT IN (SELECT "
                         "IssueSequence FROM OrderDiscussion" +
                         of + ")), 0) FROM OrderDiscussionComment" + of),
                  comments + "|" + comments + "|0\n");
        EXPECT_EQ(stored("SELECT OpenProblemExists = (SELECT count(*) > 0 FROM OrderDiscussion" +
                         of + " AND Resolution IS NULL) FROM OrderHeader" + of),
                  "1\n");
    }
    // A busy order has a bit of everything.
    EXPECT_EQ(
        stored("SELECT count(Resolution) > 0, sum(Resolution IS NULL) > 0, count(IssueFollowUp) "
               "> 0, count(DISTINCT length(IssueDescription)) > 5, (SELECT sum(FocusCenter <> "
               "0) > 0 FROM OrderDiscussionComment) FROM OrderDiscussion WHERE OrderID = "
               "'PO-G4'"),
        "1|1|1|1|1\n");

    // The same shape gives the same order again, and replaces only it.
    const std::string first = discussionDocument(*database, "PO-G1");
    generateOrder(*database, shapes[0]);
    EXPECT_EQ(discussionDocument(*database, "PO-G1"), first);
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussionComment"), "926\n") << "other rows stay";

    HeadlessServices host;
    JEXPODiscussionsXML control(host.services());
    control.setUserName("Clerk Kent|77|1");
    control.LoadData("http://127.0.0.1:" + std::to_string(port) + "/", "PO-G4");

    ASSERT_TRUE(host.messageBox.shown().empty()) << host.messageBox.shown()[0].text;
    EXPECT_EQ(control.screen().lstDiscussions.count(), 60);
    EXPECT_EQ(control.state().NextCommentSequence, 901);

    // Shapes the control cannot number are refused, and write nothing.
    const OrderShape refused[] = {
        {"PO-G6", -1, 0}, {"PO-G6", 0, 5}, {"PO-G6", 32768, 0}, {"PO-G6", 1, 32768}, {"", 1, 1}};
    for (const OrderShape& shape : refused) {
        EXPECT_THROW(generateOrder(*database, shape), std::invalid_argument)
            << shape.issues << " " << shape.comments;
    }
    database->execute("DELETE FROM CommentType");
    EXPECT_THROW(generateOrder(*database, {"PO-G6", 1, 1}), std::invalid_argument);
    EXPECT_EQ(stored("SELECT count(*) FROM OrderHeader"), "7\n");
}

// A TCP connection to the server on loopback that sends a request byte for byte as written.
class RawConnection {
  public:
    // Connects and sends request, all of it.
    RawConnection(int port, const std::string& request) {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(port));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        const bool connected =
            ::connect(m_socket, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        EXPECT_TRUE(connected && ::send(m_socket, request.data(), request.size(), 0) ==
                                     static_cast<ssize_t>(request.size()));
    }
    ~RawConnection() { ::close(m_socket); }
    RawConnection(const RawConnection&) = delete;
    RawConnection& operator=(const RawConnection&) = delete;

    // Everything the server sends until it closes the connection; nothing when it is still open
    // after `seconds` (a guard against hanging the suite).
    std::optional<std::string> readUntilClosed(long seconds) {
        const timeval guard{seconds, 0};
        setsockopt(m_socket, SOL_SOCKET, SO_RCVTIMEO, &guard, sizeof guard);
        std::string received;
        char buffer[4096];
        ssize_t length = 0;
        while ((length = ::recv(m_socket, buffer, sizeof buffer, 0)) > 0)
            received.append(buffer, length);
        return length == 0 ? std::optional(received) : std::nullopt;
    }

  private:
    int m_socket = ::socket(AF_INET, SOCK_STREAM, 0);
};

constexpr const char* kForm = "application/x-www-form-urlencoded";

TEST(BasicAuth, CredentialsFileHoldsOneLineUserColonPassword) {
    const std::pair<const char*, const char*> cases[] = {
        // content (nullptr: no file), "user|password" read
        {"ann:secret\n", "ann|secret"},
        {"ann:se:cr:et\r\nignored:line\n", "ann|se:cr:et"},
        {"ann:", "ann|"},
        {"ann secret\n", "refused"},
        {":secret\n", "refused"},
        {"", "refused"},
        {nullptr, "refused"},
    };
    for (const auto& [content, read] : cases) {
        const test::TempPath file("credentials");
        if (content != nullptr) std::ofstream(file.path()) << content;
        std::string got = "refused";
        try {
            const Credentials credentials = readCredentialsFile(file.path());
            got = credentials.user + "|" + credentials.password;
        } catch (const std::runtime_error&) {
        }
        EXPECT_EQ(got, read) << (content != nullptr ? content : "<no file>");
    }
}

// A save of issue 1's follow-up, its value given url-encoded.
std::string followUpSave(const std::string& encoded) {
    std::string body = test::formBody({test::issueUpdate("PO1001", 1, "'@'")});
    return body.replace(body.find("%40"), 3, encoded);
}

// The page is the last segment of the path, in any letter case.
TEST_F(SqliteFile, AnswersOnlyALoadOfAnOrderAndTheDatabasesErrorAs500) {
    const std::pair<const char*, int> cases[] = {
        {"/app/podiscussion.ASP?OrderID=PO1001", 200},
        {"//PODiscussion.asp?OrderID=PO1001", 200},
        {"/PODiscussion.asp", 400},
        {"/PODiscussion.asp?orderid=PO1001", 400},
        {"/Other.asp?OrderID=PO1001", 404},
        {"/PODiscussion.aspx?OrderID=PO1001", 404},
        {"/PODiscussion.asp/?OrderID=PO1001", 404},
        {"/PODiscussion.asp/x.asp?OrderID=PO1001", 404},
    };
    for (const auto& [target, status] : cases) {
        const auto result = client().Get(target);
        ASSERT_TRUE(result) << target;
        EXPECT_EQ(result->status, status) << target;
        EXPECT_EQ(result->get_header_value("Content-Type"),
                  status == 200 ? "text/xml; charset=utf-8" : "text/plain; charset=utf-8");
        EXPECT_NE(result->body.find(status == 200 ? "<OrderID>PO1001<" : " "), std::string::npos)
            << target;
    }
    database->execute("ALTER TABLE OrderDiscussion RENAME COLUMN Resolution TO Outcome");
    const auto failed = client().Get("/PODiscussion.asp?OrderID=PO1001");
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->status, 500);
    EXPECT_NE(failed->body.find("Resolution"), std::string::npos) << failed->body;
}

// Fields in body order, each decoded as the declared charset (the code page unless UTF-8 is
// declared); what is refused leaves the follow-up as it was.
TEST_F(SqliteFile, SaveRunsTheBodysSqlFieldsAsOneRequest) {
    const std::string twice = test::formBody({test::newIssueSave("PO1001", "twice")});
    const std::string atLimit = followUpSave("limit") + "&pad=";
    const std::string longest = atLimit + std::string(kMaxSaveBodyBytes - atLimit.size(), 'x');
    struct Case {
        std::string body;
        std::string type;
        int status;
        std::string answer;
        std::string followUp;
        const char* path = "/app/PODiscussion.asp";
    };
    const Case cases[] = {
        {followUpSave("Caf%E9+%80%C5%81"), kForm, 200, "", "Café €Å\u0081"},
        {followUpSave("%C5"), std::string(kForm) + "; Charset=UTF-8", 400,
         "The request declares UTF-8, but this SQL field is not UTF-8: " +
             test::issueUpdate("PO1001", 1, "'\u00C5'"),
         "Café €Å\u0081"},
        // longer than the library's own limit for a form body
        {followUpSave(std::string(20000, 'y')), kForm, 200, "", std::string(20000, 'y')},
        {longest + "x", kForm, 413, "The save is longer than 8388608 bytes.",
         std::string(20000, 'y')},
        {longest, kForm, 200, "", "limit"},
        {"Other=1", kForm, 400, "no SQL field", "limit"},
        {followUpSave("smuggled"), kForm, 400, "SQL fields belong in the request body", "limit",
         "/PODiscussion.asp?SQL=DELETE+FROM+OrderHeader"},
        {twice + twice, kForm, 200, "", "limit"},  // equal fields are two changes
    };
    for (const Case& c : cases) {
        const auto result = client().Post(c.path, c.body, c.type);

        ASSERT_TRUE(result) << httplib::to_string(result.error());
        EXPECT_EQ(result->status, c.status) << c.body.substr(0, 200);
        EXPECT_EQ(result->body, c.answer);
        EXPECT_EQ(followUp(), c.followUp + "\n") << c.body.substr(0, 200);
    }
    EXPECT_EQ(stored("SELECT count(*) FROM OrderDiscussion WHERE IssueDescription = 'twice'"),
              "2\n");
}

// A client that stops halfway through its body is cut off, and others are served meanwhile.
TEST_F(SqliteFile, StalledClientIsClosedWithoutStallingOthers) {
    RawConnection stalled(
        port, "POST /PODiscussion.asp HTTP/1.1\r\nHost: x\r\nContent-Type: " + std::string(kForm) +
                  "\r\nContent-Length: 100\r\n\r\nSQL=UPDATE");

    const auto load = client().Get("/PODiscussion.asp?OrderID=PO1001");

    ASSERT_TRUE(load);
    EXPECT_EQ(load->status, 200);
    // The server's timeout is far shorter than the guard.
    EXPECT_TRUE(stalled.readUntilClosed(30)) << "the stalled connection stayed open";
}

// Every route is behind the gate: only the basic scheme with exactly the credentials gets
// through; anything else is answered 401 with the challenge, and neither a load nor a save runs.
TEST_F(SqliteFile, AdmitsOnlyTheBasicSchemeWithExactlyTheCredentials) {
    server.stop();
    server.requireCredentials({"ann", "s3cr:et"});
    server.start("127.0.0.1", port);
    const auto basic = [](const std::string& user, const std::string& password) {
        return httplib::make_basic_authentication_header(user, password).second;
    };
    const std::string right = basic("ann", "s3cr:et");
    const std::pair<std::string, bool> cases[] = {
        {right, true},
        {"basic  " + right.substr(6) + " ", true},
        {basic("ann", "s3cr:e"), false},
        {basic("ann", "s3cr:etc"), false},
        {basic("Ann", "s3cr:et"), false},
        {basic("ann:s3cr", "et") + "x", false},
        {"Bearer " + right.substr(6), false},
        {right.substr(6), false},
        {"Basic", false},
        {"", false},
    };
    std::string expected = followUp();
    int saves = 0;
    for (const auto& [authorization, admitted] : cases) {
        const httplib::Headers headers{{"Authorization", authorization}};
        const std::string value = std::to_string(++saves);

        const auto load = client().Get("/PODiscussion.asp?OrderID=PO1001", headers);
        const auto save = client().Post("/PODiscussion.asp", headers, followUpSave(value), kForm);

        ASSERT_TRUE(load && save) << authorization;
        EXPECT_EQ(load->status, admitted ? 200 : 401) << authorization;
        EXPECT_EQ(save->status, admitted ? 200 : 401) << authorization;
        EXPECT_EQ(load->get_header_value("WWW-Authenticate"),
                  admitted ? "" : BasicAuth::kChallenge);
        if (admitted) expected = value + "\n";
        EXPECT_EQ(followUp(), expected) << authorization;
    }
    // Without credentials: the refused request's body is never read as a request of its own, the
    // server hangs up.
    RawConnection raw(
        port, "POST /PODiscussion.asp HTTP/1.1\r\nHost: x\r\nContent-Length: 5\r\n\r\nSQL=x");
    const auto answer = raw.readUntilClosed(10);
    ASSERT_TRUE(answer) << "the connection stayed open";
    EXPECT_EQ(answer->rfind("HTTP/1.1 401", 0), 0u) << *answer;
}

}  // namespace
}  // namespace jex::server
