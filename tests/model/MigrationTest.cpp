// The model database's layout versions: files of today's layout open and
// keep their rows, newer files are refused untouched, migrations keep a copy
// and are all or nothing.
#include "TempModelTest.h"

#include "RawSqlite.h"
#include "model/store/DbError.h"
#include "model/store/DbHelper.h"
#include "model/store/Schema.h"
#include "model/store/SchemaLayout.h"

#include <sqlite3.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string ReadBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

// What a database holds: its version, its schema and every row, as text. A
// backup holds the same, though not the same bytes (SQLite's online backup
// writes its own header counters).
std::string Content(const fs::path& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return "(cannot open)";
    }
    std::string out;
    auto rows = [&](const std::string& sql) {
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(db, sql.c_str(), -1, &statement, nullptr);
        while (statement && sqlite3_step(statement) == SQLITE_ROW) {
            for (int i = 0; i < sqlite3_column_count(statement); ++i) {
                const unsigned char* text = sqlite3_column_text(statement, i);
                out += text ? reinterpret_cast<const char*>(text) : "NULL";
                out += '|';
            }
            out += '\n';
        }
        sqlite3_finalize(statement);
    };
    rows("pragma user_version");
    rows("select type, name, sql from sqlite_master order by name");
    for (const char* table : { "t_project", "t_class", "t_member" })
        rows(std::string("select * from ") + table);
    sqlite3_close(db);
    return out;
}

// The three tables exactly as the first program made them (version 0),
// with one project, class and member.
void MakeVersionZeroFile(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db); // creates the file
    sqlite3_close(db);
    SqlExecute(path,
        "create table t_project(projectId integer primary key autoincrement, projectName text not null default '');"
        "create table t_class(classId integer primary key autoincrement, projectId integer not null default 0,"
        " className text not null default '', friendName text not null default '');"
        "create table t_member(memberId integer primary key autoincrement, projectId integer not null default 0,"
        " classId integer not null default 0, memberName text not null default '', memberType text not null default '',"
        " memberLength integer not null default 0, memberIsPri integer not null default 0,"
        " memberComment text not null default '', memberIsMust integer not null default 0,"
        " memberIsInteger integer not null default 0, memberIsFloat integer not null default 0,"
        " queryFlag integer not null default 0, memberIsDisplay integer not null default 0,"
        " memberQueryDisplay integer not null default 1);"
        "insert into t_project(projectName) values ('旧工程');"
        "insert into t_class(projectId,className,friendName) values (1,'Book','图书');"
        "insert into t_member(projectId,classId,memberName,memberType,memberIsPri,memberIsDisplay)"
        " values (1,1,'isbn','字符串',1,1);");
}

std::string OpenFailure()
{
    try {
        TDbHelper().GetConnection();
    } catch (const TDbError& e) {
        return e.what();
    }
    return "";
}

sqlite3* OpenRaw(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    return db;
}

} // namespace

using MigrationTest = TempModelTest;

TEST_F(MigrationTest, FileOfTheFirstLayoutOpensWithItsRows)
{
    MakeVersionZeroFile(dbPath_);
    std::string original = ReadBytes(dbPath_);
    std::string originalContent = Content(dbPath_);
    EXPECT_EQ(TDbHelper().QueryText("select memberName from t_member where classId=1"), "isbn");
    TDbHelper::CloseSharedConnection();
    EXPECT_EQ(SqlNumber(dbPath_, "pragma user_version"), CurrentSchemaVersion());
    if (CurrentSchemaVersion() == 0)
        EXPECT_EQ(ReadBytes(dbPath_), original) << "a file of the current layout was changed by opening it";
    else
        EXPECT_EQ(Content(dbPath_ + ".bak-0"), originalContent) << "no copy of the file as it was";
    // The user is told once, with the copy's name.
    std::string notice = TDbHelper::TakeUpgradeNotice();
    EXPECT_EQ(notice.empty(), CurrentSchemaVersion() == 0);
    EXPECT_EQ(notice.find(dbPath_ + ".bak-0") == std::string::npos, CurrentSchemaVersion() == 0) << notice;
    EXPECT_EQ(TDbHelper::TakeUpgradeNotice(), "");
}

TEST_F(MigrationTest, NewerFileIsRefusedAndLeftAlone)
{
    MakeVersionZeroFile(dbPath_);
    SqlExecute(dbPath_, "pragma user_version = " + std::to_string(CurrentSchemaVersion() + 1));
    std::string original = ReadBytes(dbPath_);
    std::string originalContent = Content(dbPath_);
    EXPECT_EQ(OpenFailure(),
        "数据库文件 " + dbPath_ + " 由更新版本的程序创建(结构版本 " + std::to_string(CurrentSchemaVersion() + 1) +
            "，本程序只支持到版本 " + std::to_string(CurrentSchemaVersion()) +
            ")，请使用更新的程序打开。文件未作任何修改。");
    EXPECT_EQ(ReadBytes(dbPath_), original);
    EXPECT_FALSE(fs::exists(dbPath_ + ".bak-" + std::to_string(CurrentSchemaVersion() + 1)));
}

TEST_F(MigrationTest, MigrationsKeepACopyAndRunAsOneTransaction)
{
    MakeVersionZeroFile(dbPath_);
    std::string original = ReadBytes(dbPath_);
    std::string originalContent = Content(dbPath_);
    const std::vector<TMigration> good = {
        { 1, { "alter table t_member add column extra text not null default ''" } },
        { 2, { "create table t_more(x integer)" } },
    };
    sqlite3* db = OpenRaw(dbPath_);
    MigrateModelDatabase(db, dbPath_, good);
    sqlite3_close(db);
    EXPECT_EQ(SqlNumber(dbPath_, "pragma user_version"), 2);
    EXPECT_EQ(SqlRows(dbPath_, "select memberName, extra from t_member"), "isbn|\n");
    EXPECT_EQ(Content(dbPath_ + ".bak-0"), originalContent);

    // A second migration of the same file keeps the first copy and makes another.
    std::string second = Content(dbPath_);
    db = OpenRaw(dbPath_);
    MigrateModelDatabase(db, dbPath_, { { 3, { "create table t_third(x integer)" } } });
    sqlite3_close(db);
    EXPECT_EQ(Content(dbPath_ + ".bak-2"), second);
    EXPECT_EQ(Content(dbPath_ + ".bak-0"), originalContent);
}

// A migration that fails half-way (here a statement the engine refuses;
// equally a crash or a kill, which the journal rolls back) leaves the file
// as it was, still a usable model database.
TEST_F(MigrationTest, FailedMigrationLeavesTheOldFileUsable)
{
    MakeVersionZeroFile(dbPath_);
    const std::vector<TMigration> broken = {
        { 1, { "alter table t_member add column extra text not null default ''" } },
        { 2, { "alter table t_nowhere add column x integer" } },
    };
    sqlite3* db = OpenRaw(dbPath_);
    EXPECT_THROW(MigrateModelDatabase(db, dbPath_, broken), TDbError);
    sqlite3_close(db);
    EXPECT_EQ(SqlNumber(dbPath_, "pragma user_version"), 0);
    EXPECT_EQ(SqlNumber(dbPath_, "select count(*) from pragma_table_info('t_member') where name='extra'"), 0);
    EXPECT_EQ(TDbHelper().QueryText("select projectName from t_project"), "旧工程");
}

// The half-made copies of a killed program (an upgrade's backup, a new
// file) go at the next start; those of a program that still runs stay.
TEST_F(MigrationTest, LeftoversOfAKilledProgramGoAtTheNextStart)
{
    MakeVersionZeroFile(dbPath_);
    const std::string dead = "4194999"; // above any pid_max: no such process
    const std::string alive = std::to_string(getpid());
    struct TCase {
        std::string suffix;
        bool remains;
    } cases[] = {
        { ".bak-3.tmp-" + dead, false }, { ".javagen-" + dead + ".tmp", false }, { ".bak-3.tmp-" + alive, true },
        { ".bak-3", true }, // a finished backup is the user's
        { ".notes.tmp-" + dead, true }, // not a name of ours
    };
    for (const auto& c : cases)
        std::ofstream(dbPath_ + c.suffix) << std::string(1024, 'x');
    EXPECT_EQ(TDbHelper().QueryText("select projectName from t_project"), "旧工程");
    for (const auto& c : cases)
        EXPECT_EQ(std::filesystem::exists(dbPath_ + c.suffix), c.remains) << c.suffix;
}
