#pragma once
#include "model/commands/ModelCommands.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

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
// Version 3 adds the type 双精度, version 4 a class's "readOnly" (a view)
// and the project's "target", version 5 the type 二进制, version 6 the
// project's "package" (when one is stored) and "pages" (when true),
// version 7 the project's "databaseKind" (when not "mysql").
const int kModelFileVersion = 7;
inline const char* const kModelFileFormat = "javagen-model";

// The project's model as text. TDbError on a database failure.
std::string ExportModel(int projectId);

// Creates a project from a model file's text, through the entry rules of
// the dialogs (classes first, then members, in file order, so a reference
// may name a class that comes later), in one transaction: the whole project
// or nothing. fileName names the file in messages; newName, when given (empty too),
// replaces the file's project name. A refusal names the file, the class and
// the member with the line its object starts on, and gives the rule's
// message (or, for a fault in the text, the line and column). Refused with
// ProjectNameTaken when a project has the file's name: its id is the
// result's, for an update instead.
TCommandResult ImportModel(
    std::string_view text, const std::string& fileName, const std::optional<std::string>& newName = std::nullopt);

// An existing project brought to what a model file says, in one
// transaction: its settings (those the file's version carries), its classes
// matched by name (then an unmatched pair with one friendly name as a
// rename), so that a kept class keeps its id and the merge still knows its
// files; members in the file's order. A change that loses something (a
// class or member removed, the database settings cleared, the file naming
// another project) is applied only when confirmed.
struct TUpdateOptions {
    bool dryRun = false; // the plan only: nothing written
    bool confirmed = false; // losses accepted
};
struct TModelUpdate {
    TCommandResult result; // refused (Unconfirmed) when losses were not confirmed
    std::vector<std::string> plan; // the changes, one per line, a summary first
    std::vector<std::string> losses; // what would be lost, each a phrase
};
TModelUpdate UpdateModel(std::string_view text, const std::string& fileName, int projectId, TUpdateOptions options);
