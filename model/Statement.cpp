#include "Statement.h"

#include "DbError.h"

void CheckSqlite(sqlite3* db, int rc, const std::string& context)
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    std::string engine = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    throw TDbError("数据库错误: " + engine + " (" + context + ")", rc);
}

TStatement::TStatement(sqlite3* db, const std::string& sql)
    : db_(db)
{
    CheckSqlite(db_, sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr), sql);
}

TStatement::~TStatement()
{
    sqlite3_finalize(stmt_);
}

void TStatement::Bind(const TSqlValues& values)
{
    for (size_t i = 0; i < values.size(); ++i) {
        int index = static_cast<int>(i) + 1;
        int rc;
        if (const auto* number = std::get_if<long long>(&values[i]))
            rc = sqlite3_bind_int64(stmt_, index, *number);
        else {
            const std::string& text = std::get<std::string>(values[i]);
            rc = sqlite3_bind_text(stmt_, index, text.data(), static_cast<int>(text.size()), SQLITE_TRANSIENT);
        }
        CheckSqlite(db_, rc, sqlite3_sql(stmt_));
    }
}

bool TStatement::Step()
{
    int rc = sqlite3_step(stmt_);
    CheckSqlite(db_, rc, sqlite3_sql(stmt_));
    return rc == SQLITE_ROW;
}

std::vector<std::string> TStatement::ColumnNames() const
{
    std::vector<std::string> names;
    int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i)
        names.emplace_back(sqlite3_column_name(stmt_, i));
    return names;
}

TResultSet::TRow TStatement::Row() const
{
    TResultSet::TRow row;
    int count = sqlite3_column_count(stmt_);
    for (int i = 0; i < count; ++i) {
        if (sqlite3_column_type(stmt_, i) == SQLITE_NULL) {
            row.emplace_back();
            continue;
        }
        const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(stmt_, i));
        row.emplace_back(std::string(text, static_cast<size_t>(sqlite3_column_bytes(stmt_, i))));
    }
    return row;
}

TTransaction::TTransaction(sqlite3* db)
    : db_(db)
{
    CheckSqlite(db_, sqlite3_exec(db_, "begin immediate", nullptr, nullptr, nullptr), "begin");
}

TTransaction::~TTransaction()
{
    if (open_)
        sqlite3_exec(db_, "rollback", nullptr, nullptr, nullptr);
}

void TTransaction::Commit()
{
    CheckSqlite(db_, sqlite3_exec(db_, "commit", nullptr, nullptr, nullptr), "commit");
    open_ = false;
}
