#include "DbHelper.h"

#include "DbError.h"
#include "Schema.h"
#include "Statement.h"

#include <mutex>

namespace {

std::recursive_mutex& DbLock()
{
    static std::recursive_mutex lock;
    return lock;
}

std::string& SharedPath()
{
    static std::string path = "projects.mdb";
    return path;
}

sqlite3*& SharedConnection()
{
    static sqlite3* connection = nullptr;
    return connection;
}

} // namespace

void TDbHelper::SetDatabasePath(const std::string& path)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    CloseSharedConnection();
    SharedPath() = path;
}

std::string TDbHelper::DatabasePath()
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    return SharedPath();
}

void TDbHelper::CloseSharedConnection()
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    if (SharedConnection()) {
        sqlite3_close_v2(SharedConnection());
        SharedConnection() = nullptr;
    }
}

sqlite3* TDbHelper::GetConnection()
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    if (!SharedConnection())
        SharedConnection() = OpenModelDatabase(SharedPath());
    return SharedConnection();
}

std::unique_ptr<TResultSet> TDbHelper::OpenQuery(const std::string& sql, const TSqlValues& values)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TStatement statement(GetConnection(), sql);
    statement.Bind(values);
    std::vector<std::string> columns = statement.ColumnNames();
    std::vector<TResultSet::TRow> rows;
    while (statement.Step())
        rows.push_back(statement.Row());
    return std::make_unique<TResultSet>(std::move(columns), std::move(rows));
}

void TDbHelper::ExecuteSql(const std::string& sql, const TSqlValues& values)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TStatement statement(GetConnection(), sql);
    statement.Bind(values);
    while (statement.Step()) { }
}

void TDbHelper::ExecuteBatch(const std::vector<TSqlStatement>& statements)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TTransaction transaction(GetConnection());
    for (const auto& item : statements) {
        TStatement statement(GetConnection(), item.text);
        statement.Bind(item.values);
        while (statement.Step()) { }
    }
    transaction.Commit();
}

int TDbHelper::QueryInteger(const std::string& sql, const TSqlValues& values)
{
    auto rows = OpenQuery(sql, values);
    if (rows->RecordCount() == 0)
        return -1;
    return rows->AsInteger(size_t { 0 });
}

std::string TDbHelper::QueryText(const std::string& sql, const TSqlValues& values)
{
    auto rows = OpenQuery(sql, values);
    if (rows->RecordCount() == 0)
        return "";
    return rows->AsText(size_t { 0 });
}

void TDbHelper::ReadConsistently(const std::function<void(sqlite3*)>& reads)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    sqlite3* db = GetConnection();
    CheckSqlite(db, sqlite3_exec(db, "begin", nullptr, nullptr, nullptr), TDbAccess::Read);
    try {
        reads(db);
    } catch (...) {
        sqlite3_exec(db, "rollback", nullptr, nullptr, nullptr);
        throw;
    }
    CheckSqlite(db, sqlite3_exec(db, "commit", nullptr, nullptr, nullptr), TDbAccess::Read);
}

bool TDbHelper::WriteAtomically(const std::function<bool()>& body)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TTransaction transaction(GetConnection());
    if (!body())
        return false; // rolled back
    transaction.Commit();
    return true;
}
