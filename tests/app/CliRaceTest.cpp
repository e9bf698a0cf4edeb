// Two javagen-cli processes changing one database at the same moment: each
// name is stored once, no confirmed change is lost, and no row is left
// without its class or project.
#include "RawSqlite.h"
#include "RunCommand.h"
#include "TempModelTest.h"

#include <set>

namespace {

using Args = std::vector<std::string>;

class CliRaceTest : public TempModelTest {
protected:
    TProcessResult Cli(const Args& args) { return RunCommand(JAVAGEN_CLI, args, dir_.string()); }
    std::pair<TProcessResult, TProcessResult> Together(const Args& first, const Args& second)
    {
        return RunTogether(JAVAGEN_CLI, first, second, dir_.string());
    }
    long long Count(const std::string& sql) { return SqlNumber(dbPath_, sql); }

    // Rows that lost their class or project, or share a name in one scope.
    void ExpectNoOrphansNorDuplicates()
    {
        EXPECT_EQ(Count("select count(*) from t_member m where not exists "
                        "(select 1 from t_class c where c.classId=m.classId and c.projectId=m.projectId)"),
            0);
        EXPECT_EQ(Count("select count(*) from t_class c where not exists "
                        "(select 1 from t_project p where p.projectId=c.projectId)"),
            0);
        EXPECT_EQ(Count("select count(*) from (select 1 from t_project group by projectName having count(*)>1)"), 0);
        EXPECT_EQ(
            Count("select count(*) from (select 1 from t_class group by projectId,className having count(*)>1)"), 0);
        EXPECT_EQ(
            Count("select count(*) from (select 1 from t_member group by classId,memberName having count(*)>1)"), 0);
    }
};

// Done, refused with one of the messages another process's change can
// cause, or told the database is busy.
::testing::AssertionResult Ordinary(const TProcessResult& result, const std::set<std::string>& refusals)
{
    if (result.status == 0 || (result.status == 1 && refusals.count(result.err)) ||
        (result.status == 3 && result.err.rfind("数据库正忙", 0) == 0))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "status " << result.status << ", out [" << result.out << "], err ["
                                         << result.err << "]";
}

} // namespace

// Both programs find the database missing; one makes it, both use it.
TEST_F(CliRaceTest, MissingDatabaseIsMadeOnceForTwo)
{
    for (int round = 0; round < 15; ++round) {
        std::string db = "round" + std::to_string(round) + ".mdb";
        auto [first, second] = Together({ "--db", db, "project", "add", "A" }, { "--db", db, "project", "add", "B" });
        EXPECT_EQ(first.status, 0) << first.err;
        EXPECT_EQ(second.status, 0) << second.err;
        EXPECT_EQ(SqlRows((dir_ / db).string(), "select projectName from t_project order by projectName"), "A\nB\n")
            << db;
    }
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir_), std::filesystem::directory_iterator()), 15)
        << "nothing but the databases is left";
}

TEST_F(CliRaceTest, SameAddsStoreEachNameOnce)
{
    ASSERT_EQ(Cli({ "project", "list" }).status, 0);
    int done[3] = {};
    const int rounds = 40;
    for (int round = 0; round < rounds; ++round) {
        std::string project = "R" + std::to_string(round);
        const Args adds[3] = { { "project", "add", project }, { "class", "add", project, "Book", "图书" },
            { "member", "add", project, "Book", "title", "string", "--display" } };
        const std::set<std::string> refusals[3] = { { "该工程名称已经存在!\n" }, { "该类名称已经存在!\n" },
            { "该成员名称已经存在!\n" } };
        for (int kind = 0; kind < 3; ++kind) {
            auto [first, second] = Together(adds[kind], adds[kind]);
            EXPECT_TRUE(Ordinary(first, refusals[kind])) << project;
            EXPECT_TRUE(Ordinary(second, refusals[kind])) << project;
            int successes = (first.status == 0 ? 1 : 0) + (second.status == 0 ? 1 : 0);
            EXPECT_EQ(successes, 1) << project << " kind " << kind;
            done[kind] += successes;
        }
    }
    EXPECT_EQ(Count("select count(*) from t_project"), done[0]);
    EXPECT_EQ(Count("select count(*) from t_class"), done[1]);
    EXPECT_EQ(Count("select count(*) from t_member"), done[2]);
    EXPECT_EQ(done[2], rounds);
    ExpectNoOrphansNorDuplicates();
}

// Members added while their class is renamed or deleted, classes added while
// their project is deleted.
TEST_F(CliRaceTest, AddsRacingRenamesAndDeletesLeaveNoOrphans)
{
    ASSERT_EQ(Cli({ "project", "add", "X" }).status, 0);
    for (int round = 0; round < 15; ++round) {
        std::string n = std::to_string(round);
        ASSERT_EQ(Cli({ "class", "add", "X", "K" + n, "类" }).status, 0);
        long long classId = Count("select classId from t_class where className='K" + n + "'");

        auto [renamed, added] = Together(
            { "class", "update", "X", "K" + n, "L" + n, "类" }, { "member", "add", "X", "K" + n, "a" + n, "string" });
        EXPECT_EQ(renamed.status, 0) << renamed.err;
        EXPECT_TRUE(Ordinary(added, { "找不到类: K" + n + "\n" }));
        EXPECT_EQ(
            Count("select count(*) from t_member where memberName='a" + n + "' and classId=" + std::to_string(classId)),
            added.status == 0 ? 1 : 0)
            << "round " << n;

        auto [deleted, late] =
            Together({ "class", "delete", "X", "L" + n }, { "member", "add", "X", "L" + n, "b" + n, "string" });
        EXPECT_EQ(deleted.status, 0) << deleted.err;
        EXPECT_TRUE(Ordinary(late, { "找不到类: L" + n + "\n", "该类已不存在，请重新选择!\n" }));
        EXPECT_EQ(Count("select count(*) from t_member where classId=" + std::to_string(classId)), 0) << "round " << n;
    }
    for (int round = 0; round < 10; ++round) {
        std::string project = "Y" + std::to_string(round);
        ASSERT_EQ(Cli({ "project", "add", project }).status, 0);
        auto [deleted, added] = Together({ "project", "delete", project }, { "class", "add", project, "Book", "图书" });
        EXPECT_EQ(deleted.status, 0) << deleted.err;
        EXPECT_TRUE(Ordinary(added, { "找不到工程: " + project + "\n", "该工程已不存在，请重新选择!\n" }));
    }
    ExpectNoOrphansNorDuplicates();
    EXPECT_EQ(Count("select count(*) from t_class"), 0);
    EXPECT_EQ(Count("select count(*) from t_member"), 0);
}
