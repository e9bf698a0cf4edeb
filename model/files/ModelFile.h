#pragma once
#include "ModelCommands.h"

#include <optional>
#include <string>
#include <string_view>

// A project as a readable text file: one UTF-8 JSON document, canonical so
// that a model change shows in `git diff` as the lines that changed (fixed
// key order, two-space indent, one member per line, classes and members in
// the store's order, no database ids, a format version).
//
// {
//   "format": "javagen-model",
//   "version": 1,
//   "project": "图书馆",
//   "classes": [
//     {
//       "name": "Book",
//       "friendName": "图书",
//       "members": [
//         {"name":"isbn","type":"字符串","length":13,"primary":true,"required":false,...,"comment":"书号"},
//         ...
//       ]
//     }
//   ]
// }

// The newest version this program reads. It writes version 1 for a model
// that version 1 holds whole (made in the dialogs), version 2 for one with
// what an import knows (the database, tables, columns) or the types version
// 1 did not have; version 2 adds to a project "database": {"url", "user",
// "driver", "dialect"}, to a class "table", to a member "column",
// "nullable", "generator", "precision", "scale", each only when set.
// Version 3 adds the type 双精度, version 4 a class's "readOnly" (a view).
const int kModelFileVersion = 5;
inline const char* const kModelFileFormat = "javagen-model";

// The project's model as text. TDbError on a database failure.
std::string ExportModel(int projectId);

// Creates a project from a model file's text, through the entry rules of
// the dialogs (classes first, then members, in file order, so a reference
// may name a class that comes later), in one transaction: the whole project
// or nothing. fileName names the file in messages; newName, when given (empty too),
// replaces the file's project name. A refusal names the file, the class and
// the member with the line its object starts on, and gives the rule's
// message (or, for a fault in the text, the line and column).
TCommandResult ImportModel(
    std::string_view text, const std::string& fileName, const std::optional<std::string>& newName = std::nullopt);
