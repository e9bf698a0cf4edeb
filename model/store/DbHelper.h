#pragma once
#include "model/store/ResultSet.h"

#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

struct sqlite3;

// A value bound to a "?" of a statement: texts and numbers are never spliced
// into the SQL text, so no value can change what a statement does.
using TSqlValue = std::variant<long long, std::string>;
using TSqlValues = std::vector<TSqlValue>;

struct TSqlStatement {
    std::string text;
    TSqlValues values;
};

// Every statement of the program goes through this helper and the one
// shared connection it opens on first use and keeps open. Each operation
// holds a process-wide lock, so the window thread and a generation thread
// can use the model at the same time.
class TDbHelper {
public:
    sqlite3* GetConnection();
    std::unique_ptr<TResultSet> OpenQuery(const std::string& sql, const TSqlValues& values = {});
    void ExecuteSql(const std::string& sql, const TSqlValues& values = {});
    // All statements in one transaction; on a failure everything is rolled
    // back and the failure is rethrown to the caller.
    void ExecuteBatch(const std::vector<TSqlStatement>& statements);
    // First column of the first row; -1 when there is no row.
    int QueryInteger(const std::string& sql, const TSqlValues& values = {});
    // First column of the first row; empty when there is no row.
    std::string QueryText(const std::string& sql, const TSqlValues& values = {});

    // The database file the shared connection opens (default "projects.mdb",
    // relative to the current directory). Changing it closes the connection.
    static void SetDatabasePath(const std::string& path);
    static std::string DatabasePath();
    static void CloseSharedConnection();
    // Once, after the shared connection upgraded an older file: the line
    // telling the user so and naming the copy kept. Empty otherwise.
    static std::string TakeUpgradeNotice();

    // Runs reads inside one read transaction on the shared connection, with
    // other threads' statements kept out, so that everything they read is
    // one consistent state of the database however others write to it;
    // inside a write transaction, in that one.
    void ReadConsistently(const std::function<void(sqlite3*)>& reads);
    // Runs body inside one write transaction taken before it reads anything
    // (BEGIN IMMEDIATE), so no other program writes between its checks and
    // its writes. Commits when body returns true, rolls back when it returns
    // false or throws. Returns what body returned.
    bool WriteAtomically(const std::function<bool()>& body);
};
