#include "RawSqlite.h"

#include <sqlite3.h>

#include <memory>
#include <stdexcept>

namespace {

using TConnection = std::unique_ptr<sqlite3, int (*)(sqlite3*)>;

TConnection Open(const std::string& dbPath, bool write)
{
    sqlite3* db = nullptr;
    int flags = write ? SQLITE_OPEN_READWRITE : SQLITE_OPEN_READONLY;
    if (sqlite3_open_v2(dbPath.c_str(), &db, flags, nullptr) != SQLITE_OK) {
        std::string error = db ? sqlite3_errmsg(db) : "out of memory";
        sqlite3_close(db);
        throw std::runtime_error("cannot open " + dbPath + ": " + error);
    }
    sqlite3_busy_timeout(db, 10000);
    return { db, sqlite3_close };
}

int AppendRow(void* text, int columns, char** values, char**)
{
    std::string& out = *static_cast<std::string*>(text);
    for (int i = 0; i < columns; ++i)
        out += std::string(i ? "|" : "") + (values[i] ? values[i] : "NULL");
    out += '\n';
    return 0;
}

void Run(sqlite3* db, const std::string& sql, std::string* rows)
{
    char* error = nullptr;
    if (sqlite3_exec(db, sql.c_str(), rows ? AppendRow : nullptr, rows, &error) != SQLITE_OK) {
        std::string message = error ? error : "";
        sqlite3_free(error);
        throw std::runtime_error(sql + ": " + message);
    }
}

} // namespace

long long SqlNumber(const std::string& dbPath, const std::string& sql)
{
    std::string rows = SqlRows(dbPath, sql);
    if (rows.empty())
        return -1;
    return std::stoll(rows.substr(0, rows.find_first_of("|\n")));
}

std::string SqlRows(const std::string& dbPath, const std::string& sql)
{
    TConnection db = Open(dbPath, false);
    std::string rows;
    Run(db.get(), sql, &rows);
    return rows;
}

void SqlExecute(const std::string& dbPath, const std::string& sql)
{
    TConnection db = Open(dbPath, true);
    Run(db.get(), sql, nullptr);
}

std::string ModelContents(const std::string& dbPath)
{
    std::string contents;
    for (const char* table : { "t_project", "t_class", "t_member", "sqlite_sequence" })
        contents += std::string(table) + ":\n" + SqlRows(dbPath, std::string("select * from ") + table + " order by 1");
    return contents;
}
