#include "imports/entries/WeekText.h"

#include "imports/entries/ImportText.h"

#include <vector>

namespace orvanto::imports {

namespace {

enum class Parity { Every, Odd, Even };

enum class TokenKind {
    Number,
    Dash,
    Comma,
    Parity,
    Break, // a blank, 周, 第, a bracket or '|': separates numbers, joins nothing
};

struct Token {
    TokenKind kind;
    int number = 0;
    Parity parity = Parity::Every;
};

struct WeekRange {
    int first = 0;
    int last = 0;
    Parity parity = Parity::Every;
};

constexpr int kTooLarge = 1000; // numbers are capped here while read, so no overflow

bool isDash(char32_t c) {
    return c == U'-' || c == U'~' || c == U'至' || c == 0x2010 || c == 0x2012 || c == 0x2013 ||
           c == 0x2014 || c == 0x2212 || c == 0x301C;
}

bool isComma(char32_t c) {
    return c == U',' || c == U';' || c == 0x3001;
}

// Blanks, 周, 第 and '|' separate numbers and mean nothing more.
bool isDecoration(char32_t c) {
    return isBlank(c) || c == U'\r' || c == U'\n' || c == U'周' || c == U'第' || c == U'|';
}

char32_t closingBracketOf(char32_t c) {
    switch (c) {
    case U'[':
        return U']';
    case U'(':
        return U')';
    case U'{':
        return U'}';
    case U'【':
        return U'】';
    case U'〔':
        return U'〕';
    default:
        return 0;
    }
}

bool isClosingBracket(char32_t c) {
    return c == U']' || c == U')' || c == U'}' || c == U'】' || c == U'〕';
}

// The text as tokens; nothing when it holds a character no week text has, or brackets that
// do not pair up.
std::optional<std::vector<Token>> tokenize(std::string_view text) {
    std::vector<Token> tokens;
    std::vector<char32_t> openBrackets;
    for (const CodePoint& point : codePointsOf(text)) {
        const char32_t c = foldWidth(point.value);
        if (c >= U'0' && c <= U'9') {
            const int digit = static_cast<int>(c - U'0');
            if (!tokens.empty() && tokens.back().kind == TokenKind::Number) {
                int& number = tokens.back().number;
                number = number >= kTooLarge ? kTooLarge : number * 10 + digit;
            } else {
                tokens.push_back({TokenKind::Number, digit});
            }
        } else if (isDash(c)) {
            tokens.push_back({TokenKind::Dash});
        } else if (isComma(c)) {
            tokens.push_back({TokenKind::Comma});
        } else if (c == U'单' || c == U'双') {
            tokens.push_back({TokenKind::Parity, 0, c == U'单' ? Parity::Odd : Parity::Even});
        } else if (const char32_t closing = closingBracketOf(c); closing != 0) {
            openBrackets.push_back(closing);
            tokens.push_back({TokenKind::Break});
        } else if (isClosingBracket(c)) {
            if (openBrackets.empty() || openBrackets.back() != c) {
                return std::nullopt;
            }
            openBrackets.pop_back();
            tokens.push_back({TokenKind::Break});
        } else if (isDecoration(c)) {
            tokens.push_back({TokenKind::Break});
        } else {
            return std::nullopt;
        }
    }
    if (!openBrackets.empty()) {
        return std::nullopt;
    }
    return tokens;
}

// Ranges in the order written. A parity mark binds to the number right after it ("单7-11"),
// else to the range before it when no comma stands between ("1-15单周", "1-16(单)"), else to
// the next range.
std::optional<std::vector<WeekRange>> readRanges(const std::vector<Token>& tokens) {
    std::vector<WeekRange> ranges;
    std::optional<Parity> pending;
    bool commaSinceRange = true;
    const auto skipBreaks = [&tokens](std::size_t i) {
        while (i < tokens.size() && tokens[i].kind == TokenKind::Break) {
            ++i;
        }
        return i;
    };
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        switch (token.kind) {
        case TokenKind::Break:
            break;
        case TokenKind::Comma:
            commaSinceRange = true;
            break;
        case TokenKind::Dash:
            return std::nullopt; // a dash with no number before it
        case TokenKind::Parity: {
            const bool numberFollows =
                i + 1 < tokens.size() && tokens[i + 1].kind == TokenKind::Number;
            if (!numberFollows && !commaSinceRange && ranges.back().parity == Parity::Every) {
                ranges.back().parity = token.parity;
            } else if (pending) {
                return std::nullopt; // two marks for one range
            } else {
                pending = token.parity;
            }
            break;
        }
        case TokenKind::Number: {
            WeekRange range{token.number, token.number, pending.value_or(Parity::Every)};
            pending.reset();
            const std::size_t dash = skipBreaks(i + 1);
            if (dash < tokens.size() && tokens[dash].kind == TokenKind::Dash) {
                const std::size_t last = skipBreaks(dash + 1);
                if (last == tokens.size() || tokens[last].kind != TokenKind::Number) {
                    return std::nullopt;
                }
                range.last = tokens[last].number;
                i = last;
            }
            if (range.first < 1 || range.last > kMaxWeek || range.first > range.last) {
                return std::nullopt;
            }
            ranges.push_back(range);
            commaSinceRange = false;
            break;
        }
        }
    }
    if (pending || ranges.empty()) {
        return std::nullopt;
    }
    return ranges;
}

} // namespace

std::optional<WeekSet> readWeekText(std::string_view text) {
    const auto tokens = tokenize(trimBlanks(text));
    if (!tokens) {
        return std::nullopt;
    }
    const auto ranges = readRanges(*tokens);
    if (!ranges) {
        return std::nullopt;
    }
    WeekSet weeks;
    for (const WeekRange& range : *ranges) {
        for (int week = range.first; week <= range.last; ++week) {
            const bool odd = week % 2 == 1;
            if (range.parity == Parity::Every || (range.parity == Parity::Odd) == odd) {
                weeks.set(static_cast<std::size_t>(week));
            }
        }
    }
    if (weeks.none()) {
        return std::nullopt; // "双1": a week text that names no week is none
    }
    return weeks;
}

bool isWeekTextCharacter(char32_t c) {
    c = foldWidth(c);
    return (c >= U'0' && c <= U'9') || isDash(c) || isComma(c) || c == U'单' || c == U'双' ||
           closingBracketOf(c) != 0 || isClosingBracket(c) || isDecoration(c);
}

} // namespace orvanto::imports
