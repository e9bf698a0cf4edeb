#pragma once
#include "DbHelper.h"
#include "ResultSet.h"

#include <sqlite3.h>
#include <string>
#include <vector>

// A prepared statement, finalized when it goes out of scope. Callers hold
// the database lock while it lives.
class TStatement {
public:
    TStatement(sqlite3* db, const std::string& sql);
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
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

// A transaction that rolls back in its destructor unless committed.
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

// Throws TDbError with the engine's message for a failed return code.
void CheckSqlite(sqlite3* db, int rc, const std::string& context);
