#pragma once
#include "DbSchema.h"
#include "EntryRules.h"
#include "ModelCommands.h"

#include <string>
#include <vector>

// How tables of a database become classes and members. All the rules of
// the mapping live here:
//
// table  -> class: the name without a prefix t_ or tb_, snake_case to
//           UpperCamelCase (book_type -> BookType); friendly name = the
//           table comment, or the class name when there is none.
// column -> member: snake_case to lowerCamelCase (book_name -> bookName);
//           comment = the column comment.
// types:    CHAR, VARCHAR, the TEXT types, ENUM, SET -> 字符串, length
//           from the column (1..65535; TEXT types 65535); TINYINT..BIGINT,
//           YEAR, BIT -> 整型; FLOAT, DOUBLE, DECIMAL -> 浮点型; DATE,
//           DATETIME, TIMESTAMP, TIME -> 日期型; any other type: the column
//           is skipped and reported.
// key:      a primary key of one integer or text column -> primary member;
//           a table without one (or with a key of several columns) is
//           skipped and reported.
// foreign key of one column to the key of another imported table -> a
//           reference member of that class, named after the column without
//           a trailing _id / Id (book_type_id -> bookType), required.
// required: every member that is not a string, and a string NOT NULL.
// display:  the first text column after the key whose name says name or
//           title or whose comment says 名称 or 标题; else the first text
//           column; else the key.
// query:    none, unless text columns are asked for as query members.
// names:    a name not made of English letters and digits (a Chinese table
//           or column name) becomes TableN / fieldN (N its place among the
//           database's tables, by name, or the table's columns); a
//           second letter in upper case becomes lower case; a name an entry
//           rule still refuses (a Java keyword, a reserved word, a clash with
//           the generated code, a name taken) gets "_" at the end, then "_2",
//           "_3"...; every rename is reported, no name is dropped.

struct TPlannedMember {
    std::string column;
    TMemberEntry entry;
};

struct TPlannedClass {
    std::string table;
    std::string className;
    std::string friendName;
    std::vector<TPlannedMember> members;
};

struct TImportPlan {
    std::vector<TPlannedClass> classes;
    std::vector<std::string> notes; // every rename and skip, one line each

    // What the import creates, with the notes: one line each.
    std::vector<std::string> Report() const;
};

// tables: the tables to import, by name; empty for every table.
TImportPlan PlanSchemaImport(const TDbSchema& schema, const std::vector<std::string>& tables, bool textQueryMembers);

// Creates the project and its classes and members through the entry rules,
// in one transaction: all of it, or nothing.
TCommandResult ApplyImportPlan(const TImportPlan& plan, const std::string& projectName);
