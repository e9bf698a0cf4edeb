#include "model/rules/JavaWords.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <unicode/uchar.h>
#include <unicode/utf8.h>

bool IsReservedJavaWord(const std::string& word)
{
    static const std::set<std::string> words = { "abstract", "assert", "boolean", "break", "byte", "case", "catch",
        "char", "class", "const", "continue", "default", "do", "double", "else", "enum", "extends", "final", "finally",
        "float", "for", "goto", "if", "implements", "import", "instanceof", "int", "interface", "long", "native", "new",
        "package", "private", "protected", "public", "return", "short", "static", "strictfp", "super", "switch",
        "synchronized", "this", "throw", "throws", "transient", "try", "void", "volatile", "while", "true", "false",
        "null", "_" };
    return words.count(word) > 0;
}

bool IsJavaKeyword(const std::string& word)
{
    return IsReservedJavaWord(word) || word == "var" || word == "record" || word == "yield";
}

bool IsRestrictedTypeName(const std::string& word)
{
    return word == "var" || word == "yield" || word == "record" || word == "sealed" || word == "permits";
}

bool IsJavaIdentifier(const std::string& text)
{
    const auto* bytes = reinterpret_cast<const uint8_t*>(text.data());
    const int32_t length = static_cast<int32_t>(text.size());
    if (length == 0)
        return false;
    for (int32_t i = 0; i < length;) {
        bool first = i == 0;
        UChar32 c;
        U8_NEXT(bytes, i, length, c);
        // Ignorable characters are identifier parts to Java, but invisible
        // control and format characters have no place in a name.
        if (c < 0 || u_isIDIgnorable(c))
            return false;
        if (first ? !u_isJavaIDStart(c) : !u_isJavaIDPart(c))
            return false;
    }
    return true;
}

bool IsSqlReservedWord(const std::string& word)
{
    static const std::set<std::string> words = { "add", "all", "alter", "and", "as", "asc", "between", "by", "case",
        "change", "check", "column", "condition", "constraint", "create", "cross", "database", "default", "delete",
        "desc", "describe", "distinct", "div", "drop", "else", "exists", "explain", "fetch", "for", "foreign", "from",
        "grant", "group", "having", "if", "in", "index", "inner", "insert", "interval", "into", "is", "join", "key",
        "keys", "kill", "leading", "left", "like", "limit", "lines", "load", "lock", "match", "mod", "natural", "not",
        "null", "on", "option", "or", "order", "outer", "primary", "range", "read", "references", "rename", "repeat",
        "replace", "require", "restrict", "return", "revoke", "right", "rlike", "schema", "select", "set", "show",
        "table", "then", "to", "trailing", "trigger", "union", "unique", "unlock", "update", "usage", "use", "using",
        "values", "when", "where", "while", "with", "write", "xor", "current_date", "current_time", "current_user",
        "release", "signal", "sql", "ssl", "window", "rank", "row", "rows", "over", "returning" };
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return words.count(lower) > 0;
}

bool IsHqlKeyword(const std::string& word)
{
    static const std::set<std::string> words = { "all", "and", "any", "as", "asc", "avg", "between", "both", "by",
        "class", "count", "delete", "desc", "distinct", "elements", "empty", "end", "escape", "exists", "fetch", "from",
        "full", "having", "in", "indices", "inner", "insert", "into", "is", "join", "leading", "left", "like", "max",
        "member", "min", "new", "not", "null", "of", "on", "or", "outer", "properties", "right", "select", "set",
        "some", "sum", "then", "trailing", "union", "update", "versioned", "when", "where", "with" };
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    return words.count(lower) > 0;
}

bool IsPageWord(const std::string& word)
{
    static const std::set<std::string> words = { // EL reserved words
        "and", "or", "not", "eq", "ne", "lt", "gt", "le", "ge", "true", "false", "null", "instanceof", "empty", "div",
        "mod",
        // EL implicit objects
        "pageContext", "pageScope", "requestScope", "sessionScope", "applicationScope", "param", "paramValues",
        "header", "headerValues", "initParam", "cookie",
        // OGNL words
        "in", "shl", "shr", "ushr", "band", "bor", "xor", "neq", "lte", "gte",
        // the context path every generated page sets
        "ctx"
    };
    return words.count(word) > 0;
}

bool IsAsciiIdentifier(const std::string& text)
{
    if (text.empty() || std::isdigit(static_cast<unsigned char>(text[0])))
        return false;
    return std::all_of(
        text.begin(), text.end(), [](unsigned char c) { return (c < 0x80 && std::isalnum(c)) || c == '_'; });
}

std::string ClassVariableName(const std::string& className)
{
    std::string name = className;
    if (!name.empty() && name[0] >= 'A' && name[0] <= 'Z')
        name[0] = static_cast<char>(name[0] + ('a' - 'A'));
    return name;
}

std::string CapitalizedName(const std::string& memberName)
{
    std::string name = memberName;
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z')
        name[0] = static_cast<char>(name[0] - ('a' - 'A'));
    return name;
}
