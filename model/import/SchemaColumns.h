#pragma once
#include "model/import/DbSchema.h"
#include "model/import/SchemaMapping.h"

#include <functional>
#include <string>
#include <vector>

// How the import reads a table and its columns: names, member types,
// texts. Shared by the planner (SchemaPlan) and nothing outside import/.

// snake_case (or any separators) to CamelCase; a part written all in capitals
// is read as a word (BOOK_TYPE -> BookType).
std::string Camel(const std::string& name, bool upperFirst);
bool IsAsciiName(const std::string& name);
// The fixed renames before the suffixes: a name that is not made of English
// letters and digits (a Chinese column name) becomes the stand-in, and a
// second letter in upper case becomes lower case (Hibernate finds no getter
// for xPos).
std::string Renamed(const std::string& name, const std::string& standIn, bool member);
std::string ClassNameOf(const std::string& table);
// A comment as the entry rules accept it: control characters become blanks,
// characters without a GBK form become "?" (and lost says so).
std::string CleanText(const std::string& text, bool& lost);
// A column's COLUMN_TYPE as the import keeps it: the type's words in lower
// case ("int(10) unsigned"), the quoted values of an ENUM or SET exactly as
// the server holds them (enum('PG','NC-17')).
std::string ColumnTypeText(const std::string& reported);
// The member type of a column; null when none fits.
const char* TypeOf(const TDbColumn& column);
// A BLOB column of any size: bytes.
bool IsBinaryColumn(const TDbColumn& column);
// The member type of a key column: a BIGINT, signed or not, is a long
// integer (keys are integers or texts).
const char* KeyTypeOf(const TDbColumn& column);
long long LengthOf(const TDbColumn& column);
// A name the rules accept: the name itself, or with "_", "_2", "_3"...
// Empty when none is (a name too long, say).
std::string Acceptable(const std::string& name, const std::function<bool(const std::string&)>& accepted);
// The tables asked for (all of them when none is named), noting names the
// database does not have.
std::vector<const TDbTable*> ChooseTables(
    const TDbSchema& schema, const std::vector<std::string>& tables, std::vector<std::string>& notes);
const TDbColumn* ColumnNamed(const TDbTable& table, const std::string& name);
// The column of a view that serves as its key: the first NOT NULL integer
// or text column named id, else the first whose name ends in id; empty
// when there is none.
std::string ViewKeyColumn(const TDbTable& view);
// What the member knows of its column, beside the dialogs' fields.
void TakeColumnData(const TDbColumn& column, bool isKey, TMemberEntry& entry, const std::string& table,
    std::vector<std::string>& notes);
// A foreign key column's member name: the column without a trailing _id.
std::string ReferenceName(const std::string& column);
// The display member: the first text column after the key whose name or
// comment says name or title; else the first text column; else the key.
void ChooseDisplay(const TDbTable& table, TPlannedClass& planned);
