#include "model/store/DbHelper.h"

#include "model/store/DbError.h"
#include "model/store/Schema.h"
#include "model/store/Statement.h"

#include <mutex>
#include <unordered_map>
#include <utility>

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

std::string& UpgradeNotice()
{
    static std::string notice;
    return notice;
}

TSqliteHandle& SharedConnection()
{
    static TSqliteHandle connection;
    return connection;
}

// Statements of the shared connection, prepared once and reused: an import
// runs the same few statements for every class and member. Bounded, since
// a caller may put values into the text.
std::unordered_map<std::string, sqlite3_stmt*>& PreparedStatements()
{
    static std::unordered_map<std::string, sqlite3_stmt*> statements;
    return statements;
}

void FinalizePrepared()
{
    for (auto& [sql, statement] : PreparedStatements())
        sqlite3_finalize(statement);
    PreparedStatements().clear();
}

sqlite3_stmt* Prepared(sqlite3* db, const std::string& sql)
{
    auto found = PreparedStatements().find(sql);
    if (found != PreparedStatements().end())
        return found->second;
    if (PreparedStatements().size() >= 256)
        FinalizePrepared();
    sqlite3_stmt* statement = nullptr;
    CheckSqlite(db,
        sqlite3_prepare_v3(
            db, sql.c_str(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT, &statement, nullptr),
        TDbAccess::Read);
    // Text without a statement (blank, a comment) prepares to nothing.
    if (statement)
        PreparedStatements()[sql] = statement;
    return statement;
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

std::string TDbHelper::TakeUpgradeNotice()
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    return std::exchange(UpgradeNotice(), std::string());
}

void TDbHelper::CloseSharedConnection()
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    if (SharedConnection()) {
        FinalizePrepared();
        SharedConnection().reset();
    }
}

sqlite3* TDbHelper::GetConnection()
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    if (!SharedConnection())
        SharedConnection() = OpenModelDatabase(SharedPath(), &UpgradeNotice());
    return SharedConnection().get();
}

std::unique_ptr<TResultSet> TDbHelper::OpenQuery(const std::string& sql, const TSqlValues& values)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TStatement statement(GetConnection(), Prepared(GetConnection(), sql));
    statement.Bind(values);
    // The names after the first step: a reused statement is prepared again
    // there when the schema changed meanwhile.
    bool row = statement.Step();
    std::vector<std::string> columns = statement.ColumnNames();
    std::vector<TResultSet::TRow> rows;
    for (; row; row = statement.Step())
        rows.push_back(statement.Row());
    return std::make_unique<TResultSet>(std::move(columns), std::move(rows));
}

void TDbHelper::ExecuteSql(const std::string& sql, const TSqlValues& values)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TStatement statement(GetConnection(), Prepared(GetConnection(), sql));
    statement.Bind(values);
    while (statement.Step()) { }
}

void TDbHelper::ExecuteBatch(const std::vector<TSqlStatement>& statements)
{
    std::lock_guard<std::recursive_mutex> guard(DbLock());
    TTransaction transaction(GetConnection());
    for (const auto& item : statements) {
        TStatement statement(GetConnection(), Prepared(GetConnection(), item.text));
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
    // Inside a transaction already (a write reading what it changes): that
    // one keeps the reads consistent.
    if (!sqlite3_get_autocommit(db))
        return reads(db);
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
