#include "TempModelTest.h"

#include "model/store/DbError.h"
#include "model/store/DbHelper.h"
#include "model/store/ProjectDAO.h"

#include <sqlite3.h>

#include <atomic>
#include <chrono>
#include <fstream>
#include <iterator>
#include <sstream>
#include <thread>

namespace {

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return { std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>() };
}

void WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
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

} // namespace

using DbHelperTest = TempModelTest;

TEST_F(DbHelperTest, MissingDatabaseIsCreatedWithTablesAndIndexes)
{
    TDbHelper db;
    EXPECT_EQ(db.QueryInteger("select count(*) from t_project"), 0);
    EXPECT_EQ(db.QueryInteger("select count(*) from t_class"), 0);
    EXPECT_EQ(db.QueryInteger("select count(*) from t_member"), 0);
    EXPECT_EQ(db.QueryInteger("select count(*) from sqlite_master where type='index' and tbl_name='t_class' "
                              "and sql like '%projectId%'"),
        1);
    EXPECT_EQ(db.QueryInteger("select count(*) from sqlite_master where type='index' and tbl_name='t_member' "
                              "and sql like '%classId%'"),
        1);
}

TEST_F(DbHelperTest, LookupsThatFindNothing)
{
    TDbHelper db;
    EXPECT_EQ(db.QueryInteger("select count(*) from t_class where classId=?", { 42 }), 0);
    EXPECT_EQ(db.QueryInteger("select classId from t_class where classId=?", { 42 }), -1);
    EXPECT_EQ(db.QueryText("select className from t_class where classId=?", { 42 }), "");
    auto rows = db.OpenQuery("select * from t_member");
    EXPECT_TRUE(rows->Eof());
    EXPECT_EQ(rows->RecordCount(), 0);
}

TEST_F(DbHelperTest, QueryIntegerTakesFirstRowOfSeveral)
{
    TDbHelper db;
    for (const char* name : { "A", "B", "C" })
        db.ExecuteSql("insert into t_class(projectId,className,friendName) values (7,?, '')", { name });
    EXPECT_EQ(db.QueryInteger("select classId from t_class where projectId=7 order by classId"), 1);
    EXPECT_EQ(db.QueryText("select className from t_class where projectId=7 order by classId"), "A");
}

TEST_F(DbHelperTest, ResultSetWalksAndRewinds)
{
    TDbHelper db;
    db.ExecuteSql("insert into t_project(projectName) values ('p1')");
    db.ExecuteSql("insert into t_project(projectName) values ('p2')");
    auto rows = db.OpenQuery("select projectId,projectName from t_project order by projectId");
    EXPECT_EQ(rows->RecordCount(), 2);
    EXPECT_EQ(rows->AsText("projectName"), "p1");
    EXPECT_EQ(rows->AsInteger("projectId"), 1);
    rows->Next();
    EXPECT_EQ(rows->AsText("projectName"), "p2");
    rows->Next();
    EXPECT_TRUE(rows->Eof());
    EXPECT_THROW(rows->AsText("projectName"), TDbError);
    rows->First();
    EXPECT_EQ(rows->AsText("projectName"), "p1");
    EXPECT_THROW(rows->AsText("noSuchColumn"), TDbError);
    EXPECT_THROW(rows->AsInteger("projectName"), TDbError);
}

TEST_F(DbHelperTest, NullIsAnErrorWhenRead)
{
    TDbHelper db;
    auto rows = db.OpenQuery("select null as x");
    EXPECT_THROW(rows->AsText("x"), TDbError);
}

TEST_F(DbHelperTest, FailedBatchRollsBackAndReports)
{
    TDbHelper db;
    EXPECT_THROW(db.ExecuteBatch({ { "insert into t_project(projectName) values ('kept?')", {} },
                     { "insert into no_such_table values (1)", {} } }),
        TDbError);
    EXPECT_EQ(db.QueryInteger("select count(*) from t_project"), 0);
    db.ExecuteBatch({});
    db.ExecuteSql("insert into t_project(projectName) values ('after')");
    EXPECT_EQ(db.QueryInteger("select count(*) from t_project"), 1);
}

TEST_F(DbHelperTest, FailedStatementReportsEngineMessage)
{
    TDbHelper db;
    try {
        db.ExecuteSql("select * from nowhere");
        FAIL() << "no error";
    } catch (const TDbError& e) {
        EXPECT_NE(std::string(e.what()).find("nowhere"), std::string::npos) << e.what();
    }
}

TEST_F(DbHelperTest, TextsAreBoundNotSpliced)
{
    TDbHelper db;
    const std::string tricky = "O'Neil \"引号\"; drop table t_project; -- 注释";
    db.ExecuteSql("insert into t_project(projectName) values (?)", { tricky });
    db.ExecuteSql("insert into t_project(projectName) values (?)", { std::string() });
    EXPECT_EQ(db.QueryText("select projectName from t_project where projectId=1"), tricky);
    EXPECT_EQ(db.QueryText("select projectName from t_project where projectId=2"), "");
    EXPECT_EQ(db.QueryInteger("select count(*) from t_project where projectName=?", { tricky }), 1);
}

TEST_F(DbHelperTest, NotAnSqliteFileIsRefusedAndLeftAlone)
{
    const std::string text = "this is a plain text file, not a database\n";
    WriteBytes(dbPath_, text);
    std::string message = OpenFailure();
    EXPECT_NE(message.find(dbPath_), std::string::npos) << message;
    EXPECT_NE(message.find("不是 SQLite 3 数据库"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(dbPath_), text);
}

TEST_F(DbHelperTest, AccessFileIsNamedAsUnsupported)
{
    std::string jet("\x00\x01\x00\x00Standard Jet DB\x00", 20);
    jet += std::string(2028, '\x55');
    WriteBytes(dbPath_, jet);
    std::string message = OpenFailure();
    EXPECT_NE(message.find("Access"), std::string::npos) << message;
    EXPECT_NE(message.find("不支持"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(dbPath_), jet);
}

TEST_F(DbHelperTest, MissingTableOrColumnIsRefusedAndLeftAlone)
{
    {
        TDbHelper db;
        db.ExecuteSql("drop table t_member");
        db.ExecuteSql("create table t_member(memberId integer primary key, classId integer)");
        TDbHelper::CloseSharedConnection();
    }
    std::string before = ReadBytes(dbPath_);
    std::string message = OpenFailure();
    EXPECT_NE(message.find("t_member"), std::string::npos) << message;
    EXPECT_NE(message.find("缺少列"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(dbPath_), before);

    WriteBytes(dbPath_, "");
    message = OpenFailure();
    EXPECT_NE(message.find("缺少表 t_project"), std::string::npos) << message;
    EXPECT_EQ(ReadBytes(dbPath_), "");
}

TEST_F(DbHelperTest, FailedOpenIsRetriedByTheNextOperation)
{
    WriteBytes(dbPath_, "garbage garbage garbage garbage");
    EXPECT_FALSE(OpenFailure().empty());
    std::filesystem::remove(dbPath_);
    EXPECT_EQ(TDbHelper().QueryInteger("select count(*) from t_project"), 0);
}

TEST_F(DbHelperTest, ResultSetStaysReadableWhileAnotherThreadWrites)
{
    TDbHelper db;
    for (int i = 0; i < 50; ++i)
        db.ExecuteSql("insert into t_project(projectName) values (?)", { "p" + std::to_string(i) });
    auto rows = db.OpenQuery("select projectId,projectName from t_project order by projectId");
    std::atomic<bool> failed { false };
    std::thread writer([&] {
        try {
            TDbHelper other;
            for (int i = 0; i < 200; ++i)
                other.ExecuteSql("insert into t_project(projectName) values (?)", { "w" + std::to_string(i) });
            other.ExecuteSql("delete from t_project where projectName like 'p%'");
        } catch (...) {
            failed = true;
        }
    });
    int seen = 0;
    for (; !rows->Eof(); rows->Next()) {
        EXPECT_EQ(rows->AsText("projectName"), "p" + std::to_string(seen));
        ++seen;
        TDbHelper().QueryInteger("select count(*) from t_project");
    }
    writer.join();
    EXPECT_FALSE(failed);
    EXPECT_EQ(seen, 50);
    EXPECT_EQ(db.QueryInteger("select count(*) from t_project"), 200);
}

TEST_F(DbHelperTest, SecondProgramWaitsForALockInsteadOfFailing)
{
    TDbHelper().QueryInteger("select count(*) from t_project");
    sqlite3* other = nullptr;
    ASSERT_EQ(sqlite3_open(dbPath_.c_str(), &other), SQLITE_OK);
    ASSERT_EQ(sqlite3_exec(other, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
    std::thread release([other] {
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        sqlite3_exec(other, "commit", nullptr, nullptr, nullptr);
    });
    EXPECT_NO_THROW(TProjectDAO().AddProject("waited"));
    release.join();
    sqlite3_close(other);
    EXPECT_EQ(TProjectDAO().CountProjectsByName("waited"), 1);
}
