#include "Schema.h"

#include "DbError.h"
#include "MigrationLock.h"
#include "SchemaLayout.h"
#include "Statement.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

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
    sqlite3* opened = nullptr;
    int rc = sqlite3_open_v2(
        SqliteName(temp).c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    TSqliteHandle db(opened); // closed on every way out, even a failed open's
    if (rc != SQLITE_OK) {
        std::string engine = db ? sqlite3_errmsg(db.get()) : sqlite3_errstr(rc);
        db.reset();
        unlink(temp.c_str());
        throw TDbError("无法打开数据库文件 " + path + "：" + engine, rc);
    }
    std::string message;
    char* error = nullptr;
    rc = sqlite3_exec(db.get(), ("begin;" + CreateSchemaSql() + "commit;").c_str(), nullptr, nullptr, &error);
    if (rc != SQLITE_OK) {
        message = error ? error : sqlite3_errstr(rc);
        sqlite3_free(error);
    }
    db.reset();
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

// The columns of the file's own version must all be there; later ones are
// added by the migrations.
void CheckTables(sqlite3* db, const std::string& path, int version)
{
    std::map<std::string, std::set<std::string>> present;
    for (const auto& wanted : SchemaColumns()) {
        if (wanted.since > version)
            continue;
        auto found = present.find(wanted.table);
        if (found == present.end()) {
            std::set<std::string> columns;
            TStatement info(db, "pragma table_info(" + wanted.table + ")");
            while (info.Step()) {
                auto row = info.Row();
                if (row.size() > 1 && row[1])
                    columns.insert(*row[1]);
            }
            if (columns.empty())
                throw TDbError("数据库文件 " + path + " 缺少表 " + wanted.table + "，不是本程序的模型数据库");
            found = present.emplace(wanted.table, std::move(columns)).first;
        }
        if (!found->second.count(wanted.column))
            throw TDbError("数据库文件 " + path + " 的表 " + wanted.table + " 缺少列 " + wanted.column);
    }
}

// A model database is input like any other (it is passed around in teams):
// nothing in it may run code. The engine is told not to trust the schema,
// and a file with an object the program did not make (a trigger on
// t_member, a view, a table of its own) is refused before anything is
// read from or written to it.
void Harden(sqlite3* db)
{
    sqlite3_db_config(db, SQLITE_DBCONFIG_DEFENSIVE, 1, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_TRUSTED_SCHEMA, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_LOAD_EXTENSION, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_TRIGGER, 0, nullptr);
    sqlite3_db_config(db, SQLITE_DBCONFIG_ENABLE_VIEW, 0, nullptr);
}

void CheckObjects(sqlite3* db, const std::string& path)
{
    static const std::set<std::string> tables = { "t_project", "t_class", "t_member", "sqlite_sequence" };
    static const std::set<std::string> indexes = { "ix_class_project", "ix_member_class" };
    TStatement objects(db, "select type, name from sqlite_master");
    while (objects.Step()) {
        auto row = objects.Row();
        std::string type = row[0].value_or(""), name = row[1].value_or("");
        // sqlite_stat1..4 are what ANALYZE (or another tool's optimize)
        // leaves: statistics, never run.
        if (type == "table" && (tables.count(name) || name.rfind("sqlite_stat", 0) == 0))
            continue;
        if (type == "index" && (indexes.count(name) || name.rfind("sqlite_autoindex_", 0) == 0))
            continue;
        const char* kind = type == "trigger" ? "触发器" : type == "view" ? "视图" : type == "index" ? "索引" : "表";
        throw TDbError("数据库文件 " + path + " 含有本程序没有创建的" + kind + " " + name +
            "，为安全起见拒绝打开(模型数据库中的触发器和视图可以在修改模型时执行任意语句)。文件未作任何修改。");
    }
}

int UserVersion(sqlite3* db)
{
    TStatement pragma(db, "pragma user_version");
    return pragma.Step() ? std::stoi(pragma.Row()[0].value_or("0")) : 0;
}

// A copy of the database as it was, beside it, under a name not yet taken.
// Made through the connection itself (SQLite's online backup) into a
// temporary file that is renamed when complete: no second descriptor is ever
// opened on the live file (closing one would drop SQLite's POSIX locks), and
// a kill or a full disk never leaves a truncated copy under the backup name.
std::string KeepCopy(sqlite3* db, const std::string& path, int version)
{
    std::string copy = path + ".bak-" + std::to_string(version);
    for (int n = 2; FileExists(copy); ++n)
        copy = path + ".bak-" + std::to_string(version) + "-" + std::to_string(n);
    auto refuse = [&](const std::string& why) {
        return TDbError(
            "无法升级数据库文件 " + path + "：无法保存它的副本 " + copy + "(" + why + ")，文件未作任何修改");
    };
    std::error_code ec;
    std::filesystem::path folder = std::filesystem::absolute(path, ec).parent_path();
    std::filesystem::space_info space = std::filesystem::space(folder, ec);
    std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (!ec && space.available < size + size / 10 + 65536)
        throw refuse("磁盘空间不足：需要约 " + std::to_string(size / 1024 + 64) + " KB，只剩 " +
            std::to_string(space.available / 1024) + " KB");
    std::string temporary = copy + ".tmp-" + std::to_string(getpid());
    sqlite3* opened = nullptr;
    int rc = sqlite3_open_v2(SqliteName(temporary).c_str(), &opened,
        SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOMUTEX, nullptr);
    TSqliteHandle target(opened);
    if (rc == SQLITE_OK) {
        sqlite3_backup* backup = sqlite3_backup_init(target.get(), "main", db, "main");
        if (!backup) {
            rc = sqlite3_errcode(target.get());
        } else {
            rc = sqlite3_backup_step(backup, -1);
            int finished = sqlite3_backup_finish(backup);
            rc = rc == SQLITE_DONE ? finished : rc;
        }
    }
    std::string engine = target ? sqlite3_errmsg(target.get()) : sqlite3_errstr(rc);
    // Closed here, its result checked: the copy is complete only then.
    int closed = sqlite3_close_v2(target.release());
    if (rc == SQLITE_OK && closed == SQLITE_OK)
        std::filesystem::rename(temporary, copy, ec);
    if (rc != SQLITE_OK || closed != SQLITE_OK || ec) {
        std::filesystem::remove(temporary, ec);
        throw refuse(rc != SQLITE_OK ? engine : "无法改名为 " + copy);
    }
    return copy;
}

// The copies a killed program left half-made beside the file (a new file
// being made, a backup before an upgrade), named with its process id: gone
// at the next start, when that process no longer runs.
void RemoveDeadLeftovers(const std::string& path)
{
    namespace fs = std::filesystem;
    std::error_code ec;
    fs::path file = fs::absolute(path, ec);
    if (ec)
        return;
    const std::string name = file.filename().string();
    // The process id a leftover's name ends with (NAME.javagen-PID.tmp,
    // NAME.bak-N.tmp-PID), or 0.
    auto ownerOf = [&name](const std::string& entry) -> long {
        std::string digits;
        const std::string rest = entry.substr(name.size());
        if (rest.rfind(".javagen-", 0) == 0 && rest.size() > 13 && rest.compare(rest.size() - 4, 4, ".tmp") == 0)
            digits = rest.substr(9, rest.size() - 13);
        else if (rest.rfind(".bak-", 0) == 0 && rest.rfind(".tmp-") != std::string::npos)
            digits = rest.substr(rest.rfind(".tmp-") + 5);
        bool number = !digits.empty() && digits.size() < 10 && std::all_of(digits.begin(), digits.end(), [](char c) {
            return std::isdigit(static_cast<unsigned char>(c));
        });
        return number ? std::stol(digits) : 0;
    };
    for (fs::directory_iterator it(file.parent_path(), ec), end; !ec && it != end; it.increment(ec)) {
        const std::string entry = it->path().filename().string();
        if (entry.rfind(name, 0) != 0 || it->symlink_status(ec).type() != fs::file_type::regular)
            continue;
        long pid = ownerOf(entry);
        if (pid > 0 && kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH)
            fs::remove(it->path(), ec);
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

TSqliteHandle OpenModelDatabase(const std::string& path, std::string* upgraded)
{
    std::string fault = DatabasePathFault(path);
    if (!fault.empty())
        throw TDbError(fault);
    CheckRegularFile(path);
    RemoveDeadLeftovers(path);
    if (!FileExists(path))
        CreateModelDatabase(path);
    CheckFileKind(path);
    // Every use of the connection holds TDbHelper's lock, so SQLite's own
    // per-call mutex would only add cost.
    sqlite3* opened = nullptr;
    int rc = sqlite3_open_v2(SqliteName(path).c_str(), &opened, SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    TSqliteHandle handle(opened);
    if (rc != SQLITE_OK)
        throw TDbError("无法打开数据库文件 " + path + "：" +
                (handle ? std::string(sqlite3_errmsg(handle.get())) : std::string(sqlite3_errstr(rc))),
            rc);
    sqlite3* db = handle.get();
    {
        sqlite3_busy_timeout(db, 10000);
        Harden(db);
        CheckObjects(db, path);
        int version = UserVersion(db);
        if (version > CurrentSchemaVersion())
            throw TDbError("数据库文件 " + path + " 由更新版本的程序创建(结构版本 " + std::to_string(version) +
                "，本程序只支持到版本 " + std::to_string(CurrentSchemaVersion()) +
                ")，请使用更新的程序打开。文件未作任何修改。");
        CheckTables(db, path, version);
        std::string copy, lockNotice;
        if (version < CurrentSchemaVersion())
            copy = MigrateModelDatabase(db, path, SchemaMigrations(), &lockNotice);
        if (upgraded && !copy.empty())
            *upgraded = "模型数据库文件 " + path + " 已从结构版本 " + std::to_string(version) + " 升级到版本 " +
                std::to_string(CurrentSchemaVersion()) + "，升级前的文件保存为 " + copy +
                "。旧版本的程序打不开升级后的文件，需要时请用这个副本。" + lockNotice;
    }
    return handle;
}

std::string MigrateModelDatabase(
    sqlite3* db, const std::string& path, const std::vector<TMigration>& migrations, std::string* lockNotice)
{
    TMigrationLock lock(path);
    if (lockNotice)
        *lockNotice = lock.Notice();
    // Another program may have migrated the file since it was opened.
    int version = UserVersion(db);
    bool needed = false;
    for (const auto& migration : migrations)
        needed = needed || migration.version > version;
    if (!needed)
        return "";
    std::string copy = KeepCopy(db, path, version);
    TTransaction transaction(db);
    version = UserVersion(db);
    for (const auto& migration : migrations) {
        if (migration.version <= version)
            continue;
        for (const auto& sql : migration.statements) {
            TStatement statement(db, sql);
            while (statement.Step()) { }
        }
        TStatement pragma(db, "pragma user_version = " + std::to_string(migration.version));
        pragma.Step();
    }
    transaction.Commit();
    return copy;
}
