#include "order_generator.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <optional>
#include <random>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "row_inserts.h"
#include "sql_values.h"

namespace jex::server {

namespace {

using std::chrono::days;
using std::chrono::hours;
using std::chrono::minutes;
using std::chrono::sys_seconds;

// The control numbers issues and comments in 16 bits.
constexpr int kMaxSequence = 32767;
constexpr std::size_t kIssueTextLimit = 255;
constexpr std::size_t kCommentTextLimit = 500;
constexpr int kTrue = -1;
constexpr int kFalse = 0;

struct Person {
    const char* name;
    const char* id;
    int type;
};

constexpr Person kPeople[] = {
    {"Maria Lopez", "4711", 2},   {"Daniel Reyes", "5120", 1}, {"Priya Natarajan", "4802", 2},
    {"Tom Becker", "5233", 1},    {"Aiko Tanaka", "4977", 2},  {"Samuel Osei", "5301", 1},
    {"Grace O'Neill", "4650", 2},
};

constexpr const char* kVendors[] = {"Harbor Point Office Supply", "Granite Ridge Janitorial",
                                    "Lakeshore Print & Sign", "Northgate Industrial Parts"};

// Sentences are put together from these, so that lengths and words vary as a real discussion's
// do; some carry the quotes and ampersands that escaping has to get right.
constexpr const char* kReporters[] = {
    "Receiving found that", "The buyer reports that",  "A/P flagged that",
    "The customer says",    "The driver noted that",   "The warehouse counted and",
    "Accounting noticed",   "The vendor's rep admits",
};

constexpr const char* kSubjects[] = {
    "the copier paper cartons", "two pallets of floor cleaner", "the back-ordered desk chairs",
    "invoice 4471-B",           "the toner shipment",           "the replacement hinges",
    "the freight charge",       "the hand soap (case of 12)",   "the second delivery",
    "the \"rush\" order",       "the label printer & ribbons",  "the credit memo",
};

constexpr const char* kProblems[] = {
    "arrived crushed",
    "came in three cases short",
    "shows a higher unit price than the quote",
    "still has no ship date",
    "was billed twice",
    "came without a packing slip",
    "went to the wrong dock",
    "doesn't match the PO quantity",
};

constexpr const char* kFollowOns[] = {
    "Photos are in the receiving log.",
    "The dispatcher promised an answer by Friday.",
    "We're holding payment until the corrected invoice arrives.",
    "The customer can take a partial delivery if needed.",
    "Spoke to the rep & asked for a credit.",
    "Left a voicemail; no call back yet.",
    "The carrier wants the claim filed within 5 days.",
    "North dock hours are 7:00 to 15:00, Monday to Friday.",
    "Price was confirmed against last month's catalog.",
    "Same problem as on the previous order, per Maria.",
    "Vendor says it was a \"system glitch\".",
    "Checked with purchasing: the quote is still valid.",
};

constexpr const char* kResolutions[] = {
    "Vendor shipped replacements at no charge.",
    "Credit memo received and applied to the invoice.",
    "Short items arrived on the second truck.",
    "Vendor honoured the quote and re-issued the order.",
    "Customer accepted the partial delivery; balance cancelled.",
    "Billing corrected; duplicate charge reversed.",
};

constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                   "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};

const sys_seconds kFirstIssue = std::chrono::sys_days{std::chrono::year{2026} / 1 / 5} + hours{8};
constexpr days kIssuePeriod{330};

// The database's codes, in code order.
struct Vocabulary {
    std::vector<int> types;
    std::vector<int> priorities;
    std::vector<int> commentTypes;
};

struct IssueRow {
    int sequence;
    int type;
    int priority;
    sys_seconds date;
    const Person* enteredBy;
    std::string description;
    std::optional<sys_seconds> followUp;
    std::optional<sys_seconds> resolvedDate;
    const Person* resolvedBy;
    std::optional<int> resolvedByType;  // NULL while the issue is open
    std::string resolution;
};

struct CommentRow {
    int issueSequence;
    sys_seconds date;
    int type;
    const Person* enteredBy;
    std::string description;
    bool focusCenter;
    bool focusPurchasing;
    bool focusAccounting;
    bool focusBilling;
    bool focusJexd;
};

// Dates as the control writes them: "Nov 03, 2026" and "Nov 03, 2026 09:14:22".
std::string dateText(sys_seconds at) {
    const auto day = std::chrono::floor<days>(at);
    const std::chrono::year_month_day ymd{day};
    char text[16];
    std::snprintf(text, sizeof text, "%s %02u, %d", kMonths[unsigned(ymd.month()) - 1],
                  unsigned(ymd.day()), int(ymd.year()));
    return text;
}

std::string timeStampText(sys_seconds at) {
    const std::chrono::hh_mm_ss time{at - std::chrono::floor<days>(at)};
    char text[12];
    std::snprintf(text, sizeof text, " %02d:%02d:%02d", int(time.hours().count()),
                  int(time.minutes().count()), int(time.seconds().count()));
    return dateText(at) + text;
}

// A fixed sequence of choices for one shape, the same on every machine: the engine's output is
// fixed by the standard, and choices are taken by remainder rather than through a distribution.
class Choices {
  public:
    explicit Choices(const OrderShape& shape) : m_engine(seedOf(shape)) {}

    // A whole number from 0 to count - 1.
    std::int64_t below(std::int64_t count) {
        return static_cast<std::int64_t>(m_engine() % static_cast<std::uint64_t>(count));
    }
    bool percent(int chance) { return below(100) < chance; }
    template <class T, std::size_t N>
    const T& of(const T (&items)[N]) {
        return items[below(static_cast<std::int64_t>(N))];
    }
    int of(const std::vector<int>& codes) {
        return codes[below(static_cast<std::int64_t>(codes.size()))];
    }

  private:
    static std::uint64_t seedOf(const OrderShape& shape) {
        std::uint64_t hash = 14695981039346656037ull;
        for (const char c : shape.orderId)
            hash = (hash ^ static_cast<unsigned char>(c)) * 1099511628211ull;
        return hash ^ (std::uint64_t(shape.issues) << 32) ^ std::uint64_t(shape.comments);
    }

    std::mt19937_64 m_engine;
};

// One problem sentence and up to `extra` follow-on sentences, as many as fit in `limit`.
std::string discussionText(Choices& choose, int extra, std::size_t limit) {
    std::string text = std::string(choose.of(kReporters)) + " " + choose.of(kSubjects) + " " +
                       choose.of(kProblems) + ".";
    // Consecutive entries from a chosen start, so that no sentence repeats within a text.
    const std::int64_t first = choose.below(static_cast<std::int64_t>(std::size(kFollowOns)));
    for (int i = 0; i < extra; ++i) {
        const std::string sentence = kFollowOns[(first + i) % std::size(kFollowOns)];
        if (text.size() + 1 + sentence.size() > limit) break;
        text += " " + sentence;
    }
    return text;
}

std::vector<int> codesOf(SqlConnection& connection, const char* sql) {
    std::vector<int> codes;
    const auto query = connection.prepare(sql);
    while (query->step())
        codes.push_back(static_cast<int>(wholeNumberOf(query->column(0)).value_or(0)));
    return codes;
}

Vocabulary vocabularyOf(SqlConnection& connection) {
    Vocabulary vocabulary{
        codesOf(connection, "SELECT TypeCode FROM DiscussionType ORDER BY TypeCode"),
        codesOf(connection, "SELECT PriorityCode FROM DiscussionPriority ORDER BY PriorityCode"),
        codesOf(connection, "SELECT CommentTypeCode FROM CommentType ORDER BY CommentTypeCode"),
    };
    if (vocabulary.types.empty() || vocabulary.priorities.empty() ||
        vocabulary.commentTypes.empty()) {
        throw std::invalid_argument("the database has no discussion vocabularies");
    }
    return vocabulary;
}

void checkShape(const OrderShape& shape) {
    if (shape.orderId.empty()) throw std::invalid_argument("the order needs an ID");
    if (shape.issues < 0 || shape.comments < 0 || shape.issues > kMaxSequence ||
        shape.comments > kMaxSequence) {
        throw std::invalid_argument("issues and comments count from 0 to 32767");
    }
    if (shape.comments > 0 && shape.issues == 0) {
        throw std::invalid_argument("comments need an issue to belong to");
    }
}

// Issues are entered in sequence order over most of a year; four in ten are resolved within
// three weeks, half have a follow-up date.
std::vector<IssueRow> makeIssues(const OrderShape& shape, const Vocabulary& vocabulary,
                                 Choices& choose) {
    std::vector<IssueRow> issues;
    const auto spacing =
        std::chrono::duration_cast<minutes>(kIssuePeriod) / std::max(shape.issues, 1);
    for (int sequence = 1; sequence <= shape.issues; ++sequence) {
        IssueRow issue{};
        issue.sequence = sequence;
        issue.type = choose.of(vocabulary.types);
        issue.priority = choose.of(vocabulary.priorities);
        issue.date = kFirstIssue + spacing * (sequence - 1) +
                     minutes(choose.below(spacing.count() + 1)) +
                     std::chrono::seconds(choose.below(60));
        issue.enteredBy = &choose.of(kPeople);
        issue.description =
            discussionText(choose, static_cast<int>(choose.below(4)), kIssueTextLimit);
        if (choose.percent(50)) issue.followUp = issue.date + days(3 + choose.below(12));
        if (choose.percent(40)) {
            issue.resolvedDate =
                issue.date + days(1 + choose.below(21)) + minutes(choose.below(600));
            issue.resolvedBy = &choose.of(kPeople);
            issue.resolvedByType = issue.resolvedBy->type;
            issue.resolution = choose.of(kResolutions);
        }
        issues.push_back(std::move(issue));
    }
    return issues;
}

// Each comment goes to an issue chosen at random and is dated within a month of it; sorted by
// date, so that comment sequences follow time as they do when users write them.
std::vector<CommentRow> makeComments(const OrderShape& shape, const std::vector<IssueRow>& issues,
                                     const Vocabulary& vocabulary, Choices& choose) {
    std::vector<CommentRow> comments;
    for (int i = 0; i < shape.comments; ++i) {
        const IssueRow& issue = issues[choose.below(static_cast<std::int64_t>(issues.size()))];
        CommentRow comment{};
        comment.issueSequence = issue.sequence;
        comment.date = issue.date + minutes(10 + choose.below(30 * 24 * 60)) +
                       std::chrono::seconds(choose.below(60));
        comment.type = choose.of(vocabulary.commentTypes);
        comment.enteredBy = &choose.of(kPeople);
        comment.description =
            discussionText(choose, static_cast<int>(choose.below(7)), kCommentTextLimit);
        comment.focusCenter = choose.percent(30);
        comment.focusPurchasing = choose.percent(25);
        comment.focusAccounting = choose.percent(15);
        comment.focusBilling = choose.percent(10);
        comment.focusJexd = choose.percent(10);
        comments.push_back(std::move(comment));
    }
    std::stable_sort(comments.begin(), comments.end(),
                     [](const CommentRow& a, const CommentRow& b) { return a.date < b.date; });
    return comments;
}

std::optional<std::string> optionalDate(const std::optional<sys_seconds>& at) {
    if (!at) return std::nullopt;
    return dateText(*at);
}

const char* textOrNull(const std::optional<std::string>& text) {
    return text ? text->c_str() : nullptr;
}

void removeOrder(SqlConnection& connection, const std::string& orderId) {
    for (const char* table : {"OrderDiscussionComment", "OrderDiscussion", "OrderHeader"}) {
        const auto remove =
            connection.prepare(std::string("DELETE FROM ") + table + " WHERE OrderID = $1");
        runWith(*remove, orderId);
    }
}

void insertHeader(SqlConnection& connection, const OrderShape& shape,
                  const std::vector<IssueRow>& issues, Choices& choose) {
    const bool open = std::any_of(issues.begin(), issues.end(),
                                  [](const IssueRow& issue) { return issue.resolution.empty(); });
    const sys_seconds ordered = kFirstIssue - days{2};
    const auto header = connection.prepare(
        "INSERT INTO OrderHeader (OrderID, VendorName, BuyerName, OrderDate,"
        " OpenProblemExists, RecordLastUpdated) VALUES ($1, $2, $3, $4, $5, $6)");
    runWith(*header, shape.orderId, choose.of(kVendors), choose.of(kPeople).name, dateText(ordered),
            open ? 1 : 0, timeStampText(ordered));
}

void insertIssues(SqlConnection& connection, const std::string& orderId,
                  const std::vector<IssueRow>& issues) {
    const auto insert = connection.prepare(kInsertIssueSql);
    for (const IssueRow& issue : issues) {
        const bool resolved = issue.resolvedDate.has_value();
        const std::optional<std::string> resolvedStamp =
            resolved ? std::optional(timeStampText(*issue.resolvedDate)) : std::nullopt;
        runWith(*insert, issue.sequence, orderId, issue.type, issue.priority,
                timeStampText(issue.date), issue.enteredBy->name, issue.description,
                textOrNull(optionalDate(issue.followUp)), textOrNull(resolvedStamp),
                resolved ? issue.resolvedBy->name : nullptr,
                resolved ? issue.resolution.c_str() : nullptr,
                resolved ? resolvedStamp->c_str() : timeStampText(issue.date).c_str(),
                issue.enteredBy->id, issue.enteredBy->type,
                resolved ? issue.resolvedBy->id : nullptr, issue.resolvedByType);
    }
}

void insertComments(SqlConnection& connection, const std::string& orderId,
                    const std::vector<CommentRow>& comments) {
    const auto insert = connection.prepare(kInsertCommentSql);
    int sequence = 0;
    for (const CommentRow& comment : comments) {
        const std::string stamp = timeStampText(comment.date);
        const std::string followUp = dateText(comment.date + days{3});
        runWith(*insert, ++sequence, comment.issueSequence, orderId, comment.type, stamp,
                comment.enteredBy->name, comment.description, comment.focusCenter ? kTrue : kFalse,
                comment.focusCenter ? followUp.c_str() : nullptr,
                comment.focusPurchasing ? kTrue : kFalse,
                comment.focusPurchasing ? followUp.c_str() : nullptr,
                comment.focusAccounting ? kTrue : kFalse, comment.focusBilling ? kTrue : kFalse,
                stamp, comment.focusJexd ? kTrue : kFalse, comment.enteredBy->id,
                comment.enteredBy->type);
    }
}

}  // namespace

void generateOrder(SqlConnection& connection, const OrderShape& shape) {
    checkShape(shape);
    connection.execute("BEGIN");
    try {
        // Writing first takes the write lock before anything is read.
        removeOrder(connection, shape.orderId);
        const Vocabulary vocabulary = vocabularyOf(connection);
        Choices choose(shape);
        const std::vector<IssueRow> issues = makeIssues(shape, vocabulary, choose);
        const std::vector<CommentRow> comments = makeComments(shape, issues, vocabulary, choose);
        insertHeader(connection, shape, issues, choose);
        insertIssues(connection, shape.orderId, issues);
        insertComments(connection, shape.orderId, comments);
        connection.commit();
    } catch (...) {
        connection.rollback();
        throw;
    }
}

}  // namespace jex::server
