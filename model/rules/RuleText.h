#pragma once
// The small text tests the entry rules share; for model/rules only.
#include "model/rules/EntryRules.h"

#include <algorithm>
#include <set>
#include <string>

// Class and member names become file names and Java identifiers.
inline const size_t kMaxNameLength = 64;

// A generated DAO's paged query takes one parameter per query member and the
// page number, and Java allows 255 parameter slots, "this" included.
inline const int kMaxQueryMembers = 253;

// A blank at either end of a project name makes look-alike entries and a
// directory name that ends in blanks; ASCII and ideographic blanks count.
inline bool HasBlankAtAnEnd(const std::string& name)
{
    const std::string ideographic = "\xE3\x80\x80"; // U+3000
    auto startsWith = [&](const std::string& p) { return name.compare(0, p.size(), p) == 0; };
    auto endsWith = [&](const std::string& p) {
        return name.size() >= p.size() && name.compare(name.size() - p.size(), p.size(), p) == 0;
    };
    return startsWith(" ") || endsWith(" ") || startsWith(ideographic) || endsWith(ideographic);
}

inline TVerdict CheckProjectNameBlanks(const std::string& name)
{
    if (HasBlankAtAnEnd(name))
        return TVerdict::Refuse(TRefusal::Name, "工程名称的开头和结尾不能是空格!");
    return TVerdict::Accept();
}

inline bool HasControlCharacter(const std::string& text, bool allowTab)
{
    return std::any_of(text.begin(), text.end(),
        [allowTab](unsigned char c) { return (c < 0x20 && !(allowTab && c == '\t')) || c == 0x7F; });
}

inline bool IsUpperAscii(char c)
{
    return c >= 'A' && c <= 'Z';
}
inline bool IsLowerAscii(char c)
{
    return c >= 'a' && c <= 'z';
}

inline bool EndsWith(const std::string& text, const std::string& tail)
{
    return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

// Names the generated DAO and Action classes declare themselves (fields,
// locals, parameters, and "java" of java.net.URLEncoder), which neither a
// member nor a class variable name may take.
inline bool IsGeneratedName(const std::string& name)
{
    static const std::set<std::string> names = { "currentPage", "totalPage", "recordNumber", "ctx", "s", "tx", "q",
        "hql", "startIndex", "mod", "e", "java", "locale", "texts", "actionErrors", "actionMessages", "errorMessages",
        "errors", "fieldErrors", "container" };
    return names.count(name) > 0;
}

// Types the generated classes use by their simple names, and the support
// classes whose files a generated class of that name would replace.
inline bool IsReservedClassName(const std::string& name)
{
    static const std::set<std::string> names = { "String", "Object", "Exception", "SuppressWarnings", "Override",
        "ArrayList", "List", "Map", "HibernateException", "Query", "Session", "Transaction", "Statement",
        "HibernateUtil", "ActionContext", "ActionSupport", "TestUtil", "CardIdFieldValidator", "Login", "User",
        "ChangePassword", "Admin", "Configuration", "SessionFactory" };
    return names.count(name) > 0;
}

// Characters of UTF-8 text (its bytes that do not continue a character).
inline size_t CharacterCount(const std::string& text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}
