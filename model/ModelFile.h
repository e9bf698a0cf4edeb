#pragma once
#include "ModelCommands.h"

#include <string>

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

// The version this program writes and the newest it reads.
const int kModelFileVersion = 1;

// The project's model as text. TDbError on a database failure.
std::string ExportModel(int projectId);

// Creates a project from a model file's text, through the entry rules of
// the dialogs (classes first, then members, in file order, so a reference
// may name a class that comes later), in one transaction: the whole project
// or nothing. fileName names the file in messages; newName, when not empty,
// replaces the file's project name. A refusal names the file, the class and
// the member, and gives the rule's message (or, for a syntax error, the line
// and column).
TCommandResult ImportModel(const std::string& text, const std::string& fileName, const std::string& newName);
