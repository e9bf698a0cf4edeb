#pragma once
#include "model/store/DbHelper.h"
#include "model/store/ResultSet.h"

#include <sqlite3.h>
#include <string>
#include <vector>

// Whether a failed statement was to read or to write, for its message.
enum class TDbAccess { Read, Write };

// A prepared statement, finalized when it goes out of scope. Callers hold
// the database lock while it lives.
class TStatement {
public:
    TStatement(sqlite3* db, const std::string& sql);
    // Borrows a statement prepared earlier: reset, not finalized, at the end.
    TStatement(sqlite3* db, sqlite3_stmt* prepared);
    ~TStatement();
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    void Bind(const TSqlValues& values);
    // True while a row is available.
    bool Step();
    std::vector<std::string> ColumnNames() const;
    TResultSet::TRow Row() const;
    sqlite3_stmt* Handle() const { return stmt_; }

private:
    TDbAccess Access() const;

    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
    bool owned_ = true;
};

// A write transaction, taken before anything is read (BEGIN IMMEDIATE), that
// rolls back in its destructor unless committed. Within an open transaction
// it does nothing: the outer one decides.
class TTransaction {
public:
    explicit TTransaction(sqlite3* db);
    ~TTransaction();
    TTransaction(const TTransaction&) = delete;
    TTransaction& operator=(const TTransaction&) = delete;
    void Commit();

private:
    sqlite3* db_;
    bool open_ = true;
};

// Throws TDbError for a failed return code: a first line in Chinese saying
// what failed on which file (or that the file is busy), then the engine's
// own message.
void CheckSqlite(sqlite3* db, int rc, TDbAccess access);
