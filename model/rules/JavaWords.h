#pragma once
#include <string>

// Java keywords and the literals true, false and null, and the words the
// entry rules keep from names besides (var, record, yield).
bool IsJavaKeyword(const std::string& word);
// What javac itself refuses as an identifier: the reserved keywords, "_"
// and the literals true, false and null.
bool IsReservedJavaWord(const std::string& word);
// Identifiers javac refuses as the name of a type (var, yield, record,
// sealed, permits).
bool IsRestrictedTypeName(const std::string& word);
// A Java identifier as javac reads it from a source file: letters of any
// script, digits, "_" and "$" and what else Java counts as identifier
// characters, not starting with a digit; no blank, punctuation, quote or
// control character. The text is UTF-8; no keyword test.
bool IsJavaIdentifier(const std::string& text);
// Words that MySQL/MariaDB reserve, compared without regard to case: a
// member name becomes a column name in the generated mapping.
bool IsSqlReservedWord(const std::string& word);
// Words of Hibernate's query language, compared without regard to case: a
// class variable name is the alias of the generated queries.
bool IsHqlKeyword(const std::string& word);
// Words a generated page or Struts reads as something else than a property:
// EL reserved words and implicit objects, OGNL words and ctx (the pages'
// context path) (a member named lt breaks ${book.lt}; param shows the request).
bool IsPageWord(const std::string& word);
// Whole text made of ASCII letters, digits and "_", not starting with a digit.
bool IsAsciiIdentifier(const std::string& text);

// The class variable name: the first character turned from A..Z to a..z.
std::string ClassVariableName(const std::string& className);
// The first character turned from a..z to A..Z.
std::string CapitalizedName(const std::string& memberName);
