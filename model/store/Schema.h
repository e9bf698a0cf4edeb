#pragma once
#include <sqlite3.h>

#include <memory>
#include <string>
#include <vector>

// A connection that closes itself: the one way this program holds one.
struct TSqliteClose {
    void operator()(sqlite3* db) const { sqlite3_close_v2(db); }
};
using TSqliteHandle = std::unique_ptr<sqlite3, TSqliteClose>;

// Opens the model database at path: creates it with the three tables when
// the file is missing; refuses (TDbError naming the file) a file that is not
// an SQLite 3 database or lacks a table or column, and never alters it.
// An older file is upgraded; upgraded (when given) then receives a line
// for the user naming the copy kept of the file as it was.
TSqliteHandle OpenModelDatabase(const std::string& path, std::string* upgraded = nullptr);

// Why a path cannot name a model database at all, or empty: the empty name
// and ":memory:" (SQLite would keep the model in a temporary or in-memory
// database and lose it), and a path ending in "/" (a directory).
std::string DatabasePathFault(const std::string& path);

struct TMigration;

// Brings the open database up to the last of migrations, in one write
// transaction, after keeping a copy of the file beside it as
// <path>.bak-<old version>. A failure rolls everything back and leaves the
// file as it was. OpenModelDatabase runs it with the program's migrations.
// Returns the copy's path; empty when the file needed no migration.
// lockNotice (when given) receives a line for the user when the file system
// had no flock and a pid file stood in (see TMigrationLock).
std::string MigrateModelDatabase(
    sqlite3* db, const std::string& path, const std::vector<TMigration>& migrations, std::string* lockNotice = nullptr);
