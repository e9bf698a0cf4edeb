#include "model/store/Statement.h"

#include "model/store/DbError.h"

void CheckSqlite(sqlite3* db, int rc, TDbAccess access)
{
    if (rc == SQLITE_OK || rc == SQLITE_ROW || rc == SQLITE_DONE)
        return;
    std::string engine = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
    const char* file = db ? sqlite3_db_filename(db, "main") : nullptr;
    std::string path = file && *file ? file : "模型数据库";
    // The user is told what failed on which file; the engine's own text
    // follows for whoever must look further. SQL text is never shown.
    if ((rc & 0xFF) == SQLITE_BUSY || (rc & 0xFF) == SQLITE_LOCKED)
        throw TDbError("数据库正忙：" + path + " 正被其他程序使用，请稍后再试。\n" + engine, rc);
    const char* what = access == TDbAccess::Write ? "无法写入 " : "无法读取 ";
    throw TDbError("数据库错误：" + std::string(what) + path + "\n" + engine, rc);
}

TStatement::TStatement(sqlite3* db, const std::string& sql)
    : db_(db)
{
    CheckSqlite(
        db_, sqlite3_prepare_v2(db_, sql.c_str(), static_cast<int>(sql.size()), &stmt_, nullptr), TDbAccess::Read);
}

TStatement::TStatement(sqlite3* db, sqlite3_stmt* prepared)
    : db_(db)
    , stmt_(prepared)
    , owned_(false)
{
}

TStatement::~TStatement()
{
    if (owned_) {
        sqlite3_finalize(stmt_);
    } else if (stmt_) {
        sqlite3_reset(stmt_);
        sqlite3_clear_bindings(stmt_);
    }
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
        CheckSqlite(db_, rc, Access());
    }
}

TDbAccess TStatement::Access() const
{
    return sqlite3_stmt_readonly(stmt_) ? TDbAccess::Read : TDbAccess::Write;
}

bool TStatement::Step()
{
    int rc = sqlite3_step(stmt_);
    CheckSqlite(db_, rc, Access());
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
    , open_(sqlite3_get_autocommit(db) != 0)
{
    // Inside a transaction already (a command's), this one is part of it.
    if (open_)
        CheckSqlite(db_, sqlite3_exec(db_, "begin immediate", nullptr, nullptr, nullptr), TDbAccess::Write);
}

TTransaction::~TTransaction()
{
    if (open_)
        sqlite3_exec(db_, "rollback", nullptr, nullptr, nullptr);
}

void TTransaction::Commit()
{
    if (open_)
        CheckSqlite(db_, sqlite3_exec(db_, "commit", nullptr, nullptr, nullptr), TDbAccess::Write);
    open_ = false;
}
