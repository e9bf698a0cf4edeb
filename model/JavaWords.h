#pragma once
#include <string>

// Java keywords and the literals true, false and null.
bool IsJavaKeyword(const std::string& word);
// Words that MySQL/MariaDB reserve, compared without regard to case: a
// member name becomes a column name in the generated mapping.
bool IsSqlReservedWord(const std::string& word);
// Words of Hibernate's query language, compared without regard to case: a
// class variable name is the alias of the generated queries.
bool IsHqlKeyword(const std::string& word);
// Whole text made of ASCII letters, digits and "_", not starting with a digit.
bool IsAsciiIdentifier(const std::string& text);

// The class variable name: the first character turned from A..Z to a..z.
std::string ClassVariableName(const std::string& className);
// The first character turned from a..z to A..Z.
std::string CapitalizedName(const std::string& memberName);
