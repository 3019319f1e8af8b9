#include "JetSqlTranslator.h"

#include "JetColumnType.h"

#include "ado/UnicodeText.h"

#include <cctype>
#include <initializer_list>
#include <vector>

namespace kx::ado::jet {
namespace {

enum class Kind { Space, Word, Name, String, Number, Punct };

struct Token {
    Kind kind;
    std::string text;
    bool removed = false;
};

bool IsWordStart(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalpha(u) || c == '_' || u >= 0x80;
}

bool IsWordChar(char c) {
    const auto u = static_cast<unsigned char>(c);
    return std::isalnum(u) || c == '_' || c == '$' || u >= 0x80;
}

// Reads a quoted run that ends at `close`; a doubled `close` inside stands for one
// when `doubled` is set. An unterminated run takes the rest of the text, and the
// engine reports it.
std::size_t QuotedEnd(std::string_view sql, std::size_t i, char close, bool doubled) {
    for (std::size_t k = i + 1; k < sql.size(); ++k) {
        if (sql[k] == close) {
            if (doubled && k + 1 < sql.size() && sql[k + 1] == close) {
                ++k;
                continue;
            }
            return k + 1;
        }
    }
    return sql.size();
}

std::vector<Token> Tokenize(std::string_view sql) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    while (i < sql.size()) {
        const char c = sql[i];
        std::size_t end = i + 1;
        Kind kind = Kind::Punct;
        if (std::isspace(static_cast<unsigned char>(c))) {
            kind = Kind::Space;
            while (end < sql.size() && std::isspace(static_cast<unsigned char>(sql[end])))
                ++end;
        } else if (c == '-' && i + 1 < sql.size() && sql[i + 1] == '-') {
            kind = Kind::Space;
            end = sql.find('\n', i);
            end = end == std::string_view::npos ? sql.size() : end;
        } else if (c == '/' && i + 1 < sql.size() && sql[i + 1] == '*') {
            kind = Kind::Space;
            end = sql.find("*/", i + 2);
            end = end == std::string_view::npos ? sql.size() : end + 2;
        } else if (c == '[') {
            kind = Kind::Name;
            end = QuotedEnd(sql, i, ']', false);
        } else if (c == '"' || c == '`') {
            kind = Kind::Name;
            end = QuotedEnd(sql, i, c, true);
        } else if (c == '\'') {
            kind = Kind::String;
            end = QuotedEnd(sql, i, '\'', true);
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            kind = Kind::Number;
            while (end < sql.size() && (IsWordChar(sql[end]) || sql[end] == '.'))
                ++end;
        } else if (IsWordStart(c)) {
            kind = Kind::Word;
            while (end < sql.size() && IsWordChar(sql[end]))
                ++end;
        }
        tokens.push_back(Token{kind, std::string(sql.substr(i, end - i))});
        i = end;
    }
    return tokens;
}

std::string Upper(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsWord(const Token& t, std::string_view upper) {
    return t.kind == Kind::Word && Upper(t.text) == upper;
}

bool IsAnyWord(const Token& t, std::initializer_list<std::string_view> words) {
    for (const std::string_view w : words)
        if (IsWord(t, w))
            return true;
    return false;
}

bool IsPunct(const Token& t, char c) {
    return t.kind == Kind::Punct && t.text.size() == 1 && t.text[0] == c;
}

std::vector<std::size_t> Significant(const std::vector<Token>& tokens) {
    std::vector<std::size_t> sig;
    for (std::size_t i = 0; i < tokens.size(); ++i)
        if (tokens[i].kind != Kind::Space)
            sig.push_back(i);
    return sig;
}

std::string Join(const std::vector<Token>& tokens, std::size_t from = 0, std::size_t to = std::string::npos) {
    std::string out;
    for (std::size_t i = from; i < tokens.size() && i < to; ++i)
        if (!tokens[i].removed)
            out += tokens[i].text;
    return out;
}

// The index of the ")" that closes the "(" at `open`, or npos.
std::size_t MatchingClose(const std::vector<Token>& tokens, std::size_t open) {
    int depth = 0;
    for (std::size_t i = open; i < tokens.size(); ++i) {
        if (IsPunct(tokens[i], '('))
            ++depth;
        else if (IsPunct(tokens[i], ')') && --depth == 0)
            return i;
    }
    return std::string::npos;
}

bool IsConstraintStart(const Token& t) {
    return IsAnyWord(t, {"CONSTRAINT", "PRIMARY", "UNIQUE", "FOREIGN", "CHECK"});
}

bool IsColumnConstraintWord(const Token& t) {
    return IsConstraintStart(t) || IsAnyWord(t, {"NOT", "NULL", "DEFAULT", "REFERENCES", "COLLATE", "WITH"});
}

struct ColumnHead {
    bool valid = false;
    std::size_t nameIndex = 0;
    std::size_t typeIndex = 0;
    std::size_t restStart = 0;
    std::string arguments;
};

ColumnHead ReadColumnHead(const std::vector<Token>& item) {
    ColumnHead head;
    const std::vector<std::size_t> sig = Significant(item);
    if (sig.size() < 2 || item[sig[1]].kind != Kind::Word || IsColumnConstraintWord(item[sig[1]]))
        return head;
    head.valid = true;
    head.nameIndex = sig[0];
    head.typeIndex = sig[1];
    head.restStart = sig[1] + 1;
    if (sig.size() > 2 && IsPunct(item[sig[2]], '(')) {
        const std::size_t close = MatchingClose(item, sig[2]);
        if (close != std::string::npos) {
            head.arguments = Join(item, sig[2], close + 1);
            head.restStart = close + 1;
        }
    }
    return head;
}

std::string TranslateColumn(std::vector<Token> item, bool tableHasCounter) {
    const ColumnHead head = ReadColumnHead(item);
    if (!head.valid)
        return Join(item);
    const EngineColumnType type = TranslateJetType(item[head.typeIndex].text, head.arguments);

    std::vector<std::size_t> rest;
    for (std::size_t i = head.restStart; i < item.size(); ++i)
        if (item[i].kind != Kind::Space)
            rest.push_back(i);
    bool hasCollate = false;
    for (std::size_t k = 0; k < rest.size(); ++k) {
        Token& t = item[rest[k]];
        if (IsWord(t, "COLLATE"))
            hasCollate = true;
        if (IsWord(t, "WITH") && k + 1 < rest.size() &&
            IsAnyWord(item[rest[k + 1]], {"COMPRESSION", "COMP"})) {
            t.removed = true;
            item[rest[k + 1]].removed = true;
        }
        if (IsWord(t, "PRIMARY") && k + 1 < rest.size() && IsWord(item[rest[k + 1]], "KEY")) {
            if (type.isCounter) {
                // The key comes with the counter declaration below.
                t.removed = true;
                item[rest[k + 1]].removed = true;
                if (k >= 2 && IsWord(item[rest[k - 2]], "CONSTRAINT")) {
                    item[rest[k - 2]].removed = true;
                    item[rest[k - 1]].removed = true;
                }
                if (k + 2 < rest.size() && IsAnyWord(item[rest[k + 2]], {"ASC", "DESC"}))
                    item[rest[k + 2]].removed = true;
            } else if (tableHasCounter) {
                t.text = "UNIQUE";
                item[rest[k + 1]].removed = true;
            }
        }
    }
    std::string out = Join(item, 0, head.nameIndex) + item[head.nameIndex].text + " ";
    if (type.isCounter)
        out += "INTEGER PRIMARY KEY AUTOINCREMENT";
    else
        out += type.declared + (type.isText && !hasCollate ? " COLLATE NOCASE" : "");
    return out + Join(item, head.restStart);
}

std::string TranslateCreateTable(std::vector<Token> tokens, std::size_t from) {
    std::size_t open = from;
    while (open < tokens.size() && !IsPunct(tokens[open], '('))
        ++open;
    const std::size_t close = open < tokens.size() ? MatchingClose(tokens, open) : std::string::npos;
    if (close == std::string::npos)
        return Join(tokens);

    std::vector<std::vector<Token>> items(1);
    int depth = 0;
    for (std::size_t i = open + 1; i < close; ++i) {
        if (IsPunct(tokens[i], '('))
            ++depth;
        else if (IsPunct(tokens[i], ')'))
            --depth;
        if (depth == 0 && IsPunct(tokens[i], ',')) {
            items.emplace_back();
            continue;
        }
        items.back().push_back(tokens[i]);
    }

    std::string counterName;
    for (const std::vector<Token>& item : items) {
        const std::vector<std::size_t> sig = Significant(item);
        if (sig.empty() || IsConstraintStart(item[sig[0]]))
            continue;
        const ColumnHead head = ReadColumnHead(item);
        if (head.valid && TranslateJetType(item[head.typeIndex].text, head.arguments).isCounter)
            counterName = UnquoteName(item[head.nameIndex].text);
    }
    const bool hasCounter = !counterName.empty();

    std::vector<std::string> outItems;
    for (std::vector<Token>& item : items) {
        const std::vector<std::size_t> sig = Significant(item);
        if (sig.empty() || !IsConstraintStart(item[sig[0]])) {
            outItems.push_back(TranslateColumn(item, hasCounter));
            continue;
        }
        std::size_t k = 0;
        if (IsWord(item[sig[0]], "CONSTRAINT"))
            k = 2;
        const bool isPrimaryKey = hasCounter && k + 1 < sig.size() && IsWord(item[sig[k]], "PRIMARY") &&
                                  IsWord(item[sig[k + 1]], "KEY");
        if (!isPrimaryKey) {
            outItems.push_back(Join(item));
            continue;
        }
        std::vector<std::string> keyColumns;
        for (std::size_t m = k + 2; m < sig.size(); ++m) {
            const Token& t = item[sig[m]];
            if (t.kind == Kind::Word || t.kind == Kind::Name)
                if (!IsAnyWord(t, {"ASC", "DESC"}))
                    keyColumns.push_back(UnquoteName(t.text));
        }
        if (keyColumns.size() == 1 && text::EqualsIgnoringCase(keyColumns.front(), counterName))
            continue; // the counter is the key already
        item[sig[k]].text = "UNIQUE";
        item[sig[k + 1]].removed = true;
        outItems.push_back(Join(item));
    }

    std::string out = Join(tokens, 0, open + 1);
    for (std::size_t i = 0; i < outItems.size(); ++i)
        out += (i == 0 ? "" : ",") + outItems[i];
    return out + Join(tokens, close);
}

std::string TranslateAlterTable(std::vector<Token> tokens, const std::vector<std::size_t>& sig) {
    for (std::size_t k = 2; k < sig.size(); ++k) {
        if (!IsWord(tokens[sig[k]], "ADD"))
            continue;
        std::size_t first = k + 1;
        if (first < sig.size() && IsWord(tokens[sig[first]], "COLUMN"))
            ++first;
        if (first >= sig.size() || IsConstraintStart(tokens[sig[first]]))
            return Join(tokens);
        std::size_t end = tokens.size();
        if (IsPunct(tokens[sig.back()], ';'))
            end = sig.back();
        const std::vector<Token> column(tokens.begin() + static_cast<std::ptrdiff_t>(sig[first]),
                                        tokens.begin() + static_cast<std::ptrdiff_t>(end));
        return Join(tokens, 0, sig[first]) + TranslateColumn(column, false) + Join(tokens, end);
    }
    return Join(tokens);
}

} // namespace

std::string TranslateJetSql(std::string_view sql) {
    std::vector<Token> tokens = Tokenize(sql);
    const std::vector<std::size_t> sig = Significant(tokens);
    if (sig.empty())
        return std::string(sql);
    const Token& first = tokens[sig[0]];
    if (IsWord(first, "DELETE") && sig.size() >= 3 && IsPunct(tokens[sig[1]], '*') &&
        IsWord(tokens[sig[2]], "FROM")) {
        tokens[sig[1]].removed = true;
        return Join(tokens);
    }
    if (IsWord(first, "CREATE")) {
        std::size_t k = 1;
        if (k < sig.size() && IsAnyWord(tokens[sig[k]], {"TEMP", "TEMPORARY"}))
            ++k;
        if (k < sig.size() && IsWord(tokens[sig[k]], "TABLE"))
            return TranslateCreateTable(std::move(tokens), sig[k] + 1);
        return std::string(sql);
    }
    if (IsWord(first, "ALTER") && sig.size() > 1 && IsWord(tokens[sig[1]], "TABLE"))
        return TranslateAlterTable(std::move(tokens), sig);
    return std::string(sql);
}

std::string UnquoteName(std::string_view name) {
    if (name.size() >= 2) {
        const char open = name.front();
        const char close = name.back();
        if (open == '[' && close == ']')
            return std::string(name.substr(1, name.size() - 2));
        if ((open == '"' || open == '`') && close == open) {
            std::string out;
            const std::string_view inner = name.substr(1, name.size() - 2);
            for (std::size_t i = 0; i < inner.size(); ++i) {
                out.push_back(inner[i]);
                if (inner[i] == open && i + 1 < inner.size() && inner[i + 1] == open)
                    ++i;
            }
            return out;
        }
    }
    return std::string(name);
}

std::string QuoteName(std::string_view name) {
    std::string out = "\"";
    for (const char c : name) {
        out.push_back(c);
        if (c == '"')
            out.push_back('"');
    }
    return out + "\"";
}

} // namespace kx::ado::jet
