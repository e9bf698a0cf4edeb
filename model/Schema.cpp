#include "Schema.h"

#include "DbError.h"
#include "Statement.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

struct TTableSpec {
    const char* name;
    std::vector<const char*> columns;
};

const std::vector<TTableSpec>& Tables()
{
    static const std::vector<TTableSpec> tables = {
        { "t_project", { "projectId", "projectName" } },
        { "t_class", { "classId", "projectId", "className", "friendName" } },
        { "t_member",
            { "memberId", "projectId", "classId", "memberName", "memberType", "memberLength", "memberIsPri",
                "memberComment", "memberIsMust", "memberIsInteger", "memberIsFloat", "queryFlag", "memberIsDisplay",
                "memberQueryDisplay" } },
    };
    return tables;
}

const char* const kCreateSchema = R"SQL(
create table t_project(
    projectId integer primary key autoincrement,
    projectName text not null default '');
create table t_class(
    classId integer primary key autoincrement,
    projectId integer not null default 0,
    className text not null default '',
    friendName text not null default '');
create table t_member(
    memberId integer primary key autoincrement,
    projectId integer not null default 0,
    classId integer not null default 0,
    memberName text not null default '',
    memberType text not null default '',
    memberLength integer not null default 0,
    memberIsPri integer not null default 0,
    memberComment text not null default '',
    memberIsMust integer not null default 0,
    memberIsInteger integer not null default 0,
    memberIsFloat integer not null default 0,
    queryFlag integer not null default 0,
    memberIsDisplay integer not null default 0,
    memberQueryDisplay integer not null default 1);
create index ix_class_project on t_class(projectId, className);
create index ix_member_class on t_member(classId);
)SQL";

bool FileExists(const std::string& path)
{
    struct stat info;
    return stat(path.c_str(), &info) == 0;
}

// A name beginning "file:" is a file name here, never an SQLite URI.
std::string SqliteName(const std::string& path)
{
    return path.rfind("file:", 0) == 0 ? "./" + path : path;
}

// A new database is made whole in a file of its own beside the path and then
// linked to the path, which fails when the path exists meanwhile: a second
// program starting on the missing database at the same moment never opens a
// half-made file, and the one that links second uses the first one's.
void CreateModelDatabase(const std::string& path)
{
    std::string temp = path + ".javagen-" + std::to_string(getpid()) + ".tmp";
    unlink(temp.c_str());
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(
        SqliteName(temp).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string engine = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        unlink(temp.c_str());
        throw TDbError("无法打开数据库文件 " + path + "：" + engine, rc);
    }
    std::string message;
    char* error = nullptr;
    rc = sqlite3_exec(db, (std::string("begin;") + kCreateSchema + "commit;").c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
    }
    sqlite3_close_v2(db);
    if (rc != SQLITE_OK) {
        unlink(temp.c_str());
        throw TDbError("无法在 " + path + " 中创建数据表：" + message, rc);
    }
    bool linked = link(temp.c_str(), path.c_str()) == 0;
    int linkError = errno;
    // A file system without hard links gets the file renamed into place.
    if (!linked && linkError != EEXIST && !FileExists(path) && rename(temp.c_str(), path.c_str()) != 0) {
        linkError = errno;
        unlink(temp.c_str());
        throw TDbError("无法打开数据库文件 " + path + "：" + std::strerror(linkError));
    }
    unlink(temp.c_str());
}

// Opening a named pipe blocks and opening a device may act on it: only a
// regular file is ever opened.
void CheckRegularFile(const std::string& path)
{
    struct stat info;
    if (stat(path.c_str(), &info) != 0 || S_ISREG(info.st_mode))
        return;
    const char* kind = S_ISDIR(info.st_mode) ? "是一个目录"
        : S_ISFIFO(info.st_mode)             ? "是一个命名管道"
                                             : "不是普通文件";
    throw TDbError("数据库文件 " + path + " " + kind + "，无法作为模型数据库打开");
}

// Looks at the first bytes so that a file of another kind is named plainly
// instead of reported by the engine as "file is not a database".
void CheckFileKind(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw TDbError("无法打开数据库文件 " + path + "：没有读取权限或不是普通文件");
    char head[32] = {};
    in.read(head, sizeof head);
    std::streamsize got = in.gcount();
    if (got == 0)
        return; // an empty file is an empty SQLite database; the table check names what is missing
    static const char jet[] = "\x00\x01\x00\x00Standard Jet DB";
    if (got >= 19 && std::memcmp(head, jet, 19) == 0)
        throw TDbError(
            "数据库文件 " + path + " 是旧的 Access(Jet)格式，本程序不支持该格式，请改用 SQLite 3 格式的数据库文件");
    static const char sqliteHeader[] = "SQLite format 3";
    if (got < 16 || std::memcmp(head, sqliteHeader, 16) != 0)
        throw TDbError("文件 " + path + " 不是 SQLite 3 数据库，无法作为模型数据库打开");
}

void CheckTables(sqlite3* db, const std::string& path)
{
    for (const auto& table : Tables()) {
        TStatement info(db, std::string("pragma table_info(") + table.name + ")");
        std::set<std::string> present;
        while (info.Step()) {
            auto row = info.Row();
            if (row.size() > 1 && row[1])
                present.insert(*row[1]);
        }
        if (present.empty())
            throw TDbError("数据库文件 " + path + " 缺少表 " + table.name + "，不是本程序的模型数据库");
        for (const char* column : table.columns)
            if (!present.count(column))
                throw TDbError("数据库文件 " + path + " 的表 " + table.name + " 缺少列 " + column);
    }
}

} // namespace

std::string DatabasePathFault(const std::string& path)
{
    if (path.empty())
        return "数据库文件名不能为空：空的文件名会使模型保存在临时数据库中，程序结束时丢失。";
    if (path == ":memory:")
        return "数据库文件名不能是 “:memory:”：模型会保存在内存中，程序结束时丢失。";
    if (path.back() == '/')
        return "数据库文件名 " + path + " 以 “/” 结尾，它是一个目录，不是文件。";
    return "";
}

sqlite3* OpenModelDatabase(const std::string& path)
{
    std::string fault = DatabasePathFault(path);
    if (!fault.empty())
        throw TDbError(fault);
    CheckRegularFile(path);
    if (!FileExists(path))
        CreateModelDatabase(path);
    CheckFileKind(path);
    // Every use of the connection holds TDbHelper's lock, so SQLite's own
    // per-call mutex would only add cost.
    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(SqliteName(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        std::string engine = db ? sqlite3_errmsg(db) : sqlite3_errstr(rc);
        sqlite3_close_v2(db);
        throw TDbError("无法打开数据库文件 " + path + "：" + engine, rc);
    }
    try {
        sqlite3_busy_timeout(db, 10000);
        CheckTables(db, path);
    } catch (...) {
        sqlite3_close_v2(db);
        throw;
    }
    return db;
}
