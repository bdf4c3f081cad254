#pragma once

#include <cstddef>
#include <span>
#include <string_view>
#include <vector>

namespace jex::server {

// Just enough of the save batches' dialect to find where statements begin: string literals,
// quoted names and comments are kept whole, so that nothing inside them counts.
enum class TokenKind { Blank, Word, Number, Quoted, Symbol };

struct Token {
    TokenKind kind;
    std::string_view text;  // a view into the batch; a translation may point it elsewhere
    int depth;              // parentheses open around the token
};

using Tokens = std::vector<Token>;
// The tokens of one statement, within the batch's.
using StatementTokens = std::span<Token>;

// The tokens of sql in order, covering all of it; they view sql, which must outlive them.
Tokens tokenize(std::string_view sql);

// The batch's statements in order: T-SQL needs no ";" between them, so one begins at DECLARE,
// INSERT, UPDATE or a SET of a variable that stands outside parentheses (the SET of an UPDATE
// names a column). Each covers the tokens up to the next one's start.
std::vector<StatementTokens> splitStatements(Tokens& tokens);

// A word token equal to word, letter case ignored.
bool isWord(const Token& token, std::string_view word);
// A word token naming an @variable.
bool isVariable(const Token& token);

// The first token at or after from that isn't blank; tokens.size() when there is none.
std::size_t nextSignificant(std::span<const Token> tokens, std::size_t from);
bool isWordAt(std::span<const Token> tokens, std::size_t at, std::string_view word);
bool isSymbolAt(std::span<const Token> tokens, std::size_t at, std::string_view symbol);

// The text the tokens were read from, blanks around it left out: the statement as written.
std::string_view writtenText(std::span<const Token> tokens);

}  // namespace jex::server
