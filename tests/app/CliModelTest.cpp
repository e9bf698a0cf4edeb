#include "RawSqlite.h"
#include "RunCommand.h"
#include "TempModelTest.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sys/stat.h>

namespace {

// javagen-cli in a temporary directory; its default database projects.mdb
// is there. The test reads the database only when no program runs.
class CliModelTest : public TempModelTest {
protected:
    TProcessResult Cli(const std::vector<std::string>& args) { return RunCommand(JAVAGEN_CLI, args, dir_.string()); }

    // The names in the temporary directory, sorted.
    std::vector<std::string> Entries() const
    {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(dir_))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
};

using Names = std::vector<std::string>;

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
    // A TAB or a backslash in a text keeps the line's ten fields.
    EXPECT_EQ(Cli({ "member", "update", "图书馆", "Book", "price", "--comment", "单价\t(元)\\含税" }).status, 0);
    EXPECT_EQ(Cli({ "member", "list", "图书馆", "Book" }).out.substr(members.out.rfind("3\t")),
        "3\tprice\t浮点型\t0\t0\t1\t0\t1\t0\t单价\\t(元)\\\\含税\n");
    EXPECT_EQ(Cli({ "member", "update", "图书馆", "Book", "price", "--comment", "价格" }).status, 0);

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
    auto unknown = Cli({ "project", "frob" });
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.err, "未知命令: frob。 运行 javagen-cli --help 查看用法。\n");
    auto noTables = Cli({ "import-db", "--host", "h", "--user", "u", "--database", "d", "--tables", ",", "P" });
    EXPECT_EQ(noTables.status, 2);
    EXPECT_EQ(noTables.err, "--tables 没有给出表名。 运行 javagen-cli --help 查看用法。\n");
    // A port the client library would wrap or take as its default.
    for (const char* port : { "102557", "0", "-1", "65536", "80x" }) {
        auto wrong = Cli({ "import-db", "--host", "h", "--port", port, "--user", "u", "--database", "d", "P" });
        EXPECT_EQ(wrong.status, 2) << port;
        EXPECT_EQ(wrong.err,
            std::string("--port 必须是 1 到 65535 之间的整数: ") + port + " 运行 javagen-cli --help 查看用法。\n");
    }
    // Empty connection fields are refused before any connection is tried.
    for (std::string field : { "--host", "--user", "--database" }) {
        std::vector<std::string> args = { "import-db", "--host", "h", "--user", "u", "--database", "d", "P" };
        *(std::find(args.begin(), args.end(), field) + 1) = "";
        auto empty = Cli(args);
        EXPECT_EQ(empty.status, 2) << field;
        EXPECT_EQ(empty.err, field + " 不能为空。 运行 javagen-cli --help 查看用法。\n") << field;
    }
    // An empty --name is a name the rules refuse, not no name.
    ASSERT_EQ(Cli({ "--db", "names.mdb", "project", "add", "源" }).status, 0);
    ASSERT_EQ(Cli({ "--db", "names.mdb", "export", "源", "m.json" }).status, 0);
    auto emptyName = Cli({ "--db", "names.mdb", "import", "--name", "", "m.json" });
    EXPECT_EQ(emptyName.status, 1);
    EXPECT_EQ(emptyName.err, "导入 m.json 失败：工程“”：工程名称不能为空!\n");
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

// Renaming a project takes its generated tree (and the bases a merge needs)
// along, so that the next merge finds the hand edits.
TEST_F(CliModelTest, RenamedProjectKeepsItsGeneratedTree)
{
    ASSERT_EQ(Cli({ "project", "add", "p" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "Book", "图书" }).status, 0);
    ASSERT_EQ(Cli({ "member", "add", "p", "Book", "isbn", "string", "--primary", "--display" }).status, 0);
    ASSERT_EQ(Cli({ "generate", "p", "--root", "out", "--templates", JAVAGEN_TEMPLATES }).status, 0);
    auto renamed = Cli({ "project", "rename", "p", "q", "--root", "out" });
    EXPECT_EQ(renamed.status, 0);
    EXPECT_NE(renamed.err.find("已改名为"), std::string::npos) << renamed.err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out/projects/p"));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out/projects/q/.javagen"));
    auto merge = Cli({ "generate", "q", "--root", "out", "--templates", JAVAGEN_TEMPLATES, "--merge", "--dry-run" });
    EXPECT_EQ(merge.out.find("new "), std::string::npos) << merge.out;
}

// Usage errors are said in Chinese, with a suggestion for a misspelt word;
// "help COMMAND" shows that command's help.
TEST_F(CliModelTest, UsageIsExplainedInChinese)
{
    ASSERT_EQ(Cli({ "project", "add", "p" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "Book", "图书" }).status, 0);
    struct TCase {
        std::vector<std::string> args;
        int status;
        std::string start; // of standard error, or of standard output for help
    };
    const TCase cases[] = {
        { { "member", "add", "p", "Book", "x", "string", "--lenght", "3" }, 2,
            "无法识别的参数: --lenght 3。 你是不是想用 --length? " },
        { { "genrate" }, 2, "未知命令: genrate。 你是不是想用 generate? " },
        { { "preview", "p", "Book", "--file", "java" }, 2,
            "取值 java 不在可选的 {mapping,domain,dao,action,pages,validation} 之中。" },
        { { "help", "generate" }, 0, "生成代码" },
        { { "--db", "projects.mdb", "help", "member", "add" }, 0, "添加成员" },
        { { "member", "add", "p", "Book", "y", "整形" }, 1, "成员类型“整形”不存在" },
        { { "--version" }, 0, "javagen-cli " },
        { { "preview", "p", "NoSuch" }, 1, "找不到类: NoSuch" },
        { { "project" }, 2, "缺少命令，可用的命令: add, rename, delete, database, settings, list。" },
        { { "--lenght", "5" }, 2, "无法识别的参数: --lenght 5。" },
        { { "--db", "a.mdb", "--db", "b.mdb", "project", "list" }, 2, "选项 --db 最多只能给出 1 次，却给出了 2 次。" },
    };
    for (const auto& c : cases) {
        auto run = Cli(c.args);
        EXPECT_EQ(run.status, c.status) << c.args[0];
        const std::string& text = c.status == 0 ? run.out : run.err;
        EXPECT_EQ(text.substr(0, c.start.size()), c.start) << c.args[0];
    }
}

// generate and preview use what the project stores (the window's settings):
// its package and whether the pages are made; options override them for one
// run and say so; a project without a stored package gets the default.
TEST_F(CliModelTest, RunsUseTheSettingsTheProjectStores)
{
    for (const char* project : { "edu", "other" }) {
        ASSERT_EQ(Cli({ "project", "add", project }).status, 0);
        ASSERT_EQ(Cli({ "class", "add", project, "Course", "课程" }).status, 0);
        ASSERT_EQ(Cli({ "member", "add", project, "Course", "courseId", "int", "--primary", "--required" }).status, 0);
        ASSERT_EQ(Cli({ "member", "add", project, "Course", "title", "string", "--display" }).status, 0);
    }
    ASSERT_EQ(Cli({ "project", "settings", "edu", "--package", "edu", "--webapp" }).status, 0);
    EXPECT_EQ(Cli({ "project", "settings", "edu" }).out, "package\tcom.edu\nwebapp\t1\ntarget\tlegacy\n");
    EXPECT_EQ(
        Cli({ "project", "settings", "other" }).out, "package\tcom.velmorantis\t(默认)\nwebapp\t0\ntarget\tlegacy\n");
    struct TCase {
        std::vector<std::string> args;
        std::string firstLine; // of standard output
        std::string note; // on standard error
    };
    const TCase cases[] = {
        { { "preview", "edu", "Course", "--file", "domain", "--templates", JAVAGEN_TEMPLATES },
            "package com.edu.domain;\r", "" },
        { { "preview", "other", "Course", "--file", "domain", "--templates", JAVAGEN_TEMPLATES },
            "package com.velmorantis.domain;\r", "" },
        { { "preview", "edu", "Course", "--file", "domain", "--package", "x", "--templates", JAVAGEN_TEMPLATES },
            "package com.x.domain;\r", "本次使用包名 com.x(工程 edu 保存的包名为 com.edu)\n" },
        { { "generate", "edu", "--root", "out", "--templates", JAVAGEN_TEMPLATES },
            "projects/edu/src/struts.xml生成完成!", "所有代码生成完毕!\n" },
        { { "generate", "edu", "--root", "out", "--templates", JAVAGEN_TEMPLATES, "--merge", "--dry-run",
              "--no-webapp" },
            "", "本次不生成网页(工程 edu 保存的设置为生成网页)\n" },
        { { "preview", "other", "Course", "--file", "domain", "--target", "current", "--templates", JAVAGEN_TEMPLATES },
            "package com.velmorantis.domain;\r",
            "本次生成 Struts 7 + Hibernate 7 (Jakarta EE 10) 的代码(工程 other 保存的目标框架为 Struts 2.3 + Hibernate "
            "3.6)\n" },
    };
    for (const auto& c : cases) {
        auto run = Cli(c.args);
        EXPECT_EQ(run.status, 0) << run.err;
        if (!c.firstLine.empty()) {
            EXPECT_EQ(run.out.substr(0, run.out.find('\n')), c.firstLine) << c.args[0];
        }
        EXPECT_EQ(run.err.substr(0, c.note.size()), c.note) << c.args[0];
    }
    // The target is stored, shown and used; a name that is none is refused.
    const std::string choices =
        "legacy(Struts 2.3 + Hibernate 3.6，默认)或 current(Struts 7 + Hibernate 7，Jakarta EE 10)!";
    auto newest = Cli({ "project", "settings", "other", "--target", "newest" });
    EXPECT_EQ(newest.status, 1);
    EXPECT_EQ(newest.err, "目标框架“newest”不存在：只能是 " + choices + "\n");
    // A name stored by a newer program is kept and refused by a run, not
    // taken for the default.
    SqlExecute(dbPath_, "update t_project set target='newest' where projectName='other'");
    EXPECT_EQ(
        Cli({ "project", "settings", "other" }).out, "package\tcom.velmorantis\t(默认)\nwebapp\t0\ntarget\tnewest\n");
    auto refused = Cli({ "generate", "other", "--root", "out", "--templates", JAVAGEN_TEMPLATES });
    EXPECT_EQ(refused.status, 1);
    EXPECT_NE(refused.err.find("目标框架“newest”不存在(可能由更新的程序设置)：只能是 " + choices), std::string::npos)
        << refused.err;
    EXPECT_FALSE(std::filesystem::exists(dir_ / "out/projects/other"));
    ASSERT_EQ(Cli({ "project", "settings", "other", "--target", "current" }).status, 0);
    EXPECT_EQ(
        Cli({ "project", "settings", "other" }).out, "package\tcom.velmorantis\t(默认)\nwebapp\t0\ntarget\tcurrent\n");
    // The database kind: listed when not the default, refused when unknown.
    auto oracle = Cli({ "project", "settings", "other", "--database", "oracle" });
    EXPECT_EQ(oracle.status, 1);
    EXPECT_EQ(oracle.err, "数据库类型“oracle”不存在：只能是 mysql(MariaDB/MySQL，默认) 或 postgresql(PostgreSQL)!\n");
    ASSERT_EQ(Cli({ "project", "settings", "other", "--database", "postgresql" }).status, 0);
    EXPECT_EQ(Cli({ "project", "settings", "other" }).out,
        "package\tcom.velmorantis\t(默认)\nwebapp\t0\ntarget\tcurrent\ndatabase\tpostgresql\n");
    ASSERT_EQ(Cli({ "project", "settings", "other", "--database", "mysql" }).status, 0);
    EXPECT_EQ(
        Cli({ "project", "settings", "other" }).out, "package\tcom.velmorantis\t(默认)\nwebapp\t0\ntarget\tcurrent\n");
    auto current = Cli({ "preview", "other", "Course", "--file", "domain", "--templates", JAVAGEN_TEMPLATES });
    EXPECT_NE(current.out.find("@Entity"), std::string::npos) << current.out;
    auto mapping = Cli({ "preview", "other", "Course", "--file", "mapping", "--templates", JAVAGEN_TEMPLATES });
    EXPECT_EQ(mapping.status, 1);
    EXPECT_NE(
        mapping.err.find("不生成“mapping”这种文件(映射写在领域类的注解中，请用 --file domain)!"), std::string::npos)
        << mapping.err;
    // The stored page setting was used: the pages exist, under the stored package.
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out/projects/edu/WebRoot/Course_add.jsp"));
    EXPECT_TRUE(std::filesystem::exists(dir_ / "out/projects/edu/src/com/edu/domain/Course.java"));
    // Without the pages for one run, the dry run plans them as obsolete: it says so first.
    auto dry = Cli({ "generate", "edu", "--root", "out", "--templates", JAVAGEN_TEMPLATES, "--merge", "--dry-run" });
    EXPECT_EQ(dry.out.find("obsolete"), std::string::npos) << dry.out;
}

// A database path that is a named pipe, a directory or a device is refused
// before it is opened (opening a pipe would block), naming what it is, and
// nothing is made beside it.
TEST_F(CliModelTest, DatabaseThatIsNoRegularFileIsRefusedUnopened)
{
    ASSERT_EQ(mkfifo((dir_ / "pipe.mdb").c_str(), 0600), 0);
    std::filesystem::create_directory(dir_ / "folder.mdb");
    const std::pair<std::string, std::string> cases[] = { { (dir_ / "pipe.mdb").string(), "是一个命名管道" },
        { (dir_ / "folder.mdb").string(), "是一个目录" }, { "/dev/null", "不是普通文件" } };
    for (const auto& [db, kind] : cases) {
        for (const auto& result :
            { Cli({ "--db", db, "project", "list" }), Cli({ "--db", db, "project", "add", "x" }) }) {
            EXPECT_EQ(result.status, 3) << db;
            EXPECT_NE(result.err.find(db), std::string::npos) << result.err;
            EXPECT_NE(result.err.find(kind), std::string::npos) << result.err;
        }
    }
    EXPECT_EQ(Entries(), (Names { "folder.mdb", "pipe.mdb" }));
    EXPECT_TRUE(std::filesystem::is_empty(dir_ / "folder.mdb"));
    EXPECT_TRUE(std::filesystem::is_fifo(dir_ / "pipe.mdb"));
}

// Names that would keep the model nowhere, or in a directory, are usage
// errors found before anything is opened or made.
TEST_F(CliModelTest, DatabaseNamesThatKeepNoModelAreUsageErrors)
{
    const std::pair<std::string, std::string> cases[] = { { "", "数据库文件名不能为空" },
        { ":memory:", "数据库文件名不能是 “:memory:”" }, { "sub/", "数据库文件名 sub/ 以 “/” 结尾" } };
    for (const auto& [db, problem] : cases) {
        for (const std::vector<std::string>& command :
            { std::vector<std::string> { "project", "add", "x" }, std::vector<std::string> { "project", "list" } }) {
            std::vector<std::string> args = { "--db", db };
            args.insert(args.end(), command.begin(), command.end());
            auto result = Cli(args);
            EXPECT_EQ(result.status, 2) << "[" << db << "]";
            EXPECT_EQ(result.out, "") << "[" << db << "]";
            EXPECT_EQ(result.err.rfind(problem, 0), 0u) << result.err;
        }
    }
    EXPECT_EQ(Entries(), Names {});
}

TEST_F(CliModelTest, DatabaseInAMissingDirectoryIsNamedAndNothingIsMade)
{
    auto result = Cli({ "--db", "missing/x.mdb", "project", "add", "x" });
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.err.rfind("无法打开数据库文件 missing/x.mdb：", 0), 0u) << result.err;
    EXPECT_EQ(Entries(), Names {});
}

// "file:" begins an SQLite URI elsewhere; here it begins a plain file name.
TEST_F(CliModelTest, DatabaseNameBeginningWithFileIsAPlainFileName)
{
    EXPECT_EQ(Cli({ "--db", "file:x.mdb", "project", "add", "图书馆" }).status, 0);
    EXPECT_EQ(Entries(), Names { "file:x.mdb" });
    EXPECT_EQ(Cli({ "--db", "file:x.mdb", "project", "list" }).out, "1\t图书馆\n");
    EXPECT_EQ(SqlRows((dir_ / "file:x.mdb").string(), "select projectName from t_project"), "图书馆\n");
    EXPECT_EQ(Cli({ "project", "list" }).out, "");
}

// Admin is one of the support classes every generated tree has.
TEST_F(CliModelTest, ClassNamedAdminIsRefused)
{
    ASSERT_EQ(Cli({ "project", "add", "p" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "User2", "用户" }).status, 0);
    auto added = Cli({ "class", "add", "p", "Admin", "管理员" });
    EXPECT_EQ(added.status, 1);
    EXPECT_NE(added.err.find("Admin"), std::string::npos) << added.err;
    auto renamed = Cli({ "class", "update", "p", "User2", "Admin", "管理员" });
    EXPECT_EQ(renamed.status, 1);
    EXPECT_NE(renamed.err.find("Admin"), std::string::npos) << renamed.err;
    EXPECT_EQ(Cli({ "class", "list", "p" }).out, "1\tUser2\t用户\n");
}

TEST_F(CliModelTest, UpdateOfAMissingMemberIsRefused)
{
    ASSERT_EQ(Cli({ "project", "add", "P" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "P", "C", "类" }).status, 0);
    ASSERT_EQ(Cli({ "member", "add", "P", "C", "y", "string" }).status, 0);
    ASSERT_EQ(Cli({ "member", "delete", "P", "C", "y" }).status, 0);
    for (const char* name : { "x", "y" }) {
        auto result = Cli({ "member", "update", "P", "C", name, "--comment", "y" });
        EXPECT_EQ(result.status, 1);
        EXPECT_EQ(result.out, "");
        EXPECT_EQ(result.err, std::string("找不到成员: ") + name + "\n");
    }
    EXPECT_EQ(Cli({ "member", "list", "P", "C" }).out, "");
}

TEST_F(CliModelTest, ProjectNameMustNotBeginOrEndWithABlank)
{
    ASSERT_EQ(Cli({ "project", "add", "P" }).status, 0);
    for (const std::string name : { "   ", " 图书馆", "图书馆 ", "图书馆\xE3\x80\x80" }) {
        auto added = Cli({ "project", "add", name });
        EXPECT_EQ(added.status, 1) << "[" << name << "]";
        EXPECT_EQ(added.err, "工程名称的开头和结尾不能是空格!\n") << "[" << name << "]";
        auto renamed = Cli({ "project", "rename", "P", name });
        EXPECT_EQ(renamed.status, 1) << "[" << name << "]";
        EXPECT_EQ(renamed.err, "工程名称的开头和结尾不能是空格!\n") << "[" << name << "]";
    }
    EXPECT_EQ(Cli({ "project", "list" }).out, "1\tP\n");
    auto inner = Cli({ "project", "add", "图书 馆" });
    EXPECT_EQ(inner.status, 0);
    EXPECT_EQ(inner.out, "工程名称添加成功！\n");
    EXPECT_EQ(Cli({ "project", "rename", "P", "商 店" }).status, 0);
    EXPECT_EQ(Cli({ "project", "list" }).out, "1\t商 店\n2\t图书 馆\n");
}

// A write the database refuses names the file in the user's words and gives
// the engine's reason below, never the statement.
TEST_F(CliModelTest, FailedWriteNamesTheFileNotTheStatement)
{
    ASSERT_EQ(Cli({ "project", "add", "kept" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "kept", "Book", "图书" }).status, 0);
    // An index of the program's name that makes a second class of the
    // project fail to be written.
    SqlExecute(dbPath_, "drop index ix_class_project; create unique index ix_class_project on t_class(projectId);");
    auto result = Cli({ "class", "add", "kept", "Shelf", "书架" });
    EXPECT_EQ(result.status, 3);
    EXPECT_EQ(result.out, "");
    std::string file = SqlRows(dbPath_, "select file from pragma_database_list where name='main'");
    file.pop_back(); // the line end
    size_t lineEnd = result.err.find('\n');
    ASSERT_NE(lineEnd, std::string::npos) << result.err;
    EXPECT_EQ(result.err.substr(0, lineEnd), "数据库错误：无法写入 " + file);
    std::string reason = result.err.substr(lineEnd + 1);
    EXPECT_NE(reason.substr(0, reason.find('\n')).find("UNIQUE"), std::string::npos) << result.err;
    std::string lower = result.err;
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return std::tolower(c); });
    EXPECT_EQ(lower.find("insert"), std::string::npos) << result.err;
    EXPECT_EQ(SqlRows(dbPath_, "select className from t_class"), "Book\n");
}

// A model database is input like any other: one carrying a trigger (which
// would run on an ordinary command), a view or a table of another program
// is refused with its name, and left as it was.
TEST_F(CliModelTest, ModelDatabaseWithForeignObjectsIsRefusedUntouched)
{
    ASSERT_EQ(Cli({ "project", "add", "kept" }).status, 0);
    const std::pair<const char*, const char*> planted[] = {
        { "create trigger wipe after insert on t_member begin delete from t_project; end;", "触发器 wipe" },
        { "create view v as select * from t_project;", "视图 v" },
        { "create table extra(x);", "表 extra" },
    };
    for (const auto& [sql, named] : planted) {
        SqlExecute(dbPath_, sql);
        std::string before = ModelContents(dbPath_);
        auto result = Cli({ "project", "add", "other" });
        EXPECT_EQ(result.status, 3) << sql;
        EXPECT_NE(result.err.find(std::string("含有本程序没有创建的") + named), std::string::npos) << result.err;
        EXPECT_EQ(ModelContents(dbPath_), before);
        SqlExecute(dbPath_,
            std::string("drop ") +
                (std::string(sql).find("trigger") != std::string::npos       ? "trigger wipe"
                        : std::string(sql).find("view") != std::string::npos ? "view v"
                                                                             : "table extra"));
    }
    EXPECT_EQ(Cli({ "project", "add", "other" }).status, 0);
    // The statistics ANALYZE leaves are no foreign object.
    SqlExecute(dbPath_, "analyze;");
    EXPECT_EQ(Cli({ "project", "add", "third" }).status, 0);
}

// A preview is refused only for a fault of the class or of a class it
// reaches: an unfinished other class does not stop it.
TEST_F(CliModelTest, PreviewChecksOnlyTheClassesItReaches)
{
    ASSERT_EQ(Cli({ "project", "add", "p" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "Book", "图书" }).status, 0);
    ASSERT_EQ(Cli({ "member", "add", "p", "Book", "isbn", "string", "--primary", "--display" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "Reader", "读者" }).status, 0);
    ASSERT_EQ(Cli({ "class", "add", "p", "Loan", "借阅" }).status, 0);
    ASSERT_EQ(Cli({ "member", "add", "p", "Loan", "loanId", "int", "--primary", "--required", "--display" }).status, 0);
    ASSERT_EQ(Cli({ "member", "add", "p", "Loan", "reader", "Reader", "--required" }).status, 0);
    struct TCase {
        const char* className;
        int status;
        std::string err;
    };
    const TCase cases[] = {
        { "Book", 0, "" },
        { "Reader", 1, "Reader表主键设置错误，每个类只能设置一个主键!\n" },
        // Loan's pages list readers: Reader's fault is Loan's too.
        { "Loan", 1, "Reader表主键设置错误，每个类只能设置一个主键!\n" },
    };
    for (const auto& c : cases) {
        auto run = Cli({ "preview", "p", c.className, "--file", "domain", "--templates", JAVAGEN_TEMPLATES });
        EXPECT_EQ(run.status, c.status) << c.className << run.err;
        EXPECT_EQ(run.err, c.err) << c.className;
    }
}
