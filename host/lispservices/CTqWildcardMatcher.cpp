// Wildcard matching: the pattern is compiled into alternatives of one-character tokens and
// runs, then each alternative is matched with backtracking to its last run only.
#include "CTqWildcardMatcher.h"

#include <cstddef>
#include <utility>
#include <vector>

namespace {

enum class TokenKind { Literal, Digit, Letter, Other, AnyOne, AnyRun, Set };

struct Token {
    TokenKind kind = TokenKind::Literal;
    char32_t literal = 0;
    bool negated = false;                              // sets only
    std::vector<std::pair<char32_t, char32_t>> ranges;  // sets only; a lone character is a range of one
};

struct Alternative {
    bool negated = false;
    std::vector<Token> tokens;
};

// Code points of the text; an unpaired surrogate stays a code point of its own.
std::vector<char32_t> CodePoints(const QString& text)
{
    std::vector<char32_t> points;
    points.reserve(std::size_t(text.size()));
    for (int i = 0; i < text.size(); ++i) {
        const QChar unit = text[i];
        if (unit.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
            points.push_back(QChar::surrogateToUcs4(unit, text[i + 1]));
            ++i;
        } else {
            points.push_back(unit.unicode());
        }
    }
    return points;
}

bool IsDigit(char32_t c) { return QChar::isDigit(uint(c)); }
bool IsLetter(char32_t c) { return QChar::isLetter(uint(c)); }

constexpr char32_t kEscape = U'`';

// Parses the set that starts after "[" at `at`. On success `at` is past the closing "]".
bool ParseSet(const std::vector<char32_t>& pattern, std::size_t& at, Token& set)
{
    std::size_t i = at;
    set.kind = TokenKind::Set;
    if (i < pattern.size() && pattern[i] == U'~') {
        set.negated = true;
        ++i;
    }
    const std::size_t first = i;
    std::vector<char32_t> members;  // the characters, with ranges marked by their position
    std::vector<bool> isRangeDash;
    while (i < pattern.size()) {
        char32_t c = pattern[i];
        if (c == U']' && i != first)
            break;
        bool literal = false;
        if (c == kEscape && i + 1 < pattern.size()) {
            c = pattern[++i];
            literal = true;
        }
        members.push_back(c);
        isRangeDash.push_back(c == U'-' && !literal);
        ++i;
    }
    if (i >= pattern.size())
        return false;  // no closing bracket
    at = i + 1;
    for (std::size_t k = 0; k < members.size(); ++k) {
        // A dash between two members joins them; a first or last dash is itself.
        if (k + 2 < members.size() && isRangeDash[k + 1]) {
            set.ranges.emplace_back(members[k], members[k + 2]);
            k += 2;
        } else {
            set.ranges.emplace_back(members[k], members[k]);
        }
    }
    return true;
}

std::vector<Alternative> Compile(const QString& patternText)
{
    const std::vector<char32_t> pattern = CodePoints(patternText);
    std::vector<Alternative> alternatives(1);
    bool atStart = true;
    for (std::size_t i = 0; i < pattern.size();) {
        Alternative& current = alternatives.back();
        const char32_t c = pattern[i];
        const bool wasAtStart = atStart;
        atStart = false;
        Token token;
        switch (c) {
        case U',':
            alternatives.emplace_back();
            atStart = true;
            ++i;
            continue;
        case U'~':
            if (wasAtStart) {
                current.negated = true;
                ++i;
                continue;
            }
            token.literal = c;
            break;
        case U'#': token.kind = TokenKind::Digit; break;
        case U'@': token.kind = TokenKind::Letter; break;
        case U'.': token.kind = TokenKind::Other; break;
        case U'?': token.kind = TokenKind::AnyOne; break;
        case U'*': token.kind = TokenKind::AnyRun; break;
        case U'[': {
            std::size_t after = i + 1;
            Token set;
            if (ParseSet(pattern, after, set)) {
                current.tokens.push_back(std::move(set));
                i = after;
                continue;
            }
            token.literal = c;
            break;
        }
        case kEscape:
            if (i + 1 < pattern.size())
                ++i;
            token.literal = pattern[i];
            break;
        default: token.literal = c; break;
        }
        current.tokens.push_back(std::move(token));
        ++i;
    }
    return alternatives;
}

bool MatchesOne(const Token& token, char32_t c)
{
    switch (token.kind) {
    case TokenKind::Literal: return c == token.literal;
    case TokenKind::Digit: return IsDigit(c);
    case TokenKind::Letter: return IsLetter(c);
    case TokenKind::Other: return !IsDigit(c) && !IsLetter(c);
    case TokenKind::AnyOne: return true;
    case TokenKind::AnyRun: return false;
    case TokenKind::Set: {
        bool inSet = false;
        for (const auto& [low, high] : token.ranges)
            inSet = inSet || (low <= c && c <= high);
        return inSet != token.negated;
    }
    }
    return false;
}

// Every token but a run takes exactly one character, so on a mismatch it is enough to let the
// last run take one more character and go on from there.
bool MatchesTokens(const std::vector<Token>& tokens, const std::vector<char32_t>& text)
{
    constexpr std::size_t kNone = std::size_t(-1);
    std::size_t t = 0;
    std::size_t p = 0;
    std::size_t runToken = kNone;
    std::size_t runEnd = 0;
    while (t < text.size()) {
        if (p < tokens.size() && tokens[p].kind == TokenKind::AnyRun) {
            runToken = p++;
            runEnd = t;
            continue;
        }
        if (p < tokens.size() && MatchesOne(tokens[p], text[t])) {
            ++p;
            ++t;
            continue;
        }
        if (runToken == kNone)
            return false;
        p = runToken + 1;
        t = ++runEnd;
    }
    while (p < tokens.size() && tokens[p].kind == TokenKind::AnyRun)
        ++p;
    return p == tokens.size();
}

}  // namespace

bool CTqWildcardMatcher::Matches(const QString& text, const QString& pattern)
{
    const std::vector<char32_t> points = CodePoints(text);
    for (const Alternative& alternative : Compile(pattern)) {
        if (MatchesTokens(alternative.tokens, points) != alternative.negated)
            return true;
    }
    return false;
}
