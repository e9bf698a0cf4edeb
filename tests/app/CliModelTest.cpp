#include "RunCommand.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

class CliModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string pattern = (std::filesystem::temp_directory_path() / "javagen-cli-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }

    // Runs javagen-cli in the temporary directory (default database there).
    TCommandResult Cli(const std::vector<std::string>& args) { return RunCommand(JAVAGEN_CLI, args, dir_.string()); }

    std::filesystem::path dir_;
};

} // namespace

TEST_F(CliModelTest, BuildsAModelAndListsIt)
{
    EXPECT_EQ(Cli({ "project", "add", "图书馆" }).status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "projects.mdb"));
    EXPECT_EQ(Cli({ "class", "add", "图书馆", "BookType", "图书类型" }).status, 0);
    EXPECT_EQ(Cli({ "class", "add", "图书馆", "Book", "图书" }).status, 0);
    EXPECT_EQ(Cli({ "member", "add", "图书馆", "Book", "isbn", "string", "--length", "13", "--primary", "--comment",
                      "书号 'O''Neil'" })
                  .status,
        0);
    EXPECT_EQ(Cli({ "member", "add", "图书馆", "Book", "bookType", "BookType", "--required", "--query" }).status, 0);
    EXPECT_EQ(
        Cli({ "member", "add", "图书馆", "Book", "price", "浮点型", "--required", "--no-query-display" }).status, 0);

    auto classes = Cli({ "class", "list", "图书馆" });
    EXPECT_EQ(classes.status, 0);
    EXPECT_EQ(classes.out, "1\tBookType\t图书类型\n2\tBook\t图书\n");
    auto members = Cli({ "member", "list", "图书馆", "Book" });
    EXPECT_EQ(members.out,
        "1\tisbn\t字符串\t13\t1\t0\t0\t0\t1\t书号 'O''Neil'\n"
        "2\tbookType\tBookType\t0\t0\t1\t1\t0\t1\t\n"
        "3\tprice\t浮点型\t0\t0\t1\t0\t0\t0\t\n");

    // update keeps what is not given
    EXPECT_EQ(Cli({ "member", "update", "图书馆", "Book", "price", "--display", "--comment", "价格" }).status, 0);
    EXPECT_EQ(Cli({ "member", "list", "图书馆", "Book" }).out.substr(members.out.rfind("3\t")),
        "3\tprice\t浮点型\t0\t0\t1\t0\t1\t0\t价格\n");

    // renaming a class follows its references
    EXPECT_EQ(Cli({ "class", "update", "图书馆", "BookType", "Category", "分类" }).status, 0);
    EXPECT_NE(Cli({ "member", "list", "图书馆", "Book" }).out.find("bookType\tCategory"), std::string::npos);

    EXPECT_EQ(Cli({ "member", "delete", "图书馆", "Book", "price" }).status, 0);
    EXPECT_EQ(Cli({ "class", "delete", "图书馆", "Category" }).status, 0);
    EXPECT_EQ(Cli({ "project", "rename", "图书馆", "Library" }).status, 0);
    EXPECT_EQ(Cli({ "project", "list" }).out, "1\tLibrary\n");
    EXPECT_EQ(Cli({ "project", "delete", "Library" }).status, 0);
    EXPECT_EQ(Cli({ "project", "list" }).out, "");
}

TEST_F(CliModelTest, RefusalsPrintTheRuleAndWriteNothing)
{
    ASSERT_EQ(Cli({ "project", "add", "p" }).status, 0);
    auto dup = Cli({ "project", "add", "p" });
    EXPECT_EQ(dup.status, 1);
    EXPECT_EQ(dup.err, "该工程名称已经存在!\n");
    ASSERT_EQ(Cli({ "class", "add", "p", "Book", "图书" }).status, 0);
    auto lower = Cli({ "class", "add", "p", "book", "图书" });
    EXPECT_EQ(lower.status, 1);
    EXPECT_EQ(lower.err, "类名首个字母必须大写\n");
    auto must = Cli({ "member", "add", "p", "Book", "pages", "int" });
    EXPECT_EQ(must.status, 1);
    EXPECT_EQ(must.err, "除了字符串类型外其他类型必须勾选是否必填标志!\n");
    auto length = Cli({ "member", "add", "p", "Book", "title", "string", "--length", "zwanzig" });
    EXPECT_EQ(length.status, 1);
    EXPECT_EQ(length.err, "字符串类型的长度必须是 1 到 65535 之间的整数!\n");
    EXPECT_EQ(Cli({ "member", "list", "p", "Book" }).out, "");

    auto missing = Cli({ "class", "list", "nope" });
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "找不到工程: nope\n");
}

TEST_F(CliModelTest, UsageAndDatabaseErrorsHaveTheirOwnStatus)
{
    EXPECT_EQ(Cli({}).status, 2);
    EXPECT_EQ(Cli({ "project" }).status, 2);
    EXPECT_EQ(Cli({ "project", "add" }).status, 2);
    EXPECT_EQ(Cli({ "member", "add", "p", "C", "n", "string", "--bogus" }).status, 2);
    EXPECT_EQ(Cli({ "member", "update", "p", "C", "n", "--query", "--no-query" }).status, 2);
    auto help = Cli({ "--help" });
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("用法: javagen-cli [选项] 命令"), std::string::npos);

    std::ofstream(dir_ / "broken.mdb") << "not a database at all, sorry";
    auto broken = Cli({ "--db", "broken.mdb", "project", "list" });
    EXPECT_EQ(broken.status, 3);
    EXPECT_NE(broken.err.find("broken.mdb"), std::string::npos);

    EXPECT_EQ(Cli({ "--db", "other.mdb", "project", "add", "x" }).status, 0);
    EXPECT_TRUE(std::filesystem::exists(dir_ / "other.mdb"));
    EXPECT_FALSE(std::filesystem::exists(dir_ / "projects.mdb"));
}

TEST_F(CliModelTest, GenerateRefusesAFaultyModelAndWritesNothing)
{
    ASSERT_EQ(Cli({ "project", "add", "p" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "Book", "图书" }).status, 0);
    ASSERT_EQ(Cli({ "member", "add", "p", "Book", "title", "string", "--display" }).status, 0);
    auto noKey = Cli({ "generate", "p", "--root", "out" });
    EXPECT_EQ(noKey.status, 1);
    EXPECT_EQ(noKey.out, "");
    EXPECT_EQ(noKey.err, "Book表主键设置错误，每个类只能设置一个主键!\n");
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out"));

    auto badPackage = Cli({ "generate", "p", "--package", "org..x" });
    EXPECT_EQ(badPackage.status, 1);
    EXPECT_NE(badPackage.err.find("包名"), std::string::npos);
    EXPECT_EQ(Cli({ "generate", "nope" }).status, 1);

    ASSERT_EQ(Cli({ "member", "add", "p", "Book", "isbn", "string", "--primary" }).status, 0);
    std::ofstream(dir_ / "out") << "a file where the output directory belongs";
    auto failed = Cli({ "generate", "p", "--root", "out", "--templates", JAVAGEN_TEMPLATES });
    EXPECT_EQ(failed.status, 3);
    EXPECT_EQ(failed.err.rfind("代码生成失败", 0), 0u) << failed.err;
}

// A database path that is a named pipe, a directory or a device is refused
// before it is opened (opening a pipe would block).
TEST_F(CliModelTest, DatabaseThatIsNoRegularFileIsRefusedUnopened)
{
    ASSERT_EQ(mkfifo((dir_ / "pipe.mdb").c_str(), 0600), 0);
    std::filesystem::create_directory(dir_ / "folder.mdb");
    for (const std::string& db :
        { (dir_ / "pipe.mdb").string(), (dir_ / "folder.mdb").string(), std::string("/dev/null") }) {
        auto result = Cli({ "--db", db, "project", "list" });
        EXPECT_EQ(result.status, 3) << db;
        EXPECT_NE(result.err.find(db), std::string::npos) << result.err;
    }
}
