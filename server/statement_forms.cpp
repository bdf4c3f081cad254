#include "statement_forms.h"

#include <algorithm>
#include <charconv>
#include <deque>
#include <optional>

#include "platform/text.h"
#include "save/statements.h"

namespace jex::server {

namespace {

// The texts that stand for a value while the shapes are written, and the slot tokens they
// become. A shape's numbers of the builder's own making (sequence numbers, the new comments'
// count) are written from the sentinel, which no shape holds otherwise.
constexpr std::string_view kValueSlot = "{v}";
constexpr std::string_view kKeySlot = "{k}";
constexpr std::int16_t kNumberSentinel = 32767;
constexpr std::string_view kNumberSentinelText = "32767";

// Every batch text the builder can write, with its values left open.
std::vector<std::string> shapeBatches() {
    using namespace jex::sql;
    const std::string v(kValueSlot);
    const std::string k(kKeySlot);
    const std::string n(kNumberSentinelText);
    const NewIssueValues issue{k, v, v, v, v, v, v, v, v, v, v, v, v, v};
    const IssueChangeValues change{v, v, v, v, v, v, v, v, v, k};
    const CommentValues comment{n, n, k, v, v, v, v, v, v, v, v, v, v, v, v, v};
    std::vector<std::string> batches;
    for (const NewIssueBases bases :
         {NewIssueBases::BothZero, NewIssueBases::IssueOnly, NewIssueBases::IssueAndZeroComment,
          NewIssueBases::IssueAndComment}) {
        batches.push_back(newIssueDeclarations(bases, k));
    }
    for (const bool fromZero : {true, false})
        batches.push_back(commentBaseDeclaration(fromZero, k));
    batches.push_back(newIssueInsert(issue));
    batches.push_back(issueUpdate(change));
    batches.push_back(newIssueCommentInsert(comment, kNumberSentinel));
    batches.push_back(storedIssueCommentInsert(comment, kNumberSentinel));
    batches.push_back(movedCommentUpdate(comment));
    batches.push_back(storedCommentUpdate(comment));
    batches.push_back(openProblemBatch(k));
    return batches;
}

bool isSymbol(const Token& token, std::string_view symbol) {
    return token.kind == TokenKind::Symbol && token.text == symbol;
}

// "{", "v", "}" become one slot token, and so does the sentinel number.
Tokens withSlots(const Tokens& tokens) {
    Tokens marked;
    for (std::size_t at = 0; at < tokens.size(); ++at) {
        const Token& token = tokens[at];
        if (token.kind == TokenKind::Number && token.text == kNumberSentinelText) {
            marked.push_back({TokenKind::Word, kValueSlot, token.depth});
            continue;
        }
        if (isSymbol(token, "{") && at + 2 < tokens.size() && isSymbol(tokens[at + 2], "}")) {
            marked.push_back(
                {TokenKind::Word, tokens[at + 1].text == "k" ? kKeySlot : kValueSlot, token.depth});
            at += 2;
            continue;
        }
        marked.push_back(token);
    }
    return marked;
}

// The shapes, each once, in the order the builder writes them.
struct Shapes {
    Shapes() {
        for (std::string& batch : shapeBatches()) {
            Tokens tokens = withSlots(tokenize(texts.emplace_back(std::move(batch))));
            for (const StatementTokens statement : splitStatements(tokens)) add(statement);
        }
    }

    void add(StatementTokens statement) {
        const Tokens significant = significantTokens(statement);
        const bool known = std::any_of(forms.begin(), forms.end(), [&](const StatementForm& f) {
            return std::equal(f.significant.begin(), f.significant.end(), significant.begin(),
                              significant.end(), [](const Token& a, const Token& b) {
                                  return a.kind == b.kind && a.text == b.text;
                              });
        });
        if (!known) forms.push_back({Tokens(statement.begin(), statement.end()), significant});
    }

    static Tokens significantTokens(StatementTokens statement) {
        Tokens significant;
        std::copy_if(statement.begin(), statement.end(), std::back_inserter(significant),
                     [](const Token& token) { return token.kind != TokenKind::Blank; });
        return significant;
    }

    std::deque<std::string> texts;  // the tokens view them: a deque keeps them in place
    std::vector<StatementForm> forms;
};

const Shapes& shapes() {
    static const Shapes all;
    return all;
}

bool isComment(const Token& token) {
    return token.kind == TokenKind::Blank &&
           (token.text.starts_with("--") || token.text.starts_with("/*"));
}

// Reads into `value` the literal a slot takes at `at`, moving past it: quoted text, a whole
// number (a sign allowed), or Null. False when the tokens there are none of those.
bool readLiteral(const Tokens& tokens, std::size_t& at, SqlValue& value) {
    if (at >= tokens.size()) return false;
    const Token& token = tokens[at];
    if (token.kind == TokenKind::Quoted && token.text.size() >= 2 && token.text.front() == '\'' &&
        token.text.back() == '\'') {
        std::string text;
        const std::string_view inner = token.text.substr(1, token.text.size() - 2);
        for (std::size_t i = 0; i < inner.size(); ++i) {
            text += inner[i];
            if (inner[i] == '\'') ++i;  // a doubled quote stands for one
        }
        value = std::move(text);
        ++at;
        return true;
    }
    if (isWord(token, "Null")) {
        value = std::monostate{};
        ++at;
        return true;
    }
    const bool negative = isSymbol(token, "-");
    const std::size_t digits = negative ? at + 1 : at;
    if (digits >= tokens.size() || tokens[digits].kind != TokenKind::Number) return false;
    const std::string_view text = tokens[digits].text;
    std::int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (error != std::errc() || end != text.data() + text.size()) return false;
    value = negative ? -number : number;
    at = digits + 1;
    return true;
}

bool sameToken(const Token& shape, const Token& posted) {
    if (shape.kind != posted.kind) return false;
    return shape.kind == TokenKind::Word ? equalsIgnoringCase(shape.text, posted.text)
                                         : shape.text == posted.text;
}

// The values of `posted` in the slots of `form`, the order key (when the form has one) last;
// nothing when the statement is not of the form.
std::optional<std::vector<SqlValue>> valuesIn(const StatementForm& form, const Tokens& posted,
                                              std::optional<std::string>& key) {
    std::vector<SqlValue> values;
    std::size_t at = 0;
    for (const Token& shape : form.significant) {
        if (!isSlot(shape)) {
            if (at >= posted.size() || !sameToken(shape, posted[at])) return std::nullopt;
            ++at;
            continue;
        }
        SqlValue& value = values.emplace_back();
        if (!readLiteral(posted, at, value)) return std::nullopt;
        if (shape.text == kKeySlot) {
            const auto* text = std::get_if<std::string>(&value);
            if (text == nullptr || (key && *key != *text)) return std::nullopt;
            key = *text;
        }
    }
    if (at != posted.size()) return std::nullopt;
    return values;
}

// The one order a request may name, and the statement that named it first.
struct RequestOrder {
    std::optional<std::string> key;
    std::string namedIn;
};

RecognizedStatement recognize(StatementTokens statement, RequestOrder& order) {
    const std::string written(writtenText(statement));
    if (std::any_of(statement.begin(), statement.end(), isComment)) {
        throw StatementRefused("a comment in: " + written);
    }
    const Tokens posted = Shapes::significantTokens(statement);
    bool otherOrder = false;
    for (const StatementForm& form : shapes().forms) {
        std::optional<std::string> key;
        auto values = valuesIn(form, posted, key);
        if (!values) continue;
        if (key && order.key && *key != *order.key) {
            otherOrder = true;
            continue;
        }
        if (key && !order.key) {
            order.key = key;
            order.namedIn = written;
        }
        return {&form, std::move(*values), written};
    }
    if (otherOrder) {
        throw StatementRefused("a second order in one request, in: " + written +
                               " (the first was named in: " + order.namedIn + ")");
    }
    throw StatementRefused(written);
}

}  // namespace

bool isSlot(const Token& token) {
    return token.kind == TokenKind::Word && (token.text == kValueSlot || token.text == kKeySlot);
}

std::vector<RecognizedBatch> recognizeRequest(const std::vector<std::string>& batches) {
    std::vector<RecognizedBatch> recognized;
    RequestOrder order;
    for (const std::string& batch : batches) {
        Tokens tokens = tokenize(batch);
        RecognizedBatch statements;
        for (const StatementTokens statement : splitStatements(tokens)) {
            if (nextSignificant(statement, 0) == statement.size() &&
                std::none_of(statement.begin(), statement.end(), isComment)) {
                continue;
            }
            statements.push_back(recognize(statement, order));
        }
        recognized.push_back(std::move(statements));
    }
    return recognized;
}

}  // namespace jex::server
