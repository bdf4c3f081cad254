#include "batch_tokens.h"

#include <algorithm>
#include <cctype>
#include <utility>

#include "platform/text.h"

namespace jex::server {

namespace {

bool isSpace(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }
bool isDigit(char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; }
bool isWordStart(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return std::isalpha(byte) != 0 || c == '_' || c == '@' || c == '#' || byte >= 0x80;
}
bool isWordPart(char c) { return isWordStart(c) || isDigit(c) || c == '$'; }

template <class Predicate>
std::size_t runEnd(std::string_view sql, std::size_t at, Predicate belongs) {
    while (at < sql.size() && belongs(sql[at])) ++at;
    return at;
}

// A doubled quote stands for itself inside a literal or a quoted name.
std::size_t quotedEnd(std::string_view sql, std::size_t begin) {
    const char close = sql[begin] == '[' ? ']' : sql[begin];
    std::size_t at = begin + 1;
    while (at < sql.size()) {
        if (sql[at] != close) {
            ++at;
            continue;
        }
        if (close != ']' && at + 1 < sql.size() && sql[at + 1] == close) {
            at += 2;
            continue;
        }
        return at + 1;
    }
    return sql.size();
}

std::size_t blankEnd(std::string_view sql, std::size_t begin) {
    const std::string_view rest = sql.substr(begin);
    if (rest.starts_with("--")) {
        const std::size_t lineEnd = sql.find('\n', begin);
        return lineEnd == std::string_view::npos ? sql.size() : lineEnd + 1;
    }
    if (rest.starts_with("/*")) {
        const std::size_t close = sql.find("*/", begin + 2);
        return close == std::string_view::npos ? sql.size() : close + 2;
    }
    return runEnd(sql, begin, isSpace);
}

// A number ends where letters begin, so "= 0INSERT" is the number 0 and then INSERT.
std::size_t numberEnd(std::string_view sql, std::size_t begin) {
    std::size_t end = runEnd(sql, begin, isDigit);
    if (end + 1 < sql.size() && sql[end] == '.' && isDigit(sql[end + 1])) {
        end = runEnd(sql, end + 1, isDigit);
    }
    return end;
}

std::pair<TokenKind, std::size_t> nextToken(std::string_view sql, std::size_t begin) {
    const char c = sql[begin];
    const std::string_view rest = sql.substr(begin);
    if (isSpace(c) || rest.starts_with("--") || rest.starts_with("/*")) {
        return {TokenKind::Blank, blankEnd(sql, begin)};
    }
    if (c == '\'' || c == '"' || c == '[') return {TokenKind::Quoted, quotedEnd(sql, begin)};
    if (isWordStart(c)) return {TokenKind::Word, runEnd(sql, begin, isWordPart)};
    if (isDigit(c)) return {TokenKind::Number, numberEnd(sql, begin)};
    return {TokenKind::Symbol, begin + 1};
}

bool startsStatement(std::span<const Token> tokens, std::size_t at) {
    const Token& token = tokens[at];
    if (token.kind != TokenKind::Word || token.depth != 0) return false;
    if (isWord(token, "DECLARE") || isWord(token, "INSERT") || isWord(token, "UPDATE")) return true;
    const std::size_t next = nextSignificant(tokens, at + 1);
    return isWord(token, "SET") && next < tokens.size() && isVariable(tokens[next]);
}

}  // namespace

Tokens tokenize(std::string_view sql) {
    Tokens tokens;
    // Statements average more than four characters a token; growing the vector costs more.
    tokens.reserve(sql.size() / 4 + 1);
    int depth = 0;
    for (std::size_t at = 0; at < sql.size();) {
        const auto [kind, end] = nextToken(sql, at);
        const std::string_view text = sql.substr(at, end - at);
        if (text == ")") depth = std::max(0, depth - 1);
        tokens.push_back({kind, text, depth});
        if (text == "(") ++depth;
        at = end;
    }
    return tokens;
}

std::vector<StatementTokens> splitStatements(Tokens& tokens) {
    std::vector<StatementTokens> statements;
    std::size_t begin = 0;
    for (std::size_t at = 1; at < tokens.size(); ++at) {
        if (!startsStatement(tokens, at)) continue;
        statements.emplace_back(tokens.data() + begin, at - begin);
        begin = at;
    }
    if (begin < tokens.size())
        statements.emplace_back(tokens.data() + begin, tokens.size() - begin);
    return statements;
}

bool isWord(const Token& token, std::string_view word) {
    return token.kind == TokenKind::Word && equalsIgnoringCase(token.text, word);
}

bool isVariable(const Token& token) {
    return token.kind == TokenKind::Word && token.text.size() > 1 && token.text.front() == '@';
}

std::size_t nextSignificant(std::span<const Token> tokens, std::size_t from) {
    while (from < tokens.size() && tokens[from].kind == TokenKind::Blank) ++from;
    return std::min(from, tokens.size());
}

bool isWordAt(std::span<const Token> tokens, std::size_t at, std::string_view word) {
    return at < tokens.size() && isWord(tokens[at], word);
}

bool isSymbolAt(std::span<const Token> tokens, std::size_t at, std::string_view symbol) {
    return at < tokens.size() && tokens[at].kind == TokenKind::Symbol && tokens[at].text == symbol;
}

std::string_view writtenText(std::span<const Token> tokens) {
    std::size_t first = nextSignificant(tokens, 0);
    std::size_t end = tokens.size();
    while (end > first && tokens[end - 1].kind == TokenKind::Blank) --end;
    if (first == end) return {};
    const char* begin = tokens[first].text.data();
    const std::string_view last = tokens[end - 1].text;
    return {begin, static_cast<std::size_t>(last.data() + last.size() - begin)};
}

}  // namespace jex::server
